#include "power/sample_power.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace kelvra::power {
namespace {

RoadLoad Load(float loss) {
  RoadLoad load;
  load.constants.aeroCoefficient = 0.01f;
  load.constants.rollingCoefficient = 50;
  load.constants.inertiaCoefficient = 100;
  load.constants.transmissionLoss = loss;
  load.tyreCircumference = 2;
  load.wheelMass = 10;
  load.rotatingInertia = 0.5f;
  return load;
}

// 30 km/h gaining 10 km/h per s: 31,77 kW at the wheels.
TEST(SamplePowerTest, RoadTermDividedAndRotatingTermMultipliedByTheLoss) {
  const PowerSample sample{0, 3000, 1000, 0, 0};
  EXPECT_NEAR(SamplePower(sample, 10, Load(0)), 31.77 * kCvPerKw, 1e-4);
  // Road 53,9939 cv plus rotating 4,5556 cv (wheels 304 W, engine 16449 W, times 0,2).
  EXPECT_NEAR(SamplePower(sample, 10, Load(0.2f)), 58.549505, 1e-4);
}

TEST(SamplePowerTest, TorqueReadsBackThroughTheCurveConstant) {
  EXPECT_EQ(SampleTorque10(1000, 7021), 1000);
  EXPECT_EQ(SampleTorque10(1234, 3000), 2887);  // 2887,9... truncated
  EXPECT_THROW(SampleTorque10(100, 0), DivisionByZeroError);
  EXPECT_THROW(SamplePower({0, 3000, 1000, 0, 0}, 10, Load(1)), DivisionByZeroError);
}

}  // namespace
}  // namespace kelvra::power
