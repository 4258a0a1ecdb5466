#pragma once

#include <string>

#include "power/curve_set.h"

namespace kelvra::power {

// The texts of the group "Statistiques :", from the peaks of the fitted curves of the whole set;
// the last two come from the newest curve alone.
struct StatisticsTexts {
  std::string maxPower;            // lbPmax
  std::string maxTorque;           // lbCmax
  std::string elasticity;          // lbElasticite
  std::string torqueAtPowerRatio;  // lbPCratio
  std::string meanPressure;        // lbMeanPsi
  std::string specificPower;       // lbPspe
  std::string specificTorque;      // lbCspe
  std::string fillFactor;          // lbCoeffRempl
  std::string meanEffectivePower;  // lbPowEff
};

// displacement in cm³; correction as for EvaluateCurve. A zero divisor (no curve, a displacement
// of 0, a curve that never rises above 0) throws DivisionByZeroError before any text is made.
StatisticsTexts CurveStatisticsTexts(const CurveSet& set, double displacement,
                                     double correction = 1);

// The newest curve's mean and peak power over the set's range, by 10 tr/mn: the last two texts and
// the power scale of the chart's axes.
struct NewestCurvePower {
  double peak10 = 0;  // 0.1 cv, 0 at least
  double sum10 = 0;
  int steps = 0;
};
NewestCurvePower NewestPower(const CurveSet& set, double correction = 1);

// "123cv (90kW) - 5600tr/mn" for 1234 tenths of cv at 5600 tr/mn.
std::string MaxPowerText(double power10, int rpm);

}  // namespace kelvra::power
