#pragma once

#include <array>
#include <optional>
#include <vector>

#include "vehicle/stored_curve.h"

namespace kelvra::power {

enum class Quantity { kTorque, kPower };

// The largest values of the fitted curves, for the statistics; a later equal value keeps the
// earlier engine speed.
struct CurvePeaks {
  double power10 = 0;   // 0.1 cv
  double torque10 = 0;  // 0.1 N·m
  int rpmAtMaxPower = 0;
  int rpmAtMaxTorque = 0;
  double torqueAtMaxPower10 = 0;  // torque of the curve at rpmAtMaxPower
};

// The curves shown side by side. Each column keeps its own coefficients (highest power of engine
// speed first, up to 20), so curves fitted at different smoothings stay right; "Effacer" keeps the
// columns, which later computations overwrite one by one.
struct CurveSet {
  static constexpr int kMaxCurves = 7;
  static constexpr int kColumns = 8;
  static constexpr int kMaxCoefficients = 20;

  std::array<std::vector<double>, kColumns> columns;
  int curveCount = 0;
  float r0 = 32000;  // tr/mn, lower bound of the chart
  float rfin = 0;    // tr/mn, upper bound of the chart
  // The chart's vertical scales: the largest sample or curve value met, 0.1 cv and 0.1 N·m.
  float maxPower10 = 0;
  float maxTorque10 = 0;
  CurvePeaks peaks;
  int readoutCurve = 0;
  bool readoutEnabled = false;  // never cleared once set
  bool curveAvailable = false;  // never cleared once set

  // "Effacer": no curve, the widest-open range, no maxima.
  void Clear();
};

// Curve k at an engine speed, in 0.1 N·m or 0.1 cv (rpm × torque / 7021), multiplied by
// `correction` (the SAE factor when "Corrigé SAE" is checked, else 1). A column outside the table
// is 0.
double EvaluateCurve(const CurveSet& set, int k, int rpm, Quantity quantity, double correction = 1);

// The newest curve as the vehicle keeps it ("Affecter au veh."): its coefficients and the set's
// range truncated to whole engine speeds. None while the set holds no curve.
std::optional<vehicle::StoredCurve> NewestStoredCurve(const CurveSet& set);

}  // namespace kelvra::power
