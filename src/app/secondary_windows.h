#pragma once

#include "form/chart.h"
#include "form/window.h"

namespace kelvra::app {

// TForm3 "Graphe alternatif": engine speed and boost against time.
class LiveChartWindow : public form::Window {
 public:
  explicit LiveChartWindow(form::Services& services);
  form::Chart& chart;  // Chart1
};

}  // namespace kelvra::app
