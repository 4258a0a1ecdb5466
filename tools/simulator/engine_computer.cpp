#include "simulator/engine_computer.h"

#include <algorithm>

namespace kelvra::simulator {

bool EngineComputer::Supported(int pid) const {
  const auto& known = KnownPids();
  return std::find(known.begin(), known.end(), pid) != known.end() &&
         !model_.Car().unsupportedPids.contains(pid);
}

// Bit 31 of the four bytes stands for firstPid + 1, bit 0 for firstPid + 32; that last bit says
// whether the next bitmap is worth asking for.
DataBytes EngineComputer::Bitmap(int firstPid) const {
  std::uint32_t bits = 0;
  for (int pid = firstPid + 1; pid <= firstPid + 32; ++pid) {
    const bool more = pid == firstPid + 32 && std::ranges::any_of(KnownPids(), [&](int known) {
                        return known > pid && Supported(known);
                      });
    if (Supported(pid) || more)
      bits |= 1u << (firstPid + 32 - pid);
  }
  return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

std::optional<DataBytes> EngineComputer::Mode01(int pid) const {
  if (const auto forced = forced_.find(pid); forced != forced_.end())
    return forced->second;
  if (pid == 0x00)
    return Bitmap(0x00);
  if (pid == 0x20) {
    const DataBytes first = Bitmap(0x00);
    if ((first.back() & 1) == 0)
      return std::nullopt;
    return Bitmap(0x20);
  }
  if (!Supported(pid))
    return std::nullopt;
  return EncodePid(pid, model_.Readings());
}

}  // namespace kelvra::simulator
