#pragma once

#include <array>

#include "form/button_controls.h"
#include "form/control.h"
#include "form/file_dialog.h"
#include "form/image.h"
#include "form/list_controls.h"
#include "form/range_controls.h"
#include "form/text_controls.h"

namespace kelvra::acquisition {

// The controls the run recorder and the run selection read and write, wherever they live: most in
// the group "Acquisition", the gear on the power tab, the speeds per 1000 tr/mn on the vehicle tab.
struct RecorderControls {
  form::Button& viewRpm;                  // btRrpm "Visualiser régime"
  form::Button& acquire;                  // btWrpm "Lancer acquisition"
  form::Button& stop;                     // btSrpm "Stopper"
  form::Edit& startRpm;                   // edRstart
  form::Edit& stopRpm;                    // edRstop
  form::ProgressBar& gauge;               // pbRPM, in units of 10 tr/mn
  form::Label& gaugeTop;                  // lbRpmMax
  form::Label& rpmText;                   // lbRpm
  form::Image& plot;                      // img1
  form::CheckBox& livePlot;               // cbRTV "Visualiser en temps réel", hidden
  form::CheckBox& clockResync;            // cbRH "test horloge resyncro", hidden
  form::ComboBox& gear;                   // cbGear, on the power tab
  std::array<form::Edit*, 6> gearSpeeds;  // edRv1 .. edRv6, on the vehicle tab
  form::Bevel& selectionFrame;            // bvSelec
  form::Edit& selectionText;              // edSelec
  form::Button& exportButton;             // btExp "Exporter vers fichier"
  form::Button& showCurves;               // btAffCourbe, hidden
  form::FileDialog& saveDialog;           // SaveDialog1
};

}  // namespace kelvra::acquisition
