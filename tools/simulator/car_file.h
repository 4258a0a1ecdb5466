#pragma once

#include <string>

#include "simulator/car_description.h"

namespace kelvra::simulator {

// Reads a car from the section "voiture" of an INI file (Windows-1252, like vehicules.ini). Keys
// left out keep the values of DefaultCar(); numbers take a decimal comma or point. The keys are
// listed in tools/simulator/README.md. Throws kelvra::FileError for a missing file and
// kelvra::Error for a value that does not read or a car that CheckCar refuses.
CarDescription LoadCarFile(const std::string& path);

}  // namespace kelvra::simulator
