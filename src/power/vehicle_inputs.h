#pragma once

#include <string_view>

#include "power/curve_computation.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::power {

// The vehicle as the power tab reads it once selected, for programs without the window: the
// profile's fields (start-up texts under the stored ones), the gear table completed from the tyre
// size, the derived constants with the given rolling resistance, and the displacement (cm³) the
// statistics need.
struct VehicleInputs {
  PowerInputs inputs;
  double displacement = 0;
};

// gear counts from 1. A field that is not a number throws ConversionError, a zero divisor
// DivisionByZeroError, as the selection would report them.
VehicleInputs SelectedVehicleInputs(vehicle::VehicleProfile profile, int gear, int smoothing,
                                    bool saeCorrected, std::string_view rollingFrictionText);

}  // namespace kelvra::power
