#pragma once

#include <array>

#include "diagnostics/diagnostics_controls.h"
#include "diagnostics/diagnostics_panel.h"
#include "diagnostics/pid_table.h"
#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// tsDiag "Diagnostique", shown while the link is online: the parameters to show and their labels,
// the log switch, the live modes, the barometric group and the group "Performances".
class DiagnosticsTab {
 public:
  DiagnosticsTab(form::Window& window, form::PageControl& pages);

  // Start-up: one check list item and one display caption per PID row.
  void FillFromPidTable() { panel.FillFromPidTable(); }

  form::TabPage& page;
  diagnostics::DiagnosticsPanel panel;
  form::CheckListBox& pidList;                                 // clbPid
  form::Button& visualise;                                     // btVisDiag
  std::array<form::Label*, diagnostics::kPidCount>& displays;  // lb0104 … lb012F
  form::Edit& atmosphericPressure;                             // edGPatm
};

// The vehicle editor's fields the live estimates read, found by name in the main window.
diagnostics::VehicleRtControls VehicleRtControlsOf(const form::Window& window);

}  // namespace kelvra::app
