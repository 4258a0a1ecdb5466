#pragma once

#include <string>
#include <vector>

#include "app/drag_race_window.h"
#include "app/gear_speed_window.h"
#include "app/main_window.h"
#include "app/secondary_windows.h"

namespace kelvra::app {

// The program's four windows, created in this order and living until it ends. The main window
// is the first, so closing it ends the program; the others are hidden until asked for.
class KelvraWindows {
 public:
  KelvraWindows(form::Services& services, link::SerialPort& componentPort,
                link::SerialPort& alternativePort);
  ~KelvraWindows();
  KelvraWindows(const KelvraWindows&) = delete;
  KelvraWindows& operator=(const KelvraWindows&) = delete;

  MainWindow form1;
  GearSpeedWindow form2;
  LiveChartWindow form3;
  DragRaceWindow form4;
};

}  // namespace kelvra::app
