#pragma once

#include <QObject>
#include <QTimer>
#include <map>

#include "form/services.h"

namespace kelvra::qt {

// Timers of the headless form on QTimer, in the thread's event loop.
class QtTimerService : public form::TimerService {
 public:
  QtTimerService() = default;
  ~QtTimerService() override;
  QtTimerService(const QtTimerService&) = delete;
  QtTimerService& operator=(const QtTimerService&) = delete;

  form::TimerId Schedule(int intervalMs, std::function<void()> fire) override;
  void Cancel(form::TimerId id) override;

 private:
  form::TimerId nextId_ = 1;
  std::map<form::TimerId, QTimer*> timers_;
};

class QtEventPump : public form::EventPump {
 public:
  void ProcessPendingEvents() override;
};

}  // namespace kelvra::qt
