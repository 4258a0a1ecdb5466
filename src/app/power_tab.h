#pragma once

#include <array>

#include "form/button_controls.h"
#include "form/control.h"
#include "form/file_dialog.h"
#include "form/image.h"
#include "form/page_controls.h"
#include "form/range_controls.h"
#include "form/text_controls.h"
#include "power/curve_chart.h"
#include "power/curve_computation.h"

namespace kelvra::app {

class MainWindow;

// tsPuissance "Détermination puissance": the group "Contrôle", the chart with its legend and the
// group "Statistiques :". It computes into the main window's power workspace and shows the
// selected vehicle's stored curve when the selection asks for it.
class PowerTab {
 public:
  explicit PowerTab(MainWindow& window);
  PowerTab(const PowerTab&) = delete;
  PowerTab& operator=(const PowerTab&) = delete;

  // AddCurve with the run file of Edit28 (btGraphCClick) or with the stored curve of the vehicle
  // named in edVehName (the vehicle selection).
  void btGraphCClick();
  void ShowVehicleCurve();
  void Button11Click();  // "Effacer"
  void Button4Click();   // "Exporter données"
  void Button21Click();  // "Affecter au veh."
  void Image1MouseMove(const form::MouseEvent& event);
  void imLegMouseDown(const form::MouseEvent& event);

  form::Panel& control;         // GroupBox14 "Contrôle"
  form::Button& addCurve;       // btGraphC
  form::Button& clear;          // Button11
  form::Button& exportData;     // Button4
  form::Button& assign;         // Button21
  form::CheckBox& power;        // cbPower
  form::CheckBox& torque;       // cbCouple
  form::CheckBox& grid;         // cbGrille
  form::CheckBox& sae;          // cbSAE
  form::CheckBox& rawData;      // cbRawDat
  form::Button& loadRun;        // Button3 "load+der", hidden
  form::CheckBox& rotating;     // cb2 "tstin", hidden, checked
  form::Bevel& chartFrame;      // the frame around the chart
  form::Image& curves;          // Image1
  form::Image& axes;            // img2, over Image1
  form::Bevel& legendFrame;     // the frame around the legend
  form::Image& legend;          // imLeg
  form::Panel& statistics;      // GroupBox9 "Statistiques :"
  form::Label& maxPower;        // lbPmax
  form::Label& maxTorque;       // lbCmax
  form::Label& elasticity;      // lbElasticite
  form::Label& ratioAtPower;    // lbPCratio
  form::Label& meanPressure;    // lbMeanPsi
  form::Label& specificPower;   // lbPspe
  form::Label& specificTorque;  // lbCspe
  form::Label& fillFactor;      // lbCoeffRempl
  form::Label& meanPower;       // lbPowEff
  form::Label& readout;         // lbStats
  form::Memo& runText;          // Memo1, hidden
  form::Memo& trace;            // Memo2, hidden
  form::Memo& rpmList;          // Memo3, hidden
  form::Memo& torqueList;       // Memo4, hidden until a curve is not linked
  power::CurveChart chart;

 private:
  void Compute(const power::CurveRequest& request);
  power::PowerInputs Inputs() const;
  double Correction() const;
  void ShowLists();
  void FillStatistics();
  void Layout();

  MainWindow& window_;
  power::PowerWorkspace& workspace_;
};

}  // namespace kelvra::app
