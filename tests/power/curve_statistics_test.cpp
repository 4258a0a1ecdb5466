#include "power/curve_statistics.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace kelvra::power {
namespace {

TEST(CurveStatisticsTest, MaxPowerInCvAndKw) {
  EXPECT_EQ(MaxPowerText(1234, 5600), "123cv (90kW) - 5600tr/mn");
  EXPECT_EQ(MaxPowerText(1239.9, 6000), "123cv (91kW) - 6000tr/mn");
}

// A flat torque of 100 N·m over 1000..2000 tr/mn: the mean power is 3/4 of the peak.
TEST(CurveStatisticsTest, EveryLabelTruncated) {
  CurveSet set;
  set.columns[0] = {100};
  set.curveCount = 1;
  set.r0 = 1000;
  set.rfin = 2000;
  set.peaks = {1234, 2000, 5600, 4000, 1800};
  const StatisticsTexts t = CurveStatisticsTexts(set, 1998);
  EXPECT_EQ(t.maxPower, "123cv (90kW) - 5600tr/mn");
  EXPECT_EQ(t.maxTorque, "200Nm - 4000tr/mn");
  EXPECT_EQ(t.elasticity, "1,26");
  EXPECT_EQ(t.torqueAtPowerRatio, "90%");
  EXPECT_EQ(t.meanPressure, "12,5bar");
  EXPECT_EQ(t.specificPower, "61cv/L (45kW/L)");
  EXPECT_EQ(t.specificTorque, "100Nm/L");
  EXPECT_EQ(t.fillFactor, "75%");
  EXPECT_EQ(t.meanEffectivePower, "21,3cv");
  // The SAE factor scales the newest curve's mean power, not the stored peaks.
  EXPECT_EQ(CurveStatisticsTexts(set, 1998, 1.1).meanEffectivePower, "23,5cv");
}

TEST(CurveStatisticsTest, ZeroDivisorsThrowBeforeAnyText) {
  CurveSet set;
  EXPECT_THROW(CurveStatisticsTexts(set, 1998), DivisionByZeroError);
  set.columns[0] = {100};
  set.curveCount = 1;
  set.r0 = 1000;
  set.rfin = 2000;
  set.peaks = {1234, 2000, 5600, 4000, 1800};
  EXPECT_THROW(CurveStatisticsTexts(set, 0), DivisionByZeroError);
}

}  // namespace
}  // namespace kelvra::power
