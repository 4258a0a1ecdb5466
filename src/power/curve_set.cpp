#include "power/curve_set.h"

#include "power/torque_fit.h"

namespace kelvra::power {

void CurveSet::Clear() {
  curveCount = 0;
  r0 = 32000;
  rfin = 0;
  maxPower10 = 0;
  maxTorque10 = 0;
  peaks = CurvePeaks{};
  readoutCurve = 0;
}

double EvaluateCurve(const CurveSet& set, int k, int rpm, Quantity quantity, double correction) {
  if (k < 0 || k >= CurveSet::kColumns)
    return 0;
  long double s = EvaluatePolynomial(set.columns[k], rpm);
  if (quantity == Quantity::kPower)
    s = rpm * s * 0.0001424298532972511L;
  return static_cast<double>(s * correction * 10);
}

std::optional<vehicle::StoredCurve> NewestStoredCurve(const CurveSet& set) {
  if (set.curveCount < 1 || set.curveCount > CurveSet::kColumns)
    return std::nullopt;
  return vehicle::StoredCurve::FromRange(set.columns[set.curveCount - 1], set.r0, set.rfin);
}

}  // namespace kelvra::power
