#pragma once

#include <string>
#include <utility>
#include <vector>

#include "simulator/car_description.h"

namespace kelvra::testing {

// The car with the two constants Kelvra does not take from the vehicle file set to Kelvra's: the
// rolling resistance at the editor's start-up 0,015 (with Kelvra's 9,8 m/s²) and the air density
// of the editor's start-up weather, 990 mBar and 20 °C.
simulator::CarDescription KelvraComparableCar(simulator::CarDescription car);

// A vehicules.ini (UTF-8 text, LF) listing one vehicle that loads the road as the car does in
// Kelvra's model. That model weighs the rotating parts by the loss fraction instead of dividing
// them by (1 - loss), so the wheel mass and the inertia are scaled to give the car's rotating
// power.
std::string MatchingVehicleFile(const simulator::CarDescription& car, const std::string& name);
// The same vehicle's keys and values, as the file holds them.
std::vector<std::pair<std::string, std::string>> MatchingVehicleKeys(
    const simulator::CarDescription& car);

// Full throttle in `gear` from `fromRpm` up to the redline, read `rate` times a second as whole
// engine speeds, each time stamped up to ±jitter seconds off (uniform, from `seed`): run-text
// lines "time;rpm" with the active decimal separator.
std::vector<std::string> SimulatedPullLines(const simulator::CarDescription& car, int gear,
                                            double fromRpm, double rate, double jitter,
                                            unsigned seed);

// The engine's true largest power in cv over [fromRpm, toRpm], and where.
struct TruePeak {
  double cv = 0;
  double rpm = 0;
};
TruePeak TruePeakPower(const simulator::CarDescription& car, double fromRpm, double toRpm);

}  // namespace kelvra::testing
