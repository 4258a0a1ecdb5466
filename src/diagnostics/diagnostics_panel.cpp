#include "diagnostics/diagnostics_panel.h"

#include <string>

namespace kelvra::diagnostics {

namespace {

form::Panel& Group(form::Window& window, const char* name, form::Container* page,
                   std::string_view caption) {
  return window.Add<form::Panel>(name, page, caption, true);
}

template <class T, class... Args>
T& Put(form::Window& window, const char* name, form::Container* parent, int left, int top,
       int width, int height, Args&&... args) {
  T& control = window.Add<T>(name, parent, std::forward<Args>(args)...);
  control.SetBounds(left, top, width, height);
  return control;
}

form::Label& Caption(form::Window& window, const char* name, form::Container* parent,
                     std::string_view text, int left, int top) {
  return Put<form::Label>(window, name, parent, left, top, 0, 0, text);
}

DisplayControls MakeDisplay(form::Window& w, form::Container* page, form::Panel& rows,
                            form::Panel& data) {
  std::array<form::Label*, kPidCount> displays{};
  const auto& table = PidTable();
  for (int row = 0; row < kPidCount; ++row) {
    displays[row] = &w.Add<form::Label>(std::string(table[row].display), &data);
    displays[row]->SetBounds(10, 18 + row * 15, 0, 0);
  }
  return DisplayControls{
      Put<form::CheckListBox>(w, "clbPid", &rows, 6, 18, 238, 204),
      Put<form::Button>(w, "btVisDiag", &rows, 6, 228, 238, 25, "Activer visualisation"), displays,
      Put<form::CheckBox>(w, "cbLogDiag", page, 4, 276, 250, 18, "Enregistrer données acquises"),
      Put<form::Edit>(w, "edSaveLogDiag", page, 4, 298, 250, 21, "logdiag1.log")};
}

LiveModeControls MakeModes(form::Window& w, form::Panel& power, form::Panel& consumption,
                           form::Panel& chart, form::Edit* given) {
  Caption(w, "Label73", &power, "Couple (Nm) :", 90, 18);
  Caption(w, "Label74", &power, "Puissance (cv) :", 90, 38);
  Caption(w, "lbDiagLitresHTitre", &consumption, "Litres/h :", 90, 18);
  Caption(w, "lbDiagLitres100Titre", &consumption, "Litres/100km :", 90, 38);
  Caption(w, "Label120", &chart, "Pression atmo (mBar)", 8, 20);
  Caption(w, "lbDiagSurpressionTitre", &chart, "Surpression max", 8, 46);
  form::Edit& atmosphere = given != nullptr ? *given : w.Add<form::Edit>("edGPatm", &chart, "1070");
  atmosphere.SetText("1070");
  atmosphere.SetBounds(140, 16, 60, 21);
  return LiveModeControls{
      Put<form::Button>(w, "Button15", &power, 8, 22, 75, 25, "Activer"),
      Put<form::Label>(w, "lbCouple", &power, 190, 18, 0, 0, "0"),
      Put<form::Label>(w, "lbPowa", &power, 190, 38, 0, 0, "0"),
      Put<form::Button>(w, "Button16", &consumption, 8, 22, 75, 25, "Activer"),
      Put<form::Label>(w, "lbCh", &consumption, 190, 18, 0, 0, "0"),
      Put<form::Label>(w, "lbC100", &consumption, 190, 38, 0, 0, "oo"),
      atmosphere,
      Put<form::Edit>(w, "Edit6", &chart, 140, 42, 60, 21, "1200"),
      Put<form::CheckBox>(w, "cbBarAlert", &chart, 8, 70, 120, 18, "Activer Alerte"),
      Put<form::Button>(w, "Button33", &chart, 206, 14, 70, 25, "Auto"),
      Put<form::Button>(w, "Button31", &chart, 130, 68, 70, 25, "Afficher"),
      Put<form::Button>(w, "Button32", &chart, 206, 68, 70, 25, "RAZ")};
}

PerformanceControls MakePerformance(form::Window& w, form::Panel& g) {
  constexpr int kRow = 18;
  const char* group = "perfs";
  Caption(w, "Label85", &g, "Tests d'acceleration et de reprise :", 8, 14);
  Caption(w, "Label87", &g, "Résultats :", 385, 14);
  Caption(w, "Label88", &g, "Temps :", 385, 32);
  Caption(w, "Label90", &g, "Vitesse de passage :", 385, 32 + kRow);
  Caption(w, "lbDiagAccTitre", &g, "Accélération :", 385, 32 + 2 * kRow);
  Caption(w, "lbDiagMaxAccTitre", &g, "Maximum :", 385, 32 + 3 * kRow);
  Caption(w, "Label86", &g, " début et à la fin de la mesure", 216, 48);
  return PerformanceControls{
      Put<form::RadioButton>(w, "rb0100", &g, 8, 30, 80, 18, "0-100", true, group),
      Put<form::RadioButton>(w, "rbDea", &g, 8, 30 + kRow, 130, 18, "De            à", false,
                             group),
      Put<form::Edit>(w, "edDe", &g, 48, 29 + kRow, 36, 18, "80"),
      Put<form::Edit>(w, "edA", &g, 106, 29 + kRow, 36, 18, "120"),
      Put<form::RadioButton>(w, "rb400m", &g, 8, 30 + 2 * kRow, 90, 18, "400m DA", false, group),
      Put<form::RadioButton>(w, "rb1000m", &g, 8, 30 + 3 * kRow, 90, 18, "1000m DA", false, group),
      Put<form::RadioButton>(w, "rbLance", &g, 8, 30 + 4 * kRow, 180, 18, "           m lancé à",
                             false, group),
      Put<form::Edit>(w, "edM", &g, 26, 29 + 4 * kRow, 38, 18, "1000"),
      Put<form::Edit>(w, "edMA", &g, 146, 29 + 4 * kRow, 36, 18, "50"),
      Put<form::CheckBox>(w, "cbBeep", &g, 200, 30, 180, 18, "Emettre un signal sonore au", true),
      Put<form::Button>(w, "Button18", &g, 200, 74, 110, 25, "Démarrer"),
      Put<form::Label>(w, "lbPerfT", &g, 515, 32, 0, 0, "0s"),
      Put<form::Label>(w, "lbPerfV", &g, 515, 32 + kRow, 0, 0, "0km/h"),
      Put<form::Label>(w, "lbAcc", &g, 515, 32 + 2 * kRow, 0, 0, "0m/s²"),
      Put<form::Label>(w, "lbMaxAcc", &g, 515, 32 + 3 * kRow, 0, 0, "0m/s²"),
      Put<form::Button>(w, "Button17", &g, 385, 104, 110, 22, "Remise à 0")};
}

}  // namespace

DiagnosticsPanel::DiagnosticsPanel(form::Window& window, form::Container* page,
                                   form::Edit* atmosphere)
    : rowsGroup(Group(window, "GroupBox11", page, "Paramètres à visualiser")),
      dataGroup(Group(window, "GroupBox15", page, "Données")),
      powerGroup(Group(window, "GroupBox18", page, "Puissance / Couple instantanné")),
      consumptionGroup(Group(window, "GroupBox19", page, "Consommation instantannée")),
      chartGroup(Group(window, "gbDiagGraphe", page,
                       "Graphe alternatif en fonction du temps : Régime surpression")),
      performanceGroup(Group(window, "gbDiagPerfs", page, "Performances")),
      display(MakeDisplay(window, page, rowsGroup, dataGroup)),
      modes(MakeModes(window, powerGroup, consumptionGroup, chartGroup, atmosphere)),
      performance(MakePerformance(window, performanceGroup)) {
  rowsGroup.SetBounds(4, 4, 250, 262);
  dataGroup.SetBounds(260, 4, 300, 262);
  powerGroup.SetBounds(566, 4, 284, 62);
  consumptionGroup.SetBounds(566, 70, 284, 62);
  chartGroup.SetBounds(566, 136, 284, 100);
  performanceGroup.SetBounds(260, 272, 590, 132);
}

void DiagnosticsPanel::FillFromPidTable() {
  const auto& table = PidTable();
  for (int row = 0; row < kPidCount; ++row) {
    display.pidList.AddItem(table[row].label);
    display.displays[row]->SetCaption(table[row].label);
  }
}

}  // namespace kelvra::diagnostics
