#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "link/link_station.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"

namespace kelvra::cli {

// What the commands that talk to an interface share on their command line.
struct LinkOptions {
  std::string port;
  link::InterfaceKind kind = link::InterfaceKind::Elm327;
  bool fastRate = false;
  bool alternative = false;
  int timeoutSeconds = 30;
};

enum class OptionTaken { Yes, No, Invalid };

// Takes --port P, --interface K, --baud B, --alt or --timeout S at args[i] (advancing i past its
// value); Invalid after writing why on err, No when the argument is another one.
OptionTaken TakeLinkOption(const std::vector<std::string>& args, size_t& i, LinkOptions& options,
                           std::ostream& err);

// The link with the real ports and console services, run in the event loop until Finish.
class LinkSession {
 public:
  explicit LinkSession(const Invocation& invocation);

  // Connects, runs until Finish or until the timeout (then onTimeout decides), and returns the
  // code given to Finish. With the own port, the connection itself runs the read loop.
  int Run(const LinkOptions& options, const std::function<void()>& onTimeout);
  // Ends the run with this exit code; the first call wins.
  void Finish(int code);
  bool Finished() const { return finished_; }

  form::SystemClock clock;
  qt::QtTimerService timers;
  ConsoleDialogs dialogs;
  qt::QtEventPump pump;
  SilentBeeper beeper;
  form::Services services{clock, timers, dialogs, pump, beeper};
  qt::QtSerialPort component{services};
  link::AlternativePort alternative{services};
  link::LinkStation station{services, component, alternative};

 private:
  int result_ = kExitFailure;
  bool finished_ = false;
};

}  // namespace kelvra::cli
