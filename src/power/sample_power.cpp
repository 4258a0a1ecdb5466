#include "power/sample_power.h"

#include <cmath>
#include <numbers>

#include "common/errors.h"

namespace kelvra::power {

float SamplePower(const PowerSample& sample, float speedPer1000, const RoadLoad& load) {
  const vehicle::DerivedConstants& k = load.constants;
  const float v = static_cast<float>(static_cast<double>(speedPer1000) * sample.rpm * 0.001);
  const float a = static_cast<float>(static_cast<double>(speedPer1000) * sample.rpmRate * 0.001);
  const double loss = k.transmissionLoss;
  const double circ = load.tyreCircumference;
  if (loss == 1 || circ == 0)
    throw DivisionByZeroError();
  const double v3 = static_cast<double>(v) * v * v;
  const double road = (k.aeroCoefficient * v3 + static_cast<double>(k.rollingCoefficient) * v +
                       static_cast<double>(k.inertiaCoefficient) * v * a) *
                      kCvPerKw * 0.001 / (1 - loss);
  const double radius = circ * 0.5 * (1 / std::numbers::pi);
  const double omega = sample.rpm * (1.0 / 60) * 2 * std::numbers::pi;
  const double omegaRate = sample.rpmRate * (1.0 / 60) * 2 * std::numbers::pi;
  const double rotating =
      ((4 * static_cast<double>(load.wheelMass) * radius * radius) * a * v / (circ * circ) +
       omegaRate * omega * load.rotatingInertia) *
      kCvPerKw * 0.001 * loss;
  return static_cast<float>(road + rotating);
}

float SampleTorque10(float power10, float rpm) {
  if (rpm == 0)
    throw DivisionByZeroError();
  return static_cast<float>(std::trunc(static_cast<double>(power10) * 7021 / rpm));
}

}  // namespace kelvra::power
