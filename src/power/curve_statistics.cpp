#include "power/curve_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::power {
namespace {

// Tenths of cv to kW: 1/13.6.
constexpr double kKwPerTenthCv = 0.07352941176470588;

std::string Whole(double value) {
  return FormatInteger(static_cast<std::int64_t>(std::trunc(value)));
}

double Divide(double dividend, double divisor) {
  if (divisor == 0)
    throw DivisionByZeroError();
  return dividend / divisor;
}

}  // namespace

std::string MaxPowerText(double power10, int rpm) {
  return Whole(power10 * 0.1) + "cv (" + Whole(power10 * kKwPerTenthCv) + "kW) - " +
         FormatInteger(rpm) + "tr/mn";
}

NewestCurvePower NewestPower(const CurveSet& set, double correction) {
  NewestCurvePower result;
  const int newest = set.curveCount - 1;
  for (std::int64_t rpm = static_cast<std::int64_t>(set.r0); rpm <= set.rfin; rpm += 10) {
    const double power =
        EvaluateCurve(set, newest, static_cast<int>(rpm), Quantity::kPower, correction);
    result.peak10 = std::max(result.peak10, power);
    result.sum10 += power;
    ++result.steps;
  }
  return result;
}

StatisticsTexts CurveStatisticsTexts(const CurveSet& set, double displacement, double correction) {
  const CurvePeaks& p = set.peaks;
  const double litres = displacement * 0.001;
  const double elasticity =
      std::trunc(Divide(Divide(p.rpmAtMaxPower * 100.0, p.rpmAtMaxTorque) * p.torqueAtMaxPower10,
                        p.torque10)) *
      0.01;
  const double ratioAtPower = Divide(100 * p.torqueAtMaxPower10, p.torque10);
  const double meanPressure = std::trunc(Divide(p.torque10 * 1.256, displacement * 0.01)) * 0.1;
  const double powerPerLitre = Divide(0.1 * p.power10, litres);
  const double kwPerLitre = Divide(kKwPerTenthCv * p.power10, litres);
  const double torquePerLitre = Divide(0.1 * p.torque10, litres);

  const NewestCurvePower newest = NewestPower(set, correction);
  const double peak = newest.peak10;
  const double sum = newest.sum10;
  const int steps = newest.steps;
  const float ratio = static_cast<float>(Divide(Divide(sum, peak), steps));

  StatisticsTexts t;
  t.maxPower = MaxPowerText(p.power10, p.rpmAtMaxPower);
  t.maxTorque = Whole(p.torque10 * 0.1) + "Nm - " + FormatInteger(p.rpmAtMaxTorque) + "tr/mn";
  t.elasticity = FormatGeneral(elasticity);
  t.torqueAtPowerRatio = Whole(ratioAtPower) + "%";
  t.meanPressure = FormatGeneral(meanPressure) + "bar";
  t.specificPower = Whole(powerPerLitre) + "cv/L (" + Whole(kwPerLitre) + "kW/L)";
  t.specificTorque = Whole(torquePerLitre) + "Nm/L";
  t.fillFactor = Whole(ratio * 100.0) + "%";
  t.meanEffectivePower = FormatGeneral(std::trunc(ratio * peak) * 0.1) + "cv";
  return t;
}

}  // namespace kelvra::power
