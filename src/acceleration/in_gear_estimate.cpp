#include "acceleration/in_gear_estimate.h"

#include "acceleration/truncation.h"
#include "common/number_text.h"

namespace kelvra::acceleration {

EstimatePlan PlanInGearTime(const EstimateInputs& in) {
  EstimatePlan plan;
  plan.startKmh = ParseIntegerOr(in.startSpeed, 0);
  plan.endKmh = ParseIntegerOr(in.endSpeed, 1000);
  const int k = ParseIntegerOr(in.gear, 7);
  // A gear below the first names no gear at all.
  if (k < 1 || GearCount(in.gearSpeedTexts) < k) {
    plan.message = kInvalidGearMessage;
    return plan;
  }
  plan.gear = k - 1;
  if (in.engineSpeeds.empty()) {
    plan.message = kNoDataLine;
    return plan;
  }
  plan.speedPer1000 = ParseReal(in.gearSpeedTexts[plan.gear]);
  const double firstRpm = ParseInteger(in.engineSpeeds.front());
  const double lastRpm = ParseInteger(in.engineSpeeds.back());
  const bool valid = plan.startKmh >= plan.speedPer1000 * firstRpm * 0.001 &&
                     plan.endKmh <= plan.speedPer1000 * lastRpm * 0.001 &&
                     plan.startKmh < plan.endKmh;
  if (!valid)
    plan.message = kInvalidSpeedsMessage;
  return plan;
}

std::string InGearTime(const EstimatePlan& plan, const std::vector<std::string>& engineSpeeds,
                       const AccelerationDiagram::Table& accel) {
  constexpr double kStep = 0.01;
  constexpr double kLimit = 60;
  const int n = static_cast<int>(std::min(engineSpeeds.size(), kMaxDataRows));
  std::vector<double> rpms(n);
  for (int i = 0; i < n; ++i)
    rpms[i] = ParseReal(engineSpeeds[i]);
  double v = plan.startKmh;
  double t = 0;
  int j = 0;
  while (n > 0 && v < plan.endKmh && t < kLimit) {
    const double target = static_cast<double>(Trunc(v * 1000 / plan.speedPer1000));
    // The cursor only moves forward, and stays on the last row past the end of the data.
    while (j < n - 1 && rpms[j] < target)
      ++j;
    const double a = accel[j][plan.gear];
    v += a * kStep * 3.6;
    t += kStep;
  }
  return FormatGeneral(static_cast<double>(Trunc(t * 10)) * 0.1) + "s";
}

}  // namespace kelvra::acceleration
