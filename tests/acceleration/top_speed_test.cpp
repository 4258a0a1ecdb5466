#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "acceleration/acceleration_diagram.h"
#include "common/number_text.h"
#include "simulator/car_description.h"

namespace kelvra::acceleration {
namespace {

constexpr double kGravity = 9.81;  // the simulated car's

// Where the simulated car's wheel power, in top gear, equals its road load: bisection on the
// speed, from the car model's own balance.
double ModelTopSpeedKmh(const simulator::CarDescription& car) {
  const double per1000 = car.gearSpeedsPer1000.back();
  const auto surplus = [&](double kmh) {
    const double v = kmh / 3.6;
    const double rpm = kmh / per1000 * 1000;
    const double omega = rpm * 2 * std::numbers::pi / 60;
    const double wheel =
        simulator::TorqueAt(car, rpm) * omega * (1 - car.transmissionLossPercent / 100);
    const double load = (0.5 * car.airDensity * car.dragAreaM2 * v * v +
                         car.rollingCoefficient * car.massKg * kGravity) *
                        v;
    return wheel - load;
  };
  double low = car.idleRpm * per1000 / 1000;
  double high = car.torqueCurve.back().rpm * per1000 / 1000;
  EXPECT_GT(surplus(low), 0);
  EXPECT_LT(surplus(high), 0);
  for (int i = 0; i < 100; ++i) {
    const double mid = (low + high) / 2;
    (surplus(mid) > 0 ? low : high) = mid;
  }
  return low;
}

TEST(TopSpeed, DiagramOfTheSimulatedCarMeetsItsRoadLoadBalance) {
  const simulator::CarDescription car = simulator::DefaultCar();
  DiagramInputs in;
  in.kind = ValueKind::kTorqueNm;
  for (int rpm = static_cast<int>(car.idleRpm); rpm <= car.torqueCurve.back().rpm; rpm += 10) {
    in.rows.speeds.push_back(FormatInteger(rpm));
    in.rows.values.push_back(FormatGeneral(simulator::TorqueAt(car, rpm)));
  }
  for (std::size_t g = 0; g < car.gearSpeedsPer1000.size(); ++g)
    in.gearSpeedTexts[g] = FormatGeneral(car.gearSpeedsPer1000[g]);
  for (std::size_t g = car.gearSpeedsPer1000.size(); g < kGears; ++g)
    in.gearSpeedTexts[g] = "0";
  in.constants.airDensity = static_cast<float>(car.airDensity);
  in.constants.dragArea = static_cast<float>(car.dragAreaM2);
  in.constants.vehicleMass = static_cast<float>(car.massKg);
  in.constants.gravity = static_cast<float>(kGravity);
  in.constants.rollingFriction = static_cast<float>(car.rollingCoefficient);
  in.constants.transmissionLoss = static_cast<float>(car.transmissionLossPercent / 100);

  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  const double expected = ModelTopSpeedKmh(car);
  EXPECT_NEAR(r.topSpeed, expected, expected * 0.01);
  // The top speed lies inside the top gear's range, not at the end of the data.
  EXPECT_LT(r.topSpeed, car.torqueCurve.back().rpm * car.gearSpeedsPer1000.back() / 1000 - 1);
  EXPECT_TRUE(r.shiftLines.back().starts_with("Vmax : ")) << r.shiftLines.back();
}

}  // namespace
}  // namespace kelvra::acceleration
