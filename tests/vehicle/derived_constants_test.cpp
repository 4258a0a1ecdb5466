#include "vehicle/derived_constants.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

constexpr const char* kFriction = "0,015";

TEST(DerivedConstantsTest, InitialTextsGiveTheModelsFloats) {
  DerivedConstants c;
  ComputeDerivedConstants(VehicleProfile::Initial(), kFriction, c);
  EXPECT_EQ(c.airDensity, 1.1785705f);
  EXPECT_EQ(c.dragArea, 0.63f);
  EXPECT_EQ(c.vehicleMass, 1000.0f);
  EXPECT_EQ(c.gravity, 9.8f);
  EXPECT_EQ(c.rollingFriction, 0.015f);
  EXPECT_EQ(c.aeroCoefficient, 0.0079571698f);
  EXPECT_EQ(c.rollingCoefficient, 40.833332f);
  EXPECT_EQ(c.inertiaCoefficient, 77.160492f);
  EXPECT_EQ(c.transmissionLoss, 0.15f);
  EXPECT_EQ(c.saeFactor, 1.0522959f);

  const ConstantLabels labels = ConstantLabelTexts(c);
  EXPECT_EQ(labels.sae, "1,05229592323303");
  EXPECT_EQ(labels.k2, "= 40,8333320617676 W/(km/h)");
  EXPECT_EQ(labels.k1.substr(0, 2), "= ");
  EXPECT_TRUE(labels.k1.ends_with(" W/(km/h)^3"));
  EXPECT_TRUE(labels.k3.ends_with(" W/(km²/h^3)"));
}

TEST(DerivedConstantsTest, BeforeTheFirstComputation) {
  const DerivedConstants c;
  EXPECT_EQ(c.airDensity, 1.2f);
  EXPECT_EQ(c.vehicleMass, 1150.0f);
  EXPECT_EQ(c.aeroCoefficient, 0.0f);
  EXPECT_EQ(c.saeFactor, 0.0f);
}

// A failing step keeps the constants computed before it and leaves the later ones as they were.
TEST(DerivedConstantsTest, AFieldThatIsNotANumberStopsAtItsStep) {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.texts[kMassField] = "lourd";
  DerivedConstants c;
  try {
    ComputeDerivedConstants(profile, kFriction, c);
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'lourd' is not a valid floating point value");
  }
  EXPECT_EQ(c.airDensity, 1.1785705f);  // new
  EXPECT_EQ(c.dragArea, 0.63f);         // new (same as before)
  EXPECT_EQ(c.vehicleMass, 1150.0f);    // old
  EXPECT_EQ(c.aeroCoefficient, 0.0f);   // old

  profile = VehicleProfile::Initial();
  DerivedConstants d;
  EXPECT_THROW(ComputeDerivedConstants(profile, "0.015x", d), ConversionError);
  EXPECT_EQ(d.vehicleMass, 1000.0f);
  EXPECT_EQ(d.rollingCoefficient, 0.0f);
}

TEST(DerivedConstantsTest, ZeroDivisorsStopWithTheDivisionError) {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.texts[kVapourField] = "990";  // dry pressure 0
  DerivedConstants c;
  try {
    ComputeDerivedConstants(profile, kFriction, c);
    FAIL() << "no error";
  } catch (const DivisionByZeroError& error) {
    EXPECT_STREQ(error.what(), "Floating point division by zero");
  }
  EXPECT_EQ(c.transmissionLoss, 0.15f);
  EXPECT_EQ(c.saeFactor, 0.0f);

  profile = VehicleProfile::Initial();
  profile.texts[kTemperatureField] = "-273";
  DerivedConstants d;
  EXPECT_THROW(ComputeDerivedConstants(profile, kFriction, d), DivisionByZeroError);
  EXPECT_EQ(d.airDensity, 1.2f);
}

}  // namespace
}  // namespace kelvra::vehicle
