#include "common/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

namespace kelvra {
namespace {

TEST(DateTimeTest, EncodeDate) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
  EXPECT_EQ(EncodeDate(2009, 12, 8), 40155.0);
}

TEST(DateTimeTest, EncodeTime) {
  EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / kMillisecondsPerDay);
}

TEST(DateTimeTest, SplitTimeRoundsToTheMillisecond) {
  const struct {
    DateTime value;
    TimeParts expected;
  } cases[] = {
      {EncodeDate(2009, 12, 8) + EncodeTime(13, 45, 7, 250), {13, 45, 7, 250}},
      {EncodeTime(1, 2, 3, 4), {1, 2, 3, 4}},
      {-EncodeTime(0, 1, 30, 500), {0, 1, 30, 500}},  // a negative duration splits its magnitude
      {EncodeTime(0, 0, 1, 0) + 0.4 / kMillisecondsPerDay, {0, 0, 1, 0}},
      {EncodeTime(0, 0, 1, 0) - 0.4 / kMillisecondsPerDay, {0, 0, 1, 0}},
      {1.0 - 0.4 / kMillisecondsPerDay, {0, 0, 0, 0}},  // rounds up to midnight
      {3.0 + EncodeTime(23, 59, 59, 999), {23, 59, 59, 999}},
      {NAN, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const TimeParts parts = SplitTime(c.value);
    EXPECT_EQ(parts.hours, c.expected.hours) << c.value;
    EXPECT_EQ(parts.minutes, c.expected.minutes) << c.value;
    EXPECT_EQ(parts.seconds, c.expected.seconds) << c.value;
    EXPECT_EQ(parts.milliseconds, c.expected.milliseconds) << c.value;
  }
}

TEST(DateTimeTest, TimeOfDayStaysInUnitRange) {
  EXPECT_DOUBLE_EQ(TimeOfDay(40155.25), 0.25);
  EXPECT_DOUBLE_EQ(TimeOfDay(-0.25), 0.75);
  EXPECT_EQ(TimeOfDay(3.0), 0.0);
  const double tiny = TimeOfDay(-1e-20);
  EXPECT_GE(tiny, 0.0);
  EXPECT_LT(tiny, 1.0);
}

TEST(DateTimeTest, LocalNowMatchesTheLocalClock) {
  const std::time_t before = std::time(nullptr);
  const DateTime now = LocalNow();
  const std::time_t after = std::time(nullptr);
  const auto encode = [](std::time_t clock) {
    std::tm local{};
    localtime_r(&clock, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, 0);
  };
  EXPECT_GE(now, encode(before));
  EXPECT_LT(now, encode(after) + EncodeTime(0, 0, 1, 0));
  // Whole milliseconds: the sub-millisecond part is dropped.
  const double ms = TimeOfDay(now) * kMillisecondsPerDay;
  EXPECT_NEAR(ms, std::round(ms), 1e-3);
}

}  // namespace
}  // namespace kelvra
