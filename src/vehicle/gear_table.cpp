#include "vehicle/gear_table.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "common/errors.h"
#include "common/number_text.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

namespace {

std::int64_t WholeOrZero(const ProfileFields& profile, std::size_t field) {
  return ParseIntegerOr(profile.FieldText(field), 0);
}

double Divide(double numerator, double denominator) {
  if (denominator == 0)
    throw DivisionByZeroError();
  return numerator / denominator;
}

// Two decimals at most, truncated toward zero.
std::string Hundredths(double value) {
  return FormatGeneral(std::trunc(value) * 0.01);
}

}  // namespace

std::string CircumferenceText(const ProfileFields& profile) {
  const std::int64_t rim = WholeOrZero(profile, kRimField);
  const std::int64_t sidewallsTenthsOfMm =
      2 * WholeOrZero(profile, kAspectField) * WholeOrZero(profile, kWidthField);
  const double sidewallsCm = static_cast<double>(sidewallsTenthsOfMm) * 0.001;
  return FormatGeneral((static_cast<double>(rim) * 2.54 + sidewallsCm) * std::numbers::pi * 0.01);
}

void CompleteGearTable(ProfileFields& profile, std::string_view circumferenceText) {
  for (std::size_t gear = 0; gear < kGearCount; ++gear) {
    const std::size_t ratioField = kFirstRatioField + gear;
    const std::size_t speedField = kFirstSpeedField + gear;
    const bool ratioKnown = profile.FieldText(ratioField) != "0";
    if (!ratioKnown && profile.FieldText(speedField) == "0")
      continue;
    if (profile.FieldText(speedField) == "0") {
      const double circumference = ParseReal(circumferenceText);
      const double ratio = ParseReal(profile.FieldText(ratioField));
      const double finalDrive = ParseReal(profile.FieldText(kFinalDriveField));
      profile.SetFieldText(speedField,
                           Hundredths(Divide(circumference * 100 * 60, ratio * finalDrive)));
    }
    if (!ratioKnown) {
      const double speed = ParseReal(profile.FieldText(speedField));
      const double circumference = ParseReal(circumferenceText);
      const double finalDrive = ParseReal(profile.FieldText(kFinalDriveField));
      profile.SetFieldText(ratioField,
                           Hundredths(Divide(Divide(100, speed) * circumference, finalDrive) * 60));
    }
  }
}

}  // namespace kelvra::vehicle
