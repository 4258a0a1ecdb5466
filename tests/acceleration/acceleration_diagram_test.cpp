#include "acceleration/acceleration_diagram.h"

#include <gtest/gtest.h>

#include <regex>

#include "common/errors.h"
#include "common/number_text.h"
#include "diagram_fixture.h"

namespace kelvra::acceleration {
namespace {

using test::FiveGears;

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

TEST(AccelerationDiagram, FiveGearsGiveFiveSeriesFourShiftsAndTheTopSpeed) {
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(FiveGears());
  EXPECT_EQ(r.gearCount, 5);
  for (int g = 0; g < 5; ++g)
    EXPECT_FALSE(r.gears[g].empty()) << g;
  EXPECT_TRUE(r.gears[5].empty());
  ASSERT_EQ(r.maxLines.size(), 5u);
  ASSERT_EQ(r.shiftLines.size(), 5u);
  const std::regex maxLine(R"(\d°: \d+(,\d{1,2})?m/s²)");
  const std::regex shiftLine(R"(\d->\d : \d+km/h \(\d+rpm\))");
  for (int g = 0; g < 5; ++g) {
    EXPECT_TRUE(std::regex_match(r.maxLines[g], maxLine)) << r.maxLines[g];
    EXPECT_TRUE(StartsWith(r.maxLines[g], std::to_string(g + 1) + "°: "));
  }
  for (int g = 0; g < 4; ++g) {
    EXPECT_TRUE(std::regex_match(r.shiftLines[g], shiftLine)) << r.shiftLines[g];
    EXPECT_TRUE(StartsWith(r.shiftLines[g], std::to_string(g + 1) + "->" + std::to_string(g + 2)));
  }
  EXPECT_TRUE(std::regex_match(r.shiftLines[4], std::regex(R"(Vmax : \d+km/h \(\d+rpm\))")))
      << r.shiftLines[4];
  EXPECT_EQ(r.topSpeed, r.shiftSpeed[4]);
  // Each gear shifts up inside its own range and below the next gear's shift.
  for (int g = 0; g < 4; ++g) {
    EXPECT_GT(r.shiftSpeed[g], 0) << g;
    EXPECT_LT(r.shiftSpeed[g], r.shiftSpeed[g + 1]) << g;
  }
}

TEST(AccelerationDiagram, FirstRowOfFirstGearByHand) {
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(FiveGears());
  // v = 8 km/h = 2,2222 m/s; 30 cv = 22058,8 W; a = W/m/v - v² ρ S / 2m - f g.
  const double v = 8 / 3.6;
  const double w = 30 * 0.7352941176470588 * 1000;
  const double a = w / 1150 / v - v * v * 1.2 * 0.63 * 0.5 / 1150 - 0.015 * 9.8;
  ASSERT_FALSE(r.gears[0].empty());
  EXPECT_NEAR(r.gears[0][0].x, 8, 1e-4);
  EXPECT_NEAR(r.gears[0][0].y, a, 1e-4);
  EXPECT_NEAR(diagram.GearSpeedTable()[0][0], v, 1e-5);
  EXPECT_FLOAT_EQ(r.maxWheelPower, 85 * 0.7352941176470588 * 1000);
  // The largest value of first gear, rounded down to the hundredth.
  EXPECT_EQ(r.maxLines[0], "1°: 8,48m/s²");
}

TEST(AccelerationDiagram, KilometresPerHourPerSecondAreThreePointSixTimesLarger) {
  AccelerationDiagram ms;
  const DiagramResult a = ms.Compute(FiveGears());
  DiagramInputs in = FiveGears();
  in.kmhPerSecond = true;
  AccelerationDiagram kmh;
  const DiagramResult b = kmh.Compute(in);
  for (int g = 0; g < 5; ++g) {
    ASSERT_EQ(a.gears[g].size(), b.gears[g].size());
    for (std::size_t i = 0; i < a.gears[g].size(); ++i)
      EXPECT_NEAR(b.gears[g][i].y, a.gears[g][i].y * 3.6, 1e-4);
    EXPECT_TRUE(b.maxLines[g].ends_with(" km/h/s")) << b.maxLines[g];
  }
  EXPECT_EQ(b.maxLines[0], "1°: 30,53 km/h/s");  // 8,483… × 3,6
  ASSERT_EQ(a.opti.size(), b.opti.size());
  EXPECT_NEAR(b.opti.back().y, a.opti.back().y * 3.6, 1e-4);
}

TEST(AccelerationDiagram, LeadingRowsThatCannotAccelerateAreNotDrawn) {
  DiagramInputs in;
  in.rows.speeds = {"1000", "2000", "3000", "4000", "5000"};
  in.rows.values = {"0", "-3", "40", "0", "40"};
  in.gearSpeedTexts = {"30", "0", "", "", "", ""};
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  ASSERT_EQ(r.gearCount, 1);
  // From the first row that accelerates on, every row, the decelerating one too.
  ASSERT_EQ(r.gears[0].size(), 3u);
  EXPECT_NEAR(r.gears[0][0].x, 90, 1e-3);
  EXPECT_LT(r.gears[0][1].y, 0);
  // The top gear's top speed is where it first decelerates after accelerating.
  EXPECT_NEAR(r.topSpeed, 120, 1e-3);
  // The tables still hold the undrawn rows.
  EXPECT_LT(diagram.GearAccelTable()[0][0], 0);
}

TEST(AccelerationDiagram, TopGearThatNeverDeceleratesEndsAtTheLastRow) {
  DiagramInputs in = FiveGears();
  in.rows.values = {"300", "300", "300", "300", "300", "300"};
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  EXPECT_NEAR(r.topSpeed, 192, 1e-3);  // 6000 tr/mn at 32 km/h per 1000
}

TEST(AccelerationDiagram, EnvelopeFollowsEachGearUpToItsShiftSpeed) {
  DiagramInputs in = FiveGears();
  AccelerationDiagram plain;
  EXPECT_TRUE(plain.Compute(in).envelope.empty());
  in.envelope = true;
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  ASSERT_FALSE(r.envelope.empty());
  EXPECT_EQ(r.envelope.front(), r.gears[0].front());
  double previous = 0;
  for (const form::ChartPoint& p : r.envelope) {
    EXPECT_GE(p.x, previous);
    previous = p.x;
    EXPECT_LT(p.x, r.topSpeed);
    // The point is a point of the gear whose range holds its speed.
    int gear = 0;
    while (gear < 4 && p.x >= r.shiftSpeed[gear])
      ++gear;
    bool found = false;
    for (const form::ChartPoint& q : r.gears[gear])
      found = found || q == p;
    EXPECT_TRUE(found) << p.x << " in gear " << gear + 1;
  }
  // Every gear takes part.
  EXPECT_GE(r.envelope.size(), 5u);
}

TEST(AccelerationDiagram, OptiStartsAtItsLowSpeedAndUsesTheLargestWheelPower) {
  AccelerationDiagram diagram;
  DiagramInputs in = FiveGears();
  const DiagramResult r = diagram.Compute(in);
  ASSERT_FALSE(r.opti.empty());
  EXPECT_GE(r.opti.front().x, 30 - 1e-4);
  EXPECT_LT(r.opti.back().x, r.topSpeed);
  // An ideal car is at least as quick as the best gear.
  for (const form::ChartPoint& p : r.opti)
    EXPECT_GT(p.y, -1);
  in.opti = false;
  EXPECT_TRUE(diagram.Compute(in).opti.empty());
  in.opti = true;
  in.optiLowSpeed = "x";  // 36 km/h
  EXPECT_GE(diagram.Compute(in).opti.front().x, 36 - 1e-4);
}

TEST(AccelerationDiagram, NoDataRowGivesZeroSpeedsAndSaysSo) {
  DiagramInputs in = FiveGears();
  in.rows = {};
  in.envelope = true;
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  EXPECT_EQ(r.topSpeed, 0);
  for (float s : r.shiftSpeed)
    EXPECT_EQ(s, 0);
  EXPECT_EQ(r.maxLines, std::vector<std::string>{kNoDataLine});
  EXPECT_EQ(r.shiftLines, std::vector<std::string>{kNoDataLine});
  EXPECT_TRUE(r.envelope.empty());
}

TEST(AccelerationDiagram, BadRowsAreRefusedAndLeaveTheTablesOfTheLastComputation) {
  AccelerationDiagram diagram;
  diagram.Compute(FiveGears());
  const float kept = diagram.GearAccelTable()[2][1];

  DiagramInputs missing = FiveGears();
  missing.rows.values.pop_back();
  EXPECT_THROW(diagram.Compute(missing), Error);
  DiagramInputs text = FiveGears();
  text.rows.values[2] = "beaucoup";
  EXPECT_THROW(diagram.Compute(text), ConversionError);
  DiagramInputs still = FiveGears();
  still.rows.speeds[0] = "0";
  EXPECT_THROW(diagram.Compute(still), DivisionByZeroError);
  DiagramInputs gear = FiveGears();
  gear.gearSpeedTexts[2] = "vingt";
  EXPECT_THROW(diagram.Compute(gear), ConversionError);
  DiagramInputs low = FiveGears();
  low.optiLowSpeed = "0";
  EXPECT_THROW(diagram.Compute(low), DivisionByZeroError);
  DiagramInputs tooMany = FiveGears();
  tooMany.rows.speeds.assign(kMaxDataRows + 1, "1000");
  tooMany.rows.values.assign(kMaxDataRows + 1, "50");
  EXPECT_THROW(diagram.Compute(tooMany), Error);

  EXPECT_EQ(diagram.GearAccelTable()[2][1], kept);
}

TEST(AccelerationDiagram, GearCountStopsAtTheFirstSpeedThatIsExactlyZero) {
  EXPECT_EQ(GearCount({"8", "14", "20", "26", "32", "38"}), 6);
  EXPECT_EQ(GearCount({"8", "14", "0", "26", "0", "38"}), 2);
  EXPECT_EQ(GearCount({"8", "14", "0,0", "26", "32", "38"}), 6);
  EXPECT_EQ(GearCount({"0", "14", "20", "26", "32", "38"}), 0);
}

TEST(AccelerationDiagram, WithoutGearsNothingIsDrawn) {
  DiagramInputs in = FiveGears();
  in.gearSpeedTexts[0] = "0";
  in.envelope = true;
  AccelerationDiagram diagram;
  const DiagramResult r = diagram.Compute(in);
  EXPECT_EQ(r.gearCount, 0);
  EXPECT_TRUE(r.opti.empty());
  EXPECT_TRUE(r.envelope.empty());
  EXPECT_TRUE(r.maxLines.empty());
}

}  // namespace
}  // namespace kelvra::acceleration

namespace kelvra::acceleration {
namespace {

// Whatever the locale's separator, rows with a comma or a point read the same.
class PointLocale : public ::testing::Test {
 protected:
  PointLocale() { SetDecimalSeparator('.'); }
  ~PointLocale() override { SetDecimalSeparator(','); }
};

TEST_F(PointLocale, CommaAndPointRowsGiveTheSameDiagram) {
  DiagramInputs comma = test::FiveGears();
  comma.rows.values = {"30,5", "45,25", "60", "75", "85", "80,75"};
  comma.gearSpeedTexts[0] = "8,5";
  DiagramInputs point = comma;
  point.rows.values = {"30.5", "45.25", "60", "75", "85", "80.75"};
  point.gearSpeedTexts[0] = "8.5";
  AccelerationDiagram a;
  AccelerationDiagram b;
  const DiagramResult ra = a.Compute(comma);
  const DiagramResult rb = b.Compute(point);
  for (int g = 0; g < kGears; ++g)
    EXPECT_EQ(ra.gears[g], rb.gears[g]) << g;
  EXPECT_EQ(ra.shiftLines, rb.shiftLines);
  EXPECT_TRUE(ra.maxLines[0].starts_with("1°: 8.")) << ra.maxLines[0];  // written the locale's way
  // The file source's commas read back under the point.
  const FileRowsResult read = RowsFromFileLines({"1000;30.5;200", "2000;45,25;190"});
  EXPECT_EQ(ParseReal(read.rows.values[0]), 30.5);
  EXPECT_EQ(ParseReal(read.rows.values[1]), 45.25);
}

}  // namespace
}  // namespace kelvra::acceleration
