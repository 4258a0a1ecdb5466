#include "simulator/vehicle_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "common/errors.h"

namespace kelvra::simulator {
namespace {

// Seconds a full-throttle pull takes to reach the redline, checking on the way that the engine
// speed only rises and that the car's speed always follows the gear.
double PullTime(const CarDescription& car, int gear, double fromRpm) {
  VehicleModel model(car);
  model.StartPull(gear, fromRpm);
  const double per1000 = car.gearSpeedsPer1000[gear - 1];
  double previous = model.Rpm();
  double time = 0;
  while (model.Pulling() && time < 120) {
    model.Advance(0.01);
    time += 0.01;
    if (!model.Pulling())
      break;
    EXPECT_GT(model.Rpm(), previous) << "at " << time << " s";
    EXPECT_NEAR(model.SpeedKmh(), model.Rpm() / 1000 * per1000, 1e-9);
    previous = model.Rpm();
  }
  return time;
}

TEST(VehicleModel, PullInThirdClimbsToTheRedlineThenIdles) {
  const CarDescription car = DefaultCar();
  VehicleModel model(car);
  EXPECT_FALSE(model.Pulling());
  EXPECT_EQ(model.Rpm(), car.idleRpm);
  EXPECT_EQ(model.SpeedKmh(), 0);

  const double seconds = PullTime(car, 3, 1500);
  // A 110 cv hatchback takes ten to fifteen seconds from 30 to 120 km/h in third.
  EXPECT_GT(seconds, 8);
  EXPECT_LT(seconds, 20);

  model.StartPull(3, 1500);
  model.Advance(seconds + 0.1);
  EXPECT_FALSE(model.Pulling());
  EXPECT_EQ(model.Gear(), 0);
  EXPECT_EQ(model.Rpm(), car.idleRpm);
  EXPECT_EQ(model.SpeedKmh(), 0);
}

TEST(VehicleModel, MoreMassOrDragMakesASlowerPull) {
  const double reference = PullTime(DefaultCar(), 3, 1500);
  const std::function<void(CarDescription&)> changes[] = {
      [](CarDescription& car) { car.massKg *= 1.5; },
      [](CarDescription& car) { car.dragAreaM2 *= 3; },
      [](CarDescription& car) { car.rollingCoefficient *= 4; },
      [](CarDescription& car) { car.engineInertia *= 10; },
      [](CarDescription& car) { car.transmissionLossPercent = 30; },
  };
  for (const auto& change : changes) {
    CarDescription car = DefaultCar();
    change(car);
    EXPECT_GT(PullTime(car, 3, 1500), reference * 1.05);
  }
}

// With a flat torque curve the first instant of a pull can be worked out by hand:
// a = (T (1 - loss) ω/v - ½ ρ SCx v² - Crr m g) / (m + I_w / r² + I_e (ω/v)²).
TEST(VehicleModel, AccelerationFollowsTheRoadLoadBalance) {
  CarDescription base = DefaultCar();
  base.torqueCurve = {{500, 100}, {9000, 100}};
  base.gearSpeedsPer1000 = {36};  // 10 m/s at 1000 tr/mn
  base.massKg = 1000;
  base.transmissionLossPercent = 10;
  base.dragAreaM2 = 0;
  base.rollingCoefficient = 0;
  base.wheelsInertia = 0;
  base.engineInertia = 0;
  base.wheelRadiusM = 0.3;
  const double radPerMetre = 2 * std::numbers::pi / 60 / 0.01;  // ω/v
  const double wheelForce = 100 * 0.9 * radPerMetre;
  const struct {
    const char* what;
    std::function<void(CarDescription&)> change;
    double force;
    double mass;
  } cases[] = {
      {"couple seul", [](CarDescription&) {}, wheelForce, 1000},
      {"inertie moteur", [](CarDescription& car) { car.engineInertia = 0.5; }, wheelForce,
       1000 + 0.5 * radPerMetre * radPerMetre},
      {"inertie roues", [](CarDescription& car) { car.wheelsInertia = 2.7; }, wheelForce,
       1000 + 2.7 / 0.09},
      {"roulement", [](CarDescription& car) { car.rollingCoefficient = 0.015; },
       wheelForce - 0.015 * 1000 * 9.81, 1000},
      {"traînée", [](CarDescription& car) { car.dragAreaM2 = 0.7; },
       wheelForce - 0.5 * base.airDensity * 0.7 * 20 * 20, 1000},
  };
  for (const auto& c : cases) {
    CarDescription car = base;
    c.change(car);
    VehicleModel model(car);
    model.StartPull(1, 2000);  // 20 m/s
    model.Advance(0.05);
    const double acceleration = (model.SpeedKmh() / 3.6 - 20) / 0.05;
    EXPECT_NEAR(acceleration, c.force / c.mass, 0.002 * c.force / c.mass) << c.what;
  }
}

TEST(VehicleModel, RefusesAGearOrStartingSpeedTheCarCannotDo) {
  VehicleModel model;
  const struct {
    int gear;
    double rpm;
  } cases[] = {{0, 2000}, {7, 2000}, {3, 700}, {3, 6500}, {3, 9000}, {3, std::nan("")}};
  for (const auto& c : cases)
    EXPECT_THROW(model.StartPull(c.gear, c.rpm), Error) << c.gear << " " << c.rpm;
  EXPECT_FALSE(model.Pulling());
}

TEST(VehicleModel, HoldsASteadySpeedInAGearUntilThePullOrIdle) {
  VehicleModel model;
  model.HoldSpeed(3, 50);
  model.Advance(5);
  EXPECT_EQ(model.Gear(), 3);
  EXPECT_TRUE(model.Holding());
  EXPECT_NEAR(model.SpeedKmh(), 50, 1e-9);
  EXPECT_NEAR(model.Rpm(), 50 / model.Car().gearSpeedsPer1000[2] * 1000, 1e-9);
  EXPECT_NEAR(model.Readings().speedKmh, 50, 1e-9);

  model.StartPull(3, 3000);  // the pull accelerates again
  model.Advance(0.5);
  EXPECT_FALSE(model.Holding());
  EXPECT_GT(model.Rpm(), 3000);

  for (const auto& [gear, kmh] : {std::pair{7, 50.0}, {3, 5.0}, {1, 100.0}, {3, std::nan("")}})
    EXPECT_THROW(model.HoldSpeed(gear, kmh), Error) << gear << " " << kmh;
  model.SetIdle();
  EXPECT_FALSE(model.Holding());
}

TEST(VehicleModel, ReadingsShowIdleAndFullThrottle) {
  VehicleModel model;
  const EngineReadings idle = model.Readings();
  model.StartPull(2, 3000);
  const EngineReadings low = model.Readings();
  model.Advance(1.0);
  const EngineReadings high = model.Readings();

  EXPECT_EQ(idle.rpm, 750);
  EXPECT_EQ(idle.manifoldPressureKpa, 35);
  EXPECT_EQ(low.manifoldPressureKpa, 99);
  EXPECT_GT(low.throttlePercent, 80);
  EXPECT_LT(idle.throttlePercent, 20);
  EXPECT_EQ(idle.coolantC, 90);
  EXPECT_EQ(idle.intakeAirC, 25);
  // Air flow follows engine speed and load: a few g/s at idle, tens of g/s at full throttle.
  EXPECT_GT(idle.airFlowGramsPerS, 1);
  EXPECT_LT(idle.airFlowGramsPerS, 6);
  EXPECT_GT(high.rpm, low.rpm);
  EXPECT_GT(high.airFlowGramsPerS, low.airFlowGramsPerS);
  EXPECT_GT(low.airFlowGramsPerS, 5 * idle.airFlowGramsPerS);
  EXPECT_GT(high.timingAdvanceDeg, low.timingAdvanceDeg);
  // Fuel trims stay within a few percent of neutral.
  for (const EngineReadings& r : {idle, low, high}) {
    EXPECT_LT(std::abs(r.shortTrimBank1Percent), 5);
    EXPECT_LT(std::abs(r.longTrimBank2Percent), 5);
  }
}

TEST(VehicleModel, StandingStartShiftsAtTheRedlineAndNotesItsTimes) {
  VehicleModel model;
  model.StartStandingStart();
  EXPECT_EQ(model.Gear(), 1);
  EXPECT_EQ(model.Rpm(), model.LaunchRpm());  // the clutch slips
  EXPECT_EQ(model.SprintTimeTo(100), std::nullopt);
  int highestGear = 1;
  double lastKmh = 0;
  for (int ms = 0; ms < 30000 && model.Sprinting(); ++ms) {
    model.Advance(0.001);
    EXPECT_GE(model.SpeedKmh(), lastKmh);
    EXPECT_LE(model.Rpm(), model.Car().redlineRpm);
    lastKmh = model.SpeedKmh();
    highestGear = std::max(highestGear, model.Gear());
  }
  EXPECT_GE(highestGear, 3);  // second tops out at 84,5 km/h
  const auto to100 = model.SprintTimeTo(100);
  ASSERT_TRUE(to100.has_value());
  EXPECT_GT(*to100, 7);
  EXPECT_LT(*to100, 13);
  EXPECT_LT(*model.SprintTimeTo(0.5), 0.1);
  EXPECT_LT(*model.SprintTimeTo(50), *model.SprintTimeTo(99.5));
  EXPECT_LT(*model.SprintTimeTo(99.5), *to100);
}

}  // namespace
}  // namespace kelvra::simulator
