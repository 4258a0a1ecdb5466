#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/date_time.h"

namespace kelvra::form {

// The local clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
};

using TimerId = std::uint64_t;

// Repeating timers on the user-interface thread.
class TimerService {
 public:
  virtual ~TimerService() = default;
  // Calls fire every intervalMs milliseconds, the first time intervalMs from now, until cancelled.
  virtual TimerId Schedule(int intervalMs, std::function<void()> fire) = 0;
  virtual void Cancel(TimerId id) = 0;
};

struct FileDialogRequest {
  std::string title;
  // "Fichier texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*": description and pattern alternate.
  std::string filter;
  int filterIndex = 1;  // one-based, as in the filter's description/pattern pairs
  std::string fileName;
  std::string initialDir;
  std::string defaultExt;
};

// Modal boxes and file choosers.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The program's own conditions: a box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The error display for an error that ended a user action.
  virtual void ShowError(const std::string& text) = 0;
  // A box with Yes and No; true for Yes.
  virtual bool Confirm(const std::string& text, const std::string& caption) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};

// Lets pending events (timers, serial input, repaints, clicks) through from inside a long action.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
};

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

// The services every window uses, and the boundary of a user action: an event raised when no other
// event is being handled is a user action (a click, a key, a timer, serial input), and an error
// that escapes it is shown through Dialogs::ShowError instead of ending the program. Events raised
// from inside a handler run within the outer action, so an error ends the whole action.
class Services {
 public:
  Services(Clock& clock, TimerService& timers, Dialogs& dialogs, EventPump& pump, Beeper& beeper)
      : clock(clock), timers(timers), dialogs(dialogs), pump(pump), beeper(beeper) {}
  Services(const Services&) = delete;
  Services& operator=(const Services&) = delete;

  // Runs an event handler; returns false when an error ended it.
  bool Dispatch(const std::function<void()>& handler);
  // Runs a handler as a user action of its own even from inside another one (a read loop that
  // lives inside the action that opened the port): its error is shown and the outer action goes on.
  bool DispatchSeparate(const std::function<void()>& handler);
  // Lets pending events through from inside a long action, each as an action of its own.
  void PumpEvents();
  bool InAction() const { return depth_ > 0; }

  Clock& clock;
  TimerService& timers;
  Dialogs& dialogs;
  EventPump& pump;
  Beeper& beeper;

 private:
  int depth_ = 0;
};

}  // namespace kelvra::form
