#include "vehicle/derived_constants.h"

#include <cmath>

#include "common/errors.h"
#include "common/number_text.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

namespace {

// 1/3.6, 1/8.314 and 1/298 as the doubles the model has always used.
constexpr double kPerKmh = 0.2777777777777778;
constexpr double kPerGasConstant = 0.12027904738994467;
constexpr double kPerStandardKelvin = 0.003355704697986577;

double Field(const ProfileFields& profile, std::size_t field) {
  return ParseReal(profile.FieldText(field));
}

double Divide(double numerator, double denominator) {
  if (denominator == 0)
    throw DivisionByZeroError();
  return numerator / denominator;
}

}  // namespace

void ComputeDerivedConstants(const ProfileFields& profile, std::string_view rollingFrictionText,
                             DerivedConstants& c) {
  const double pressure = Field(profile, kPressureField);
  const double temperature = Field(profile, kTemperatureField);
  c.airDensity = static_cast<float>(Divide(pressure * 2.9 * kPerGasConstant, temperature + 273));
  c.dragArea = static_cast<float>(Field(profile, kDragAreaField));
  c.vehicleMass = static_cast<float>(Field(profile, kMassField) + Field(profile, kExtraMassField));
  c.rollingFriction = static_cast<float>(ParseReal(rollingFrictionText));
  c.aeroCoefficient =
      static_cast<float>(std::pow(kPerKmh, 3) * (double{c.airDensity} * double{c.dragArea}) * 0.5);
  c.rollingCoefficient = static_cast<float>(double{c.vehicleMass} * double{c.gravity} *
                                            double{c.rollingFriction} * kPerKmh);
  c.inertiaCoefficient = static_cast<float>(std::pow(kPerKmh, 2) * double{c.vehicleMass});
  c.transmissionLoss = static_cast<float>(Field(profile, kLossField) * 0.01);
  // The weather is read again from its fields, as the SAE correction has always done.
  const double kelvin = Field(profile, kTemperatureField) + 273;
  const double dryPressure = Field(profile, kPressureField) - Field(profile, kVapourField);
  c.saeFactor = static_cast<float>(
      std::sqrt(kelvin * kPerStandardKelvin) * Divide(1168.2, dryPressure) - 0.18);
}

ConstantLabels ConstantLabelTexts(const DerivedConstants& c) {
  return {"= " + FormatGeneral(c.aeroCoefficient) + " W/(km/h)^3",
          "= " + FormatGeneral(c.rollingCoefficient) + " W/(km/h)",
          "= " + FormatGeneral(c.inertiaCoefficient) + " W/(km²/h^3)", FormatGeneral(c.saeFactor)};
}

}  // namespace kelvra::vehicle
