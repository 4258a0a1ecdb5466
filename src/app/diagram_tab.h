#pragma once

#include <array>
#include <functional>

#include "acceleration/acceleration_diagram.h"
#include "acceleration/drag_race.h"
#include "form/button_controls.h"
#include "form/chart.h"
#include "form/file_dialog.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "form/window.h"
#include "power/curve_computation.h"
#include "vehicle/derived_constants.h"

namespace kelvra::app {

// TabSheet9 "Diagramme d'acceleration": the engine curve's lists and their sources, the diagram
// per gear on Chart1 with its results, its scale panel, the in-gear estimate and the two
// envelopes the drag race takes.
class DiagramTab {
 public:
  struct Sources {
    const power::PowerWorkspace& power;                        // "Source mémoire"
    std::array<form::Edit*, acceleration::kGears> gearSpeeds;  // edRv1 .. edRv6
    std::function<vehicle::DerivedConstants()> constants;
    form::FileDialog& openDialog;  // OpenDialog1, shared
  };

  DiagramTab(form::Window& window, form::TabPage& page, Sources sources);
  DiagramTab(const DiagramTab&) = delete;
  DiagramTab& operator=(const DiagramTab&) = delete;

  void AddDataRow();                  // Button24
  void RemoveLastDataRow();           // Button26
  void ClearData();                   // Button27
  void LoadDataFromFile();            // Button25
  void LoadDataFromCurve();           // Button29
  void ToggleScalePanel();            // Button35, Button36
  void ApplyScale();                  // cbAE
  void ResetZoom();                   // double click on Chart1
  void ComputeAccelerationDiagram();  // Button28
  void EstimateInGearTime();          // Button34
  void MemoriseEnvelope();            // Button38

  // MaxEnvelope with topSpeed1, and MemorisedEnvelope with topSpeed2, for the drag race.
  acceleration::RaceEnvelope CurrentEnvelope() const;
  acceleration::RaceEnvelope MemorisedEnvelope() const;
  const acceleration::AccelerationDiagram& Diagram() const { return diagram_; }
  float TopSpeed() const { return topSpeed1_; }

  form::TabPage& page;
  form::Panel& dataGroup;        // "Données"
  form::Memo& engineSpeeds;      // meReg
  form::Memo& engineValues;      // mePow
  form::Edit& newSpeed;          // edDReg
  form::Edit& newValue;          // edDPow
  form::Button& addRow;          // Button24
  form::Button& removeRow;       // Button26
  form::Button& clearRows;       // Button27
  form::Button& fromFile;        // Button25
  form::Button& fromCurve;       // Button29
  form::RadioButton& powerCv;    // rbDCV
  form::RadioButton& powerKw;    // rbDKW
  form::RadioButton& torque;     // rbDNM
  form::Chart& chart;            // Chart1
  form::Button& compute;         // Button28
  form::Button& scaleButton;     // Button35
  form::RadioButton& unitMs2;    // rbDms
  form::RadioButton& unitKmhs;   // RadioButton2
  form::CheckBox& opti;          // CheckBox3
  form::Edit& optiLowSpeed;      // Edit9
  form::CheckBox& maxEnvelope;   // cbMax
  form::Memo& maxResults;        // meDRes
  form::Memo& shiftResults;      // meDpas
  form::Panel& advanced;         // "Options avancées de simulation", hidden
  form::CheckBox& tyreFriction;  // cbDpneu
  form::Panel& scalePanel;       // GroupBox27 "Echelle", hidden
  form::CheckBox& autoScale;     // cbAE
  form::Edit& minSpeed;          // Edit10
  form::Edit& maxSpeed;          // Edit11
  form::Edit& minAccel;          // Edit12
  form::Edit& maxAccel;          // Edit13
  form::Button& scaleOk;         // Button36
  form::Panel& estimateGroup;    // "Reprises / Accélération"
  form::Edit& startSpeed;        // Edit5
  form::Edit& endSpeed;          // Edit7
  form::Edit& gear;              // Edit8
  form::Button& estimate;        // Button34
  form::Label& estimateResult;   // lbResRepr
  form::Button& animation;       // Button37
  form::Button& memorise;        // Button38

 private:
  form::ChartSeries& GearSeries(int g) { return chart.Series(g); }
  form::ChartSeries& OptiSeries() { return chart.Series(6); }
  form::ChartSeries& MaxSeries() { return chart.Series(7); }
  form::ChartSeries& MemorisedSeries() { return chart.Series(8); }
  std::array<std::string, acceleration::kGears> GearSpeedTexts() const;

  form::Window& window_;
  Sources sources_;
  acceleration::AccelerationDiagram diagram_;
  float topSpeed1_ = 0;
  float topSpeed2_ = 0;
  bool maxInKmhs_ = false;
  bool memorisedInKmhs_ = false;
};

}  // namespace kelvra::app
