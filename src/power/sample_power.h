#pragma once

#include "power/power_sample.h"
#include "vehicle/derived_constants.h"

namespace kelvra::power {

// The vehicle as the road-load model sees it: the derived constants of the selected vehicle and
// the three fields read at each computation.
struct RoadLoad {
  vehicle::DerivedConstants constants;
  float tyreCircumference = 0;  // m
  float wheelMass = 0;          // kg, one wheel
  float rotatingInertia = 0;    // kg·m², engine and transmission
};

// kW to metric horsepower.
inline constexpr double kCvPerKw = 1.3596193065941535;

// Engine power in cv of one sample, in a gear giving speedPer1000 km/h at 1000 tr/mn: the road term
// (drag, rolling, the vehicle's inertia) divided by (1 - loss), plus the rotating term (wheels,
// engine and transmission) multiplied by the loss fraction. A zero tyre circumference or a loss of
// 100 % throws DivisionByZeroError.
float SamplePower(const PowerSample& sample, float speedPer1000, const RoadLoad& load);

// The integral torque in 0.1 N·m of an integral power in 0.1 cv: power × 7021 / engine speed, the
// constant the curves are read back with. An engine speed of 0 throws DivisionByZeroError.
float SampleTorque10(float power10, float rpm);

}  // namespace kelvra::power
