#include "qt/qt_timer_service.h"

#include <QCoreApplication>

namespace kelvra::qt {

QtTimerService::~QtTimerService() {
  for (auto& [id, timer] : timers_)
    delete timer;
}

form::TimerId QtTimerService::Schedule(int intervalMs, std::function<void()> fire) {
  const form::TimerId id = nextId_++;
  auto* timer = new QTimer;
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(intervalMs);
  QObject::connect(timer, &QTimer::timeout, timer, std::move(fire));
  timer->start();
  timers_[id] = timer;
  return id;
}

void QtTimerService::Cancel(form::TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end())
    return;
  it->second->stop();
  // The timer may be cancelled from its own timeout: delete it once that call has returned.
  it->second->deleteLater();
  timers_.erase(it);
}

void QtEventPump::ProcessPendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace kelvra::qt
