#pragma once

#include <array>

#include "diagnostics/pid_table.h"
#include "form/button_controls.h"
#include "form/chart.h"
#include "form/list_controls.h"
#include "form/text_controls.h"

namespace kelvra::diagnostics {

// Group "Paramètres à visualiser", group "Données" and the log switch.
struct DisplayControls {
  form::CheckListBox& pidList;                   // clbPid
  form::Button& visualise;                       // btVisDiag
  std::array<form::Label*, kPidCount> displays;  // lb0104 … lb012F
  form::CheckBox& logBox;                        // cbLogDiag
  form::Edit& logName;                           // edSaveLogDiag
};

// Groups "Puissance / Couple instantanné", "Consommation instantannée" and "Graphe alternatif en
// fonction du temps : Régime surpression".
struct LiveModeControls {
  form::Button& power;         // Button15 "Activer"
  form::Label& torqueText;     // lbCouple
  form::Label& powerText;      // lbPowa
  form::Button& consumption;   // Button16 "Activer"
  form::Label& litresPerHour;  // lbCh
  form::Label& litresPer100;   // lbC100
  form::Edit& atmosphere;      // edGPatm, mbar
  form::Edit& boostMax;        // Edit6 "Surpression max"
  form::CheckBox& boostAlert;  // cbBarAlert "Activer Alerte"
  form::Button& barometer;     // Button33 "Auto"
  form::Button& showChart;     // Button31 "Afficher"
  form::Button& resetChart;    // Button32 "RAZ"
};

// Group "Performances" and the acceleration readout.
struct PerformanceControls {
  form::RadioButton& zeroTo100;   // rb0100
  form::RadioButton& fromTo;      // rbDea
  form::Edit& fromSpeed;          // edDe, km/h
  form::Edit& toSpeed;            // edA, km/h
  form::RadioButton& metres400;   // rb400m
  form::RadioButton& metres1000;  // rb1000m
  form::RadioButton& flying;      // rbLance
  form::Edit& flyingDistance;     // edM, m
  form::Edit& flyingSpeed;        // edMA, km/h
  form::CheckBox& beep;           // cbBeep
  form::Button& toggle;           // Button18 "Démarrer"
  form::Label& time;              // lbPerfT
  form::Label& speed;             // lbPerfV
  form::Label& acceleration;      // lbAcc
  form::Label& maxAcceleration;   // lbMaxAcc
  form::Button& resetMax;         // Button17 "Remise à 0"
};

// The vehicle editor's fields the live estimates read (tab "Param. Calculs RT" and edCyl).
struct VehicleRtControls {
  form::RadioButton& diesel;     // rbRTdiesel
  form::RadioButton& airFlow;    // rbRTMAF
  form::RadioButton& loadIsClv;  // rbRTCLV
  form::Edit& dieselRatio;       // edRTsto
  form::Edit& dieselDensity;     // edRTrhoD
  form::Edit& dieselMolarMass;   // edRTmolD
  form::Edit& petrolDensity;     // edRTrhoE
  form::Edit& filling;           // edRTrempl
  form::Edit& petrolMolarMass;   // edRTmolE
  form::Edit& displacement;      // edCyl
};

// TForm3's chart: "RPM" on the left axis, "mBar" on the right.
struct LiveChartControls {
  form::ChartSeries& rpm;    // Series1
  form::ChartSeries& boost;  // Series2
};

}  // namespace kelvra::diagnostics
