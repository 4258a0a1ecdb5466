#pragma once

#include <string>

#include "common/date_time.h"
#include "diagnostics/pid_table.h"

namespace kelvra::link {

// The flags the activities of the program share. All live as long as the main window and are
// touched only from the user-interface thread.
struct SharedState {
  // The link: interface family, online, connection sequence and its step.
  bool elmMode = false;
  bool online = false;
  bool initialising = true;
  int linkState = 0;

  // Answer handling: gear speed capture polling, barometric reading or live chart, last speed.
  bool captureMode = false;
  bool captureAskRpm = false;
  int auxRequest = 0;
  int lastSpeed = -1;

  // Run recorder.
  bool speedViewActive = false;
  bool armed = false;
  bool recording = false;
  float speedPer1000 = 0;
  DateTime runStart = 0;
  // Date-time of the latest complete response minus runStart, stamped once when it completed.
  DateTime receiveElapsed = 0;

  // Power curves.
  bool curveAvailable = false;

  // Live diagnostics.
  bool diagDisplayOn = false;
  std::string liveMode = "null";
  diagnostics::ValueSlots values{};
  int decodedIndex = -1;
};

}  // namespace kelvra::link
