#pragma once

#include "form/manual_services.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"
#include "support/tapped_port.h"

namespace kelvra::testing {

// The real clock, Qt timers and event pump with both real ports, a tap on what the program writes
// to each, and scripted dialogs: what end-to-end and window tests run the link on.
struct RealPorts {
  form::SystemClock clock;
  qt::QtTimerService timers;
  form::ScriptedDialogs dialogs;
  qt::QtEventPump pump;
  form::RecordingBeeper beeper;
  form::Services services{clock, timers, dialogs, pump, beeper};
  qt::QtSerialPort component{services};
  link::AlternativePort own{services};
  TappedPort componentTap{component};
  TappedPort ownTap{own};
};

}  // namespace kelvra::testing
