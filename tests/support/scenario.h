#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kelvra::testing {

// A test that talks to the simulated car as a list of steps, each waiting for its condition and
// then acting. The steps run from a timer, so they also run inside the own port's read loop, which
// keeps the program inside the action that opened the port.
class Scenario {
 public:
  struct Step {
    std::string name;
    std::function<bool()> ready;
    std::function<void()> act;
  };

  Scenario& Then(std::string name, std::function<bool()> ready, std::function<void()> act = {}) {
    steps_.push_back({std::move(name), std::move(ready), std::move(act)});
    return *this;
  }

  // Runs start (typically the connection) and the steps; returns "" or what did not happen.
  std::string Run(const std::function<void()>& start, int timeoutMs = 15000) {
    QEventLoop loop;
    QTimer tick;
    size_t next = 0;
    std::string failure;
    QTimer::singleShot(timeoutMs, &loop, [&] {
      if (next < steps_.size())
        failure = "timed out waiting for: " + steps_[next].name;
      finish_();
      loop.quit();
    });
    finish_ = finish_ ? finish_ : [] {};
    QElapsedTimer sinceTick;
    sinceTick.start();
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
      longestStallMs_ = std::max(longestStallMs_, static_cast<int>(sinceTick.restart()));
      while (next < steps_.size() && steps_[next].ready()) {
        if (steps_[next].act)
          steps_[next].act();
        ++next;
      }
      if (next == steps_.size()) {
        tick.stop();
        finish_();
        loop.quit();
      }
    });
    tick.start(2);
    QTimer::singleShot(0, &loop, start);
    loop.exec();
    return failure;
  }

  // The longest time the event loop went without running the scenario's 2 ms timer: how long a
  // window would have stayed frozen.
  int LongestStallMs() const { return longestStallMs_; }

  // What ends the scenario (closing the own port ends its read loop).
  void OnFinish(std::function<void()> finish) { finish_ = std::move(finish); }

 private:
  std::vector<Step> steps_;
  std::function<void()> finish_;
  int longestStallMs_ = 0;
};

}  // namespace kelvra::testing
