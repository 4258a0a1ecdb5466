#pragma once

#include <string>

#include "form/control.h"
#include "form/services.h"

namespace kelvra::form {

// A repeating timer on the window's services. It runs while enabled with a positive interval and
// a handler; enabling it again or changing the interval starts a fresh countdown. Each tick is a
// user action of its own: an error in the handler is shown and the timer goes on.
class Timer : public Control {
 public:
  Timer(Window& owner, std::string name, Container* parent, int intervalMs = 1000,
        bool enabled = false);
  ~Timer() override;

  int Interval() const { return interval_; }
  void SetInterval(int intervalMs);
  bool Running() const { return scheduled_; }

  Handler onTimer;

 protected:
  void EnabledChanged() override { Restart(); }

 private:
  void Restart();
  void Stop();

  int interval_;
  bool scheduled_ = false;
  TimerId id_ = 0;
};

}  // namespace kelvra::form
