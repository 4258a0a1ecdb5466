#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvra::acceleration {

// Truncation toward zero that stays defined for any input: values beyond the 64-bit range are
// clamped, and a NaN counts as 0, so absurd data still gives a text instead of undefined behaviour.
inline std::int64_t Trunc(double value) {
  if (std::isnan(value))
    return 0;
  constexpr double kLimit = 9.2e18;
  if (value >= kLimit)
    return static_cast<std::int64_t>(kLimit);
  if (value <= -kLimit)
    return -static_cast<std::int64_t>(kLimit);
  return static_cast<std::int64_t>(value);
}

}  // namespace kelvra::acceleration
