#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "simulator/vehicle_model.h"

namespace kelvra::simulator {

using DataBytes = std::vector<std::uint8_t>;

// The sixteen mode 01 PIDs the simulated engine computer knows, in increasing order.
const std::vector<int>& KnownPids();

// The data bytes (A, or A and B) that carry a reading for a known PID: the SAE J1979 scaling
// inverted, rounded to the nearest step and held within the bytes' range. Nothing for other PIDs.
std::optional<DataBytes> EncodePid(int pid, const EngineReadings& readings);

}  // namespace kelvra::simulator
