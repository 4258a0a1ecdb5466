#pragma once

#include <chrono>
#include <functional>
#include <string_view>

namespace kelvra::simulator {

using SteadyTime = std::chrono::steady_clock::time_point;

// How long bytes take on a serial line of 8 data bits, no parity, 1 stop bit: 10 bits a byte.
std::chrono::nanoseconds WireTime(size_t bytes, int baudRate);

// Writes bytes to a non-blocking descriptor as a serial line at baudRate delivers them (0: all at
// once). The bytes go in small chunks on a schedule fixed at the start, each chunk when its last
// byte would have arrived, so the whole takes at least its wire time and sleeping late never
// accumulates. waitUntil sleeps to a point in time and returns false to abandon the write.
// Returns false when abandoned or when the descriptor fails (hung up).
bool WritePaced(int fd, std::string_view bytes, int baudRate,
                const std::function<bool(SteadyTime)>& waitUntil);

}  // namespace kelvra::simulator
