#include "vehicle/vehicle_profile.h"

#include "common/number_text.h"

namespace kelvra::vehicle {

VehicleProfile VehicleProfile::Initial() {
  VehicleProfile profile;
  for (std::size_t field = 0; field < kFieldCount; ++field)
    profile.texts[field] = LocalizeDecimal(FieldInitial(field));
  for (std::size_t index = 0; index < kSwitchCount; ++index)
    profile.switches[index] = kSwitchKeys[index].initial;
  return profile;
}

}  // namespace kelvra::vehicle
