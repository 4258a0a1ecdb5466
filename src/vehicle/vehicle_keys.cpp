#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

std::string_view FieldName(std::size_t field) {
  return field == kSecondSweptVolumeField ? kSecondSweptVolumeName : kTextKeys.at(field).field;
}

std::string_view FieldInitial(std::size_t field) {
  return kTextKeys.at(field == kSecondSweptVolumeField ? kSweptVolumeField : field).initial;
}

}  // namespace kelvra::vehicle
