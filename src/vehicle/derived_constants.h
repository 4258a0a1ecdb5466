#pragma once

#include <string>
#include <string_view>

#include "vehicle/profile_fields.h"

namespace kelvra::vehicle {

// The physical constants of the road-load model, held as 32-bit floats as the consumers expect
// them; the values are those before the first computation.
struct DerivedConstants {
  float airDensity = 1.2f;   // kg/m³
  float dragArea = 0.63f;    // m²
  float vehicleMass = 1150;  // kg
  float gravity = 9.8f;      // m/s², never recomputed
  float rollingFriction = 0.015f;
  float aeroCoefficient = 0;     // K1, W/(km/h)³
  float rollingCoefficient = 0;  // K2, W/(km/h)
  float inertiaCoefficient = 0;  // K3, W per (km/h × km/h/s)
  float transmissionLoss = 0;    // fraction
  float saeFactor = 0;
};

// Recomputes every constant but gravity from the profile's fields and the rolling-resistance
// coefficient (a field that is not stored). Each result is rounded to a float before the next step
// uses it. A text that is not a number or a zero divisor throws at its step: the constants computed
// before it keep their new values, the later ones their old values.
void ComputeDerivedConstants(const ProfileFields& profile, std::string_view rollingFrictionText,
                             DerivedConstants& constants);

// The texts of lbK1, lbK2, lbK3 and lbSAE.
struct ConstantLabels {
  std::string k1;
  std::string k2;
  std::string k3;
  std::string sae;
};
ConstantLabels ConstantLabelTexts(const DerivedConstants& constants);

}  // namespace kelvra::vehicle
