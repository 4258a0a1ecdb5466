// The PID decoding of a classified answer line.
#include <cstdint>
#include <string_view>

#include "common/errors.h"
#include "diagnostics/pid_table.h"

using namespace kelvra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  diagnostics::ValueSlots slots{};
  try {
    const int row = diagnostics::DecodePidAnswer(line, slots);
    if (row < -1 || row >= diagnostics::kPidCount)
      __builtin_trap();
  } catch (const ConversionError&) {
    // a row matched but its data digits do not convert: reported to the user
  }
  return 0;
}
