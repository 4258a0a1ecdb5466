#include "acceleration/data_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvra::acceleration {
namespace {

struct SplitCase {
  const char* line;
  const char* speed;
  const char* value;
};

TEST(DataSource, FileLinesSplitAtSemicolonsAndSpaces) {
  const SplitCase cases[] = {
      {"3000;85.3;180.2", "3000", "85,3"},  // the curve export: speed and power, torque dropped
      {"3000; 85,3", "3000", ""},           // the space is a second separator
      {"3000", "3000", ""},                 // no separator: the whole line, no value
      {"3000 85.3", "3000", "85,3"},
      {"1500,5;;7", "1500,5", ""},
      {";12", "", "12"},
      {"", "", ""},
      {"4000;99.1", "4000", "99,1"},
      {"a.b;c.d;e", "a,b", "c,d"},
  };
  for (const SplitCase& c : cases) {
    const DataLine line = SplitDataLine(c.line);
    EXPECT_EQ(line.speed, c.speed) << c.line;
    EXPECT_EQ(line.value, c.value) << c.line;
  }
}

TEST(DataSource, FileRowsKeepOneRowPerLineAndRefuseMoreThanTheTables) {
  const FileRowsResult read = RowsFromFileLines({"1000;50.5;360", "2000;100;358", "x"});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.rows.speeds, (std::vector<std::string>{"1000", "2000", "x"}));
  EXPECT_EQ(read.rows.values, (std::vector<std::string>{"50,5", "100", ""}));

  const FileRowsResult full = RowsFromFileLines(std::vector<std::string>(kMaxDataRows, "1;2"));
  EXPECT_TRUE(full.ok);
  const FileRowsResult tooLong =
      RowsFromFileLines(std::vector<std::string>(kMaxDataRows + 1, "1;2"));
  EXPECT_FALSE(tooLong.ok);
  EXPECT_EQ(tooLong.message, kTooManyRowsMessage);
  EXPECT_TRUE(tooLong.rows.speeds.empty());
}

TEST(DataSource, GarbageNeverBreaksTheReader) {
  std::string bytes;
  for (int c = 1; c < 256; ++c)
    bytes += static_cast<char>(c);
  const FileRowsResult read = RowsFromFileLines({bytes, std::string(100000, ';'), "  "});
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.rows.speeds.size(), 3u);
  EXPECT_EQ(read.rows.values[1], "");
}

power::CurveSet ConstantTorqueCurve(float r0, float rfin) {
  power::CurveSet set;
  set.columns[0] = {140};  // N·m at every engine speed
  set.curveCount = 1;
  set.r0 = r0;
  set.rfin = rfin;
  return set;
}

TEST(DataSource, MemoryGivesTheNewestCurveEveryTenRpmInCvRoundedDown) {
  const DataRows rows = RowsFromCurve(ConstantTorqueCurve(1000, 6000));
  ASSERT_EQ(rows.speeds.size(), 501u);
  ASSERT_EQ(rows.values.size(), 501u);
  EXPECT_EQ(rows.speeds.front(), "1000");
  EXPECT_EQ(rows.speeds[1], "1010");
  EXPECT_EQ(rows.speeds.back(), "6000");
  // 140 N·m × 1000 / 7021 = 19,9401… cv.
  EXPECT_EQ(rows.values.front(), "19,9");
  // 140 × 6000 / 7021 = 119,6410… cv.
  EXPECT_EQ(rows.values.back(), "119,6");

  power::CurveSet two = ConstantTorqueCurve(1000.7f, 1030);
  two.columns[1] = {70};
  two.curveCount = 2;
  const DataRows newest = RowsFromCurve(two);
  EXPECT_EQ(newest.speeds, (std::vector<std::string>{"1000", "1010", "1020", "1030"}));
  EXPECT_EQ(newest.values.front(), "9,9");
}

TEST(DataSource, MemoryWithoutCurveGivesNoRow) {
  power::CurveSet cleared;
  cleared.Clear();
  EXPECT_TRUE(RowsFromCurve(cleared).speeds.empty());
}

}  // namespace
}  // namespace kelvra::acceleration
