#include "form/timer.h"

#include "form/window.h"

namespace kelvra::form {

Timer::Timer(Window& owner, std::string name, Container* parent, int intervalMs, bool enabled)
    : Control(owner, std::move(name), ControlKind::Timer, parent), interval_(intervalMs) {
  // Enabled only once the owner assigns the handler and enables it; no schedule from the ctor.
  Control::SetEnabled(false);
  if (enabled)
    SetEnabled(true);
}

Timer::~Timer() {
  Stop();
}

void Timer::SetInterval(int intervalMs) {
  if (interval_ == intervalMs)
    return;
  interval_ = intervalMs;
  Restart();
}

void Timer::Stop() {
  if (!scheduled_)
    return;
  Owner().services().timers.Cancel(id_);
  scheduled_ = false;
}

void Timer::Restart() {
  Stop();
  if (!Enabled() || interval_ <= 0)
    return;
  id_ = Owner().services().timers.Schedule(interval_, [this] {
    if (Enabled() && onTimer)
      Raise(onTimer);
  });
  scheduled_ = true;
}

}  // namespace kelvra::form
