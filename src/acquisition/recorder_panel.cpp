#include "acquisition/recorder_panel.h"

namespace kelvra::acquisition {

namespace {

// The selection text sits inside the plot's top-left corner, clear of the engine-speed marks.
constexpr int kSelectionTextDx = 39;
constexpr int kSelectionTextDy = 7;

}  // namespace

RecorderPanel::RecorderPanel(form::Window& window, form::Container* group)
    : stop(window.Add<form::Button>("btSrpm", group, "Stopper")),
      startLabel(window.Add<form::Label>("Label52", group, "A partir de (0=immédiat)")),
      startRpm(window.Add<form::Edit>("edRstart", group, "0")),
      startUnit(window.Add<form::Label>("Label53", group, "tr/min")),
      stopLabel(window.Add<form::Label>("Label54", group, "Jusqu'à (0=arrêt manuel)")),
      stopRpm(window.Add<form::Edit>("edRstop", group, "0")),
      stopUnit(window.Add<form::Label>("Label55", group, "tr/min")),
      gauge(window.Add<form::ProgressBar>("pbRPM", group, 0, 700)),
      gaugeTop(window.Add<form::Label>("lbRpmMax", group, "7000")),
      rpmText(window.Add<form::Label>("lbRpm", group, "0tr/mn")),
      plot(window.Add<form::Image>("img1", group, kPlotWidth, kPlotHeight)),
      livePlot(window.Add<form::CheckBox>("cbRTV", group, "Visualiser en temps réel", true)),
      selectionFrame(window.Add<form::Bevel>("bvSelec", group)),
      selectionText(window.Add<form::Edit>("edSelec", group, "0s -> 0s")),
      exportButton(window.Add<form::Button>("btExp", group, "Exporter vers fichier")),
      showCurves(
          window.Add<form::Button>("btAffCourbe", group, "Afficher les courbes de performance")),
      saveDialog(window.Add<form::FileDialog>("SaveDialog1", nullptr, form::FileDialog::Mode::Save,
                                              kRunFileFilter)) {
  livePlot.SetVisible(false);
  selectionFrame.SetVisible(false);
  selectionText.SetReadOnly(true);
  selectionText.SetVisible(false);
  exportButton.SetEnabled(false);
  // Hands a selection straight to the power computation, which does not exist yet.
  showCurves.SetEnabled(false);
  showCurves.SetVisible(false);
  PlacePlot(209, 25);
}

void RecorderPanel::PlacePlot(int left, int top) {
  plot.SetBounds(left, top, kPlotWidth, kPlotHeight);
  selectionFrame.SetBounds(left, top, 1, kFrameHeight);
  selectionText.SetBounds(left + kSelectionTextDx, top + kSelectionTextDy, 150, 21);
}

form::ComboBox& AddGearChoice(form::Window& window, form::Container* parent) {
  auto& gear = window.Add<form::ComboBox>("cbGear", parent);
  gear.SetItems({"1", "2", "3", "4", "5", "6"});
  gear.SetItemIndex(2);
  return gear;
}

}  // namespace kelvra::acquisition
