#include "diagnostics/consumption.h"

#include "common/number_text.h"

namespace kelvra::diagnostics {

namespace {

// The constants the estimate has always used: 1/29 (molar mass of air), 1/14.6 (stoichiometric
// air/fuel ratio of petrol), 1/60 (per minute to per second), the gas constant, 0 °C in K and
// 0.0005 (cm³ to litres, one intake stroke every second revolution).
constexpr double kPerMolarMassOfAir = 0.034482758620689655;
constexpr double kPetrolStoichiometric = 0.0684931506849315;
constexpr double kPerMinute = 0.016666666666666666;
constexpr double kGasConstant = 8.314;
constexpr double kZeroCelsius = 273;
constexpr double kLitresPerStroke = 0.0005;
constexpr float kScale = 0.2f;  // k, single precision as always

}  // namespace

float LitresPerHour(const ConsumptionParameters& p, const ConsumptionReadings& r) {
  const double k = kScale;
  const double trim = 0.01 * r.shortTrimPercent + 1;
  double c = 0;
  switch (p.engine) {
    case EngineKind::Diesel: {
      const double q = p.dieselMolarMass * (r.airFlowGramsPerS * kPerMolarMassOfAir) /
                       p.dieselAirFuelRatio * r.throttlePercent * 0.01 * trim * 3600 * k;
      c = q / p.dieselDensity;
      break;
    }
    case EngineKind::PetrolWithAirFlow: {
      const double q = p.petrolMolarMass * (r.airFlowGramsPerS * kPerMolarMassOfAir) *
                       kPetrolStoichiometric * trim * 3600 * k;
      c = q / p.petrolDensity;
      break;
    }
    case EngineKind::PetrolWithoutAirFlow: {
      const double m = p.petrolMolarMass * (r.manifoldKpa * r.rpm * kPerMinute) /
                       ((r.intakeAirC + kZeroCelsius) * kGasConstant);
      const double q = m * p.fillingPercent * 0.01 * p.displacementCm3 * kLitresPerStroke *
                       kPetrolStoichiometric * trim * 3600 * k;
      c = q / p.petrolDensity;
      break;
    }
  }
  return static_cast<float>(c);
}

std::string LitresPer100Text(float litresPerHour, double speedKmh) {
  if (!(speedKmh > 0))
    return "oo";
  return FormatGeneral(static_cast<double>(litresPerHour) * 100 / speedKmh);
}

}  // namespace kelvra::diagnostics
