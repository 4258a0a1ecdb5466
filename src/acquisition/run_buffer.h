#pragma once

#include <array>
#include <cstddef>

namespace kelvra::acquisition {

// One recorded engine-speed value: seconds since the start threshold was crossed, and tr/mn.
// Both single precision, as the run files and the power computation expect them.
struct RunSample {
  float time = 0;
  float rpm = 0;
};

// The samples of the last run, in recording order. A launch empties it; nothing else does.
struct RunBuffer {
  static constexpr std::size_t kCapacity = 12000;

  std::array<RunSample, kCapacity> samples{};
  std::size_t count = 0;

  bool Full() const { return count >= kCapacity; }
  // The time of the last sample, 0 when empty: the right end of the run plot.
  float LastTime() const { return count == 0 ? 0.0f : samples[count - 1].time; }
};

}  // namespace kelvra::acquisition
