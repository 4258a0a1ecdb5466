#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form/color.h"
#include "form/image.h"
#include "power/curve_set.h"

namespace kelvra::power {

// The pens of curve k: power in blue, torque in red, lighter for each further curve.
struct CurveColors {
  form::Color power;
  form::Color torque;
};
CurveColors ColorsOf(int k);

// "Puissance", "Couple" and "Afficher quadrillage", read at drawing time.
struct ChartOptions {
  bool power = true;
  bool torque = true;
  bool grid = true;
};

// The power tab's chart: the curves on Image1, the axes on img2 (transparent, over Image1) and the
// legend on imLeg, eight rows high. The scales are those of the latest drawing; the cursor readout
// reads them.
class CurveChart {
 public:
  static constexpr int kLegendRows = 8;

  CurveChart(form::Image& curves, form::Image& axes, form::Image& legend);

  // Every curve of the set over the set's range, power sampled every 50 tr/mn and torque every
  // 10 tr/mn; only the newest curve's legend row gets the legend text. A range or a maximum that
  // leaves a scale undefined draws nothing of what it scales.
  void DrawCurves(const CurveSet& set, const ChartOptions& options, std::string_view legendText,
                  double correction);
  // The three scales with their ticks and labels, the grid and the frame; the power scale is
  // graduated in tenths of peak10, the newest curve's peak power.
  void DrawAxes(const CurveSet& set, double peak10, bool grid);
  // The three images back to white.
  void Blank();

  // lbStats for the pointer at x in Image1 or img2: "3000tr/mn - 150Nm - 64Cv"; nothing outside
  // the range, before a drawing, or when the readout curve is not held.
  std::optional<std::string> ReadoutText(const CurveSet& set, int x, double correction) const;
  // The legend row under a click at y.
  int LegendRow(int y) const;

  form::Image& curves;  // Image1
  form::Image& axes;    // img2
  form::Image& legend;  // imLeg

 private:
  void ComputeScales(const CurveSet& set);

  float xScale_ = 0;       // pixels per tr/mn
  float powerScale_ = 0;   // pixels per 0.1 cv
  float torqueScale_ = 0;  // pixels per 0.1 N·m
};

// "Effacer" with reset: no curve, the widest-open range, no maxima; always: the images blanked.
void ClearChart(CurveSet& set, CurveChart& chart, bool reset);

// The legend text: the first status-bar panel from its 23rd character on, at most 200 characters
// (" name" while a vehicle is selected).
std::string LegendText(std::string_view statusPanel);

}  // namespace kelvra::power
