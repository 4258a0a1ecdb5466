#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ini_file.h"

namespace kelvra::vehicle {

// The power curve kept with a vehicle: torque polynomial coefficients in the order the power
// computation evaluates them, and the engine-speed range it is drawn over.
struct StoredCurve {
  // The curve tables of the power computation hold no more.
  static constexpr int kMaxCoefficients = 20;

  std::vector<double> coefficients;
  std::int32_t startRpm = 0;
  std::int32_t endRpm = 32000;

  // The range as computed (real numbers), truncated toward zero as the file keeps it.
  static StoredCurve FromRange(std::vector<double> coefficients, double startRpm, double endRpm);

  bool operator==(const StoredCurve&) const = default;
};

// A line for the state trace, when the store has something to say that is not an error.
using StateTrace = std::function<void(std::string_view line)>;

// A coefficient as the file holds it: the general format with as many significant digits, up to
// 17, as it needs to read back as the very value.
std::string CoefficientText(double value);

// The curve keys of one section of an INI file. A count of -1, an absent or unreadable count is no
// curve; so is a count outside 0..20, which is reported on the trace.
std::optional<StoredCurve> ReadCurve(const IniFile& file, std::string_view section,
                                     const StateTrace& trace);
// "nbcoeff", "r0", "rfin", then the coefficients from index 0, in the general format with as many
// significant digits, up to 17, as they need to read back as the very values computed.
void WriteCurve(IniFile& file, std::string_view section, const StoredCurve& curve);

}  // namespace kelvra::vehicle
