#pragma once

#include "form/button_controls.h"
#include "form/control.h"
#include "form/file_dialog.h"
#include "form/image.h"
#include "form/list_controls.h"
#include "form/range_controls.h"
#include "form/text_controls.h"
#include "form/window.h"

namespace kelvra::acquisition {

// The recorder's own controls in the group "Acquisition": stop button, thresholds, gauge, run plot,
// selection frame and export. Created with their names, captions, initial texts and flags; the
// plot and the selection controls get their place over it, the rest is laid out by the window.
class RecorderPanel {
 public:
  static constexpr int kPlotWidth = 399;
  static constexpr int kPlotHeight = 183;
  static constexpr int kFrameHeight = 165;
  static constexpr std::string_view kRunFileFilter =
      "Fichier texte (*.txt)|*.txt|Fichier CSV (*.csv)|*.csv|Fichier RPM (*.rpm)|*.rpm|"
      "Tous les fichiers (*.*)|*.*";

  RecorderPanel(form::Window& window, form::Container* group);

  // Moves the plot, and the selection frame and text that belong over it.
  void PlacePlot(int left, int top);

  form::Button& stop;            // btSrpm
  form::Label& startLabel;       // Label14
  form::Edit& startRpm;          // edRstart
  form::Label& startUnit;        // Label15
  form::Label& stopLabel;        // Label16
  form::Edit& stopRpm;           // edRstop
  form::Label& stopUnit;         // Label17
  form::ProgressBar& gauge;      // pbRPM
  form::Label& gaugeTop;         // lbRpmMax
  form::Label& rpmText;          // lbRpm
  form::Image& plot;             // img1
  form::CheckBox& livePlot;      // cbRTV, hidden
  form::Bevel& selectionFrame;   // bvSelec, hidden
  form::Edit& selectionText;     // edSelec, read-only, hidden
  form::Button& exportButton;    // btExp
  form::Button& showCurves;      // btAffCourbe, hidden
  form::FileDialog& saveDialog;  // SaveDialog1
};

// cbGear, the engaged gear of the power tab that the recorder reads: items "1" to "6", "3" chosen.
form::ComboBox& AddGearChoice(form::Window& window, form::Container* parent);

}  // namespace kelvra::acquisition
