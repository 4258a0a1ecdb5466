#include "app/diagnostics_tab.h"

#include <string>

namespace kelvra::app {

DiagnosticsTab::DiagnosticsTab(form::Window& window, form::PageControl& pages)
    : page(window.Add<form::TabPage>("tsDiag", &pages, "Diagnostique")),
      pidList(window.Add<form::CheckListBox>(
          "clbPid",
          &window.Add<form::Panel>("GroupBox11", &page, "Paramètres à visualiser", true))),
      visualise(window.Add<form::Button>("btVisDiag", pidList.Parent(), "Activer visualisation")),
      atmosphericPressure(window.Add<form::Edit>("edGPatm", &page, "1013")) {
  pidList.Parent()->SetBounds(4, 4, 250, 300);
  pidList.SetBounds(6, 18, 238, 244);
  visualise.SetBounds(6, 268, 238, 25);
  auto& data = window.Add<form::Panel>("GroupBox15", &page, "Données", true);
  data.SetBounds(260, 4, 300, 300);
  const auto& table = diagnostics::PidTable();
  for (int row = 0; row < diagnostics::kPidCount; ++row) {
    displays[row] = &window.Add<form::Label>(std::string(table[row].display), &data);
    displays[row]->SetBounds(10, 18 + row * 17, 0, 0);
  }
  auto& pressureLabel = window.Add<form::Label>("Label120", &page, "Pression atmo (mBar)");
  pressureLabel.SetBounds(570, 24, 0, 0);
  atmosphericPressure.SetBounds(700, 20, 70, 22);
}

void DiagnosticsTab::FillFromPidTable() {
  const auto& table = diagnostics::PidTable();
  for (int row = 0; row < diagnostics::kPidCount; ++row) {
    pidList.AddItem(table[row].label);
    displays[row]->SetCaption(table[row].label);
  }
}

}  // namespace kelvra::app
