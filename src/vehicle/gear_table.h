#pragma once

#include <string>
#include <string_view>

#include "vehicle/profile_fields.h"

namespace kelvra::vehicle {

// The tyre circumference in metres, as edCirc shows it, from the rim (inch), aspect (%) and width
// (mm) fields. A text that is not a whole number counts as 0, so the tyre fields never fail.
std::string CircumferenceText(const ProfileFields& profile);

// Fills, gear by gear, a speed at 1000 tr/mn from the ratio, then a ratio from the speed. The text
// "0" marks an unknown value; a gear with both texts "0" is skipped, one with both known is left
// alone. Throws on a text that is not a number or a zero divisor; the gears before stay written.
void CompleteGearTable(ProfileFields& profile, std::string_view circumferenceText);

}  // namespace kelvra::vehicle
