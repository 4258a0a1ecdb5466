#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form/services.h"

namespace kelvra::form {

// A clock that moves only when told, and fires the timers that fall due on the way, in order.
class ManualClock : public Clock, public TimerService {
 public:
  explicit ManualClock(DateTime start = 0);

  DateTime Now() const override { return now_; }
  TimerId Schedule(int intervalMs, std::function<void()> fire) override;
  void Cancel(TimerId id) override;

  // Moves the clock forward by ms milliseconds, firing every due timer at its own due time.
  void Advance(double ms);
  void SetNow(DateTime now) { now_ = now; }
  int ActiveTimers() const { return static_cast<int>(timers_.size()); }

 private:
  struct Entry {
    int interval;
    double dueMs;
    std::function<void()> fire;
  };

  DateTime now_;
  double elapsedMs_ = 0;
  TimerId nextId_ = 1;
  std::map<TimerId, Entry> timers_;
};

// Dialogs answered from a script, each box recorded.
class ScriptedDialogs : public Dialogs {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  // Answers from confirmAnswers in order; No when the script is empty.
  bool Confirm(const std::string& text, const std::string& caption) override;
  // Paths from openAnswers / saveAnswers in order; a cancelled dialog when empty or nullopt.
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;

  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> confirms;  // "caption: text"
  std::vector<FileDialogRequest> fileRequests;

  std::deque<bool> confirmAnswers;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
};

// Counts the calls; a test may hang work on them (bytes arriving while a loop waits).
class RecordingEventPump : public EventPump {
 public:
  void ProcessPendingEvents() override {
    ++calls;
    if (onPump)
      onPump();
  }
  int calls = 0;
  std::function<void()> onPump;
};

class RecordingBeeper : public Beeper {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// The services of a window under test: a manual clock, scripted dialogs, a counting pump.
struct ManualServices {
  ManualClock clock;
  ScriptedDialogs dialogs;
  RecordingEventPump pump;
  RecordingBeeper beeper;
  Services services{clock, clock, dialogs, pump, beeper};
};

}  // namespace kelvra::form
