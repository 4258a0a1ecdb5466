#include "acceleration/in_gear_estimate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/number_text.h"
#include "diagram_fixture.h"

namespace kelvra::acceleration {
namespace {

EstimateInputs ThirdGearAt30(const std::string& from, const std::string& to,
                             const std::string& gear = "3") {
  EstimateInputs in;
  in.startSpeed = from;
  in.endSpeed = to;
  in.gear = gear;
  in.gearSpeedTexts = {"10", "20", "30", "40", "50", "0"};
  for (int rpm = 1000; rpm <= 6000; rpm += 1000)
    in.engineSpeeds.push_back(std::to_string(rpm));
  return in;
}

TEST(InGearEstimate, SpeedsMustLieInTheGearsRangeAndIncrease) {
  struct Case {
    const char* from;
    const char* to;
    const char* message;
  };
  const Case cases[] = {
      {"80", "120", ""},
      {"30", "180", ""},
      {"20", "120", kInvalidSpeedsMessage},  // below 1000 tr/mn in third
      {"80", "181", kInvalidSpeedsMessage},  // above 6000 tr/mn
      {"120", "80", kInvalidSpeedsMessage},
      {"80", "80", kInvalidSpeedsMessage},
      {"x", "120", kInvalidSpeedsMessage},  // 0 km/h
      {"80", "x", kInvalidSpeedsMessage},   // 1000 km/h
  };
  for (const Case& c : cases) {
    const EstimatePlan plan = PlanInGearTime(ThirdGearAt30(c.from, c.to));
    EXPECT_EQ(plan.message, c.message) << c.from << " " << c.to;
  }
  const EstimatePlan plan = PlanInGearTime(ThirdGearAt30("80", "120"));
  EXPECT_EQ(plan.gear, 2);
  EXPECT_EQ(plan.speedPer1000, 30);
}

TEST(InGearEstimate, GearMustBeOneOfTheDefinedGears) {
  for (const char* gear : {"6", "7", "x", "0", "-1"})
    EXPECT_EQ(PlanInGearTime(ThirdGearAt30("80", "120", gear)).message, kInvalidGearMessage)
        << gear;
  EXPECT_EQ(PlanInGearTime(ThirdGearAt30("10", "20", "1")).message, "");
  EXPECT_EQ(PlanInGearTime(ThirdGearAt30("50", "100", "5")).message, "");
  EstimateInputs empty = ThirdGearAt30("80", "120");
  empty.engineSpeeds.clear();
  EXPECT_EQ(PlanInGearTime(empty).message, kNoDataLine);
}

TEST(InGearEstimate, ConstantAccelerationTakesTheSpeedGapOverTheAcceleration) {
  const DiagramInputs in = test::ConstantTorque("150", "30");
  AccelerationDiagram diagram;
  diagram.Compute(in);
  const double a = test::ConstantTorqueAcceleration(150, 30, in.constants.vehicleMass);
  ASSERT_NEAR(diagram.GearAccelTable()[10][2], a, 1e-4);
  for (auto [from, to] : {std::pair{"80", "120"}, {"40", "170"}, {"100", "101"}}) {
    const EstimatePlan plan = PlanInGearTime({from, to, "3", in.gearSpeedTexts, in.rows.speeds});
    ASSERT_EQ(plan.message, "");
    const std::string text = InGearTime(plan, in.rows.speeds, diagram.GearAccelTable());
    ASSERT_TRUE(text.ends_with("s")) << text;
    const double shown = ParseReal(text.substr(0, text.size() - 1));
    const double exact = (plan.endKmh - plan.startKmh) / (3.6 * a);
    EXPECT_NEAR(shown, std::floor(exact * 10) / 10, 0.1 + 1e-9) << text;
    EXPECT_LE(shown, exact + 0.01) << text;
  }
}

TEST(InGearEstimate, AccelerationThatNeverGetsThereStopsAtSixtySeconds) {
  DiagramInputs in = test::ConstantTorque("0,5", "30");
  AccelerationDiagram diagram;
  diagram.Compute(in);
  const EstimatePlan plan = PlanInGearTime({"80", "170", "3", in.gearSpeedTexts, in.rows.speeds});
  EXPECT_EQ(InGearTime(plan, in.rows.speeds, diagram.GearAccelTable()), "60s");
}

}  // namespace
}  // namespace kelvra::acceleration
