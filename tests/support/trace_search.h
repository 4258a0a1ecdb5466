#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "form/text_controls.h"

namespace kelvra::testing {

// Whether any line of a trace holds the text.
inline bool TraceHas(const form::Memo& trace, std::string_view text) {
  const auto& lines = trace.Lines();
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

}  // namespace kelvra::testing
