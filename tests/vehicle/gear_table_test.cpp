#include "vehicle/gear_table.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

constexpr const char* kCircumference = "1,81458391671346";

VehicleProfile WithFinalDrive(const char* finalDrive) {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.texts[kFinalDriveField] = finalDrive;
  return profile;
}

std::string& Ratio(VehicleProfile& p, std::size_t gear) {
  return p.texts[kFirstRatioField + gear];
}
std::string& Speed(VehicleProfile& p, std::size_t gear) {
  return p.texts[kFirstSpeedField + gear];
}

TEST(CircumferenceTest, FromTheTyreSizeWithWholeNumbersOnly) {
  struct Case {
    const char* rim;
    const char* aspect;
    const char* width;
    const char* expected;
  };
  for (const Case& c :
       {Case{"14", "60", "185", kCircumference},
        Case{"14,5", "60", "185", "0,697433569096934"},  // a 0-inch rim
        Case{"", "60", "185", "0,697433569096934"}, Case{"15", "abc", "195", "1,19694680101771"}}) {
    VehicleProfile profile = VehicleProfile::Initial();
    profile.texts[kRimField] = c.rim;
    profile.texts[kAspectField] = c.aspect;
    profile.texts[kWidthField] = c.width;
    EXPECT_EQ(CircumferenceText(profile), c.expected) << c.rim << " " << c.aspect;
  }
}

TEST(GearTableTest, SpeedFromRatioAndBack) {
  VehicleProfile profile = WithFinalDrive("4,2");
  Ratio(profile, 0) = "3,73";
  Speed(profile, 1) = "6,94";
  Ratio(profile, 2) = "1,5";
  Speed(profile, 2) = "99";  // both known: left alone
  CompleteGearTable(profile, kCircumference);
  EXPECT_EQ(Speed(profile, 0), "6,94");
  EXPECT_EQ(Ratio(profile, 0), "3,73");
  EXPECT_EQ(Ratio(profile, 1), "3,73");
  EXPECT_EQ(Speed(profile, 2), "99");
  EXPECT_EQ(Ratio(profile, 2), "1,5");
  EXPECT_EQ(Speed(profile, 3), "0");  // both unknown: skipped
  EXPECT_EQ(Ratio(profile, 3), "0");
}

// Only the text "0" marks an unknown value: "0,0" is a number and divides by zero.
TEST(GearTableTest, ZeroWrittenOtherwiseDividesByZeroAfterTheEarlierGears) {
  struct Case {
    const char* finalDrive;
    const char* ratio;
    const char* speed;
  };
  for (const Case& c : {Case{"4,2", "0,0", "0"}, Case{"4,2", "0", "0,0"}, Case{"0", "3", "0"},
                        Case{"0,0", "0", "7"}}) {
    VehicleProfile profile = WithFinalDrive(c.finalDrive);
    Ratio(profile, 0) = "3,73";
    Ratio(profile, 1) = c.ratio;
    Speed(profile, 1) = c.speed;
    Ratio(profile, 2) = "2";
    try {
      CompleteGearTable(profile, kCircumference);
      ADD_FAILURE() << "no error for " << c.finalDrive << " " << c.ratio << " " << c.speed;
    } catch (const DivisionByZeroError& error) {
      EXPECT_STREQ(error.what(), "Floating point division by zero");
    }
    if (std::string(c.finalDrive) == "4,2") {
      EXPECT_EQ(Speed(profile, 0), "6,94");
    }
    EXPECT_EQ(Speed(profile, 2), "0") << "nothing after the failing gear";
  }
}

TEST(GearTableTest, ANonNumberStopsWithItsText) {
  VehicleProfile profile = WithFinalDrive("4,2");
  Ratio(profile, 0) = "3.73x";
  try {
    CompleteGearTable(profile, kCircumference);
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'3.73x' is not a valid floating point value");
  }
  EXPECT_EQ(Speed(profile, 0), "0");
}

}  // namespace
}  // namespace kelvra::vehicle
