#include "power/vehicle_inputs.h"

#include <string>

#include "common/number_text.h"
#include "vehicle/derived_constants.h"
#include "vehicle/gear_table.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::power {

namespace {

constexpr std::size_t kWheelMassField = 17;  // edInertieR
constexpr std::size_t kInertiaField = 18;    // edInertieT
static_assert(vehicle::kTextKeys[kWheelMassField].field == "edInertieR");
static_assert(vehicle::kTextKeys[kInertiaField].field == "edInertieT");

}  // namespace

VehicleInputs SelectedVehicleInputs(vehicle::VehicleProfile profile, int gear, int smoothing,
                                    bool saeCorrected, std::string_view rollingFrictionText) {
  const std::string circumference = vehicle::CircumferenceText(profile);
  VehicleInputs selected;
  PowerInputs& inputs = selected.inputs;
  vehicle::ComputeDerivedConstants(profile, rollingFrictionText, inputs.load.constants);
  vehicle::CompleteGearTable(profile, circumference);
  const auto field = [&](std::size_t index) { return ParseReal(profile.FieldText(index)); };
  inputs.speedPer1000 =
      static_cast<float>(field(vehicle::kFirstSpeedField + static_cast<std::size_t>(gear - 1)));
  inputs.smoothing = smoothing;
  inputs.saeCorrected = saeCorrected;
  inputs.load.tyreCircumference = static_cast<float>(ParseReal(circumference));
  inputs.load.wheelMass = static_cast<float>(field(kWheelMassField));
  inputs.load.rotatingInertia = static_cast<float>(field(kInertiaField));
  selected.displacement = field(vehicle::kSweptVolumeField);
  return selected;
}

}  // namespace kelvra::power
