#include <gtest/gtest.h>

#include "common/errors.h"
#include "diagnostics/pid_table.h"

namespace kelvra::diagnostics {
namespace {

TEST(PidTable, RowsInOrderWithTheirLabelsAndControls) {
  const auto& table = PidTable();
  EXPECT_EQ(table[0].code, "0104");
  EXPECT_EQ(table[0].label, "Charge calculée (%)");
  EXPECT_EQ(table[1].label, "T° liq. refr.(°C)");
  EXPECT_EQ(table[8].display, "lb010C");
  EXPECT_EQ(table[10].label, "Avance à l'allumage (°)");
  EXPECT_EQ(table[15].code, "012F");
  EXPECT_EQ(table[15].label, "Niveau d'essence (%)");
}

TEST(PidTable, DecodesEachRule) {
  const struct {
    const char* line;
    int row;
    float value;
  } cases[] = {
      {"410c0fa0", 8, 1000},
      {"410c0fa3", 8, 1000},
      {"410680", 2, 0},
      {"410600", 2, -100},
      {"4106ff", 2, 99.21875f},
      {"410e7f", 10, 0},
      {"410e81", 10, 0},
      {"410e00", 10, -64},
      {"4110012c", 12, 3},
      {"410564", 1, 60},
      {"410a10", 6, 48},
      {"410d64", 9, 100},
      {"410b62", 7, 98},
      {"4104ff", 0, static_cast<float>(255 * 0.3921568627450981)},
      {"412f80", 15, static_cast<float>(128 * 0.3921568627450981)},
  };
  for (const auto& c : cases) {
    ValueSlots slots{};
    EXPECT_EQ(DecodePidAnswer(c.line, slots), c.row) << c.line;
    EXPECT_FLOAT_EQ(slots[c.row], c.value) << c.line;
  }
}

TEST(PidTable, PercentUsesTheSingleStoredConstant) {
  ValueSlots slots{};
  DecodePidAnswer("410464", slots);  // 100 × 100/255 kept as a 32-bit float
  EXPECT_EQ(slots[0], static_cast<float>(100 * 0.3921568627450981));
}

TEST(PidTable, UnknownAnswersLeaveTheSlotsAlone) {
  ValueSlots slots{};
  slots[8] = 750;
  for (const char* line : {"nodata", "410300", "", "41", "420c0bb8"}) {
    EXPECT_EQ(DecodePidAnswer(line, slots), -1) << line;
  }
  EXPECT_EQ(slots[8], 750);
}

TEST(PidTable, MissingOrForeignDigitsDoNotConvert) {
  ValueSlots slots{};
  for (const char* line : {"410c", "410c0b", "410czz00", "4105", "4105g1"}) {
    EXPECT_THROW(DecodePidAnswer(line, slots), ConversionError) << line;
  }
  EXPECT_EQ(slots[8], 0);
}

}  // namespace
}  // namespace kelvra::diagnostics
