#pragma once

#include "diagnostics/diagnostics_controls.h"
#include "form/page_controls.h"
#include "form/window.h"

namespace kelvra::diagnostics {

// The controls of the tab "Diagnostique" with their names, captions and initial texts, in their
// groups on the given page (the window itself when none); the window that shows them lays them
// out. edGPatm is created in the barometric group unless the window already has it.
class DiagnosticsPanel {
 public:
  DiagnosticsPanel(form::Window& window, form::Container* page, form::Edit* atmosphere);

  // Start-up: one check list item and one display caption per PID row.
  void FillFromPidTable();

  form::Panel& rowsGroup;         // GroupBox11 "Paramètres à visualiser"
  form::Panel& dataGroup;         // GroupBox15 "Données"
  form::Panel& powerGroup;        // "Puissance / Couple instantanné"
  form::Panel& consumptionGroup;  // "Consommation instantannée"
  form::Panel& chartGroup;        // "Graphe alternatif en fonction du temps : Régime surpression"
  form::Panel& performanceGroup;  // "Performances"

  DisplayControls display;
  LiveModeControls modes;
  PerformanceControls performance;
};

}  // namespace kelvra::diagnostics
