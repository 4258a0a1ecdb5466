#pragma once

#include "form/chart.h"
#include "form/window.h"

namespace kelvra::app {

// TForm3 "Graphe alternatif": engine speed and boost against time.
class LiveChartWindow : public form::Window {
 public:
  explicit LiveChartWindow(form::Services& services);
  form::Chart& chart;        // Chart1
  form::ChartSeries& rpm;    // Series1 "RPM", left axis, tr/mn
  form::ChartSeries& boost;  // Series2 "mBar", right axis, boost in mbar
};

}  // namespace kelvra::app
