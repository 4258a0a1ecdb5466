#pragma once

#include <array>

#include "diagnostics/pid_table.h"
#include "form/button_controls.h"
#include "form/list_controls.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::app {

// tsDiag "Diagnostique", shown while the link is online: the parameters to show and their labels.
class DiagnosticsTab {
 public:
  DiagnosticsTab(form::Window& window, form::PageControl& pages);

  // Start-up: one check list item and one display caption per PID row.
  void FillFromPidTable();

  form::TabPage& page;
  form::CheckListBox& pidList;                                  // clbPid
  form::Button& visualise;                                      // btVisDiag
  std::array<form::Label*, diagnostics::kPidCount> displays{};  // lb0104 … lb012F
  form::Edit& atmosphericPressure;                              // edGPatm
};

}  // namespace kelvra::app
