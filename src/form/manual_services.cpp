#include "form/manual_services.h"

namespace kelvra::form {

ManualClock::ManualClock(DateTime start) : now_(start) {}

TimerId ManualClock::Schedule(int intervalMs, std::function<void()> fire) {
  const TimerId id = nextId_++;
  timers_[id] = Entry{intervalMs, elapsedMs_ + intervalMs, std::move(fire)};
  return id;
}

void ManualClock::Cancel(TimerId id) {
  timers_.erase(id);
}

void ManualClock::Advance(double ms) {
  const double target = elapsedMs_ + ms;
  for (;;) {
    // The earliest due timer; ties go to the one scheduled first.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.dueMs <= target &&
          (next == timers_.end() || it->second.dueMs < next->second.dueMs)) {
        next = it;
      }
    }
    if (next == timers_.end())
      break;
    now_ += (next->second.dueMs - elapsedMs_) / kMillisecondsPerDay;
    elapsedMs_ = next->second.dueMs;
    next->second.dueMs += next->second.interval > 0 ? next->second.interval : 1;
    // A copy: the handler may cancel or reschedule its own timer.
    auto fire = next->second.fire;
    fire();
  }
  now_ += (target - elapsedMs_) / kMillisecondsPerDay;
  elapsedMs_ = target;
}

bool ScriptedDialogs::Confirm(const std::string& text, const std::string& caption) {
  confirms.push_back(caption + ": " + text);
  if (confirmAnswers.empty())
    return false;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (openAnswers.empty())
    return std::nullopt;
  auto answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (saveAnswers.empty())
    return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

}  // namespace kelvra::form
