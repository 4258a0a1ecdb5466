#include "app/diagnostics_tab.h"

namespace kelvra::app {

DiagnosticsTab::DiagnosticsTab(form::Window& window, form::PageControl& pages)
    : page(window.Add<form::TabPage>("tsDiag", &pages, "Diagnostique")),
      panel(window, &page, nullptr),
      pidList(panel.display.pidList),
      visualise(panel.display.visualise),
      displays(panel.display.displays),
      atmosphericPressure(panel.modes.atmosphere) {}

diagnostics::VehicleRtControls VehicleRtControlsOf(const form::Window& w) {
  return diagnostics::VehicleRtControls{
      w.Get<form::RadioButton>("rbRTdiesel"), w.Get<form::RadioButton>("rbRTMAF"),
      w.Get<form::RadioButton>("rbRTCLV"),    w.Get<form::Edit>("edRTsto"),
      w.Get<form::Edit>("edRTrhoD"),          w.Get<form::Edit>("edRTmolD"),
      w.Get<form::Edit>("edRTrhoE"),          w.Get<form::Edit>("edRTrempl"),
      w.Get<form::Edit>("edRTmolE"),          w.Get<form::Edit>("edCyl")};
}

}  // namespace kelvra::app
