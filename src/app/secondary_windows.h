#pragma once

#include "form/button_controls.h"
#include "form/chart.h"
#include "form/window.h"

namespace kelvra::app {

// TForm2 "Rapports de boite": the gear speed dialog; its capture works only while online.
class GearSpeedWindow : public form::Window {
 public:
  explicit GearSpeedWindow(form::Services& services);
  form::Button& captureButton;  // Button3 "Démarrer/Arrêter capture"
};

// TForm3 "Graphe alternatif": engine speed and boost against time.
class LiveChartWindow : public form::Window {
 public:
  explicit LiveChartWindow(form::Services& services);
  form::Chart& chart;  // Chart1
};

// TForm4 "Animation": the drag race.
class DragRaceWindow : public form::Window {
 public:
  explicit DragRaceWindow(form::Services& services);
};

}  // namespace kelvra::app
