#pragma once

#include "diagnostics/diagnostics_panel.h"
#include "diagnostics/live_diagnostics.h"
#include "form/chart.h"
#include "link/link_station.h"

namespace kelvra::diagnostics {

// The live diagnostics on the link station's window, with the vehicle editor's fields they read
// (at their defaults) and a chart standing in for TForm3: for programs without the main window
// (kelvra-cli) and for tests. Attached to the station's answer handling.
class DiagnosticsStation {
 public:
  explicit DiagnosticsStation(link::LinkStation& station);

  form::Timer& accTimer;
  DiagnosticsPanel panel;
  VehicleRtControls vehicle;
  form::Chart& chart;
  LiveDiagnostics live;
};

}  // namespace kelvra::diagnostics
