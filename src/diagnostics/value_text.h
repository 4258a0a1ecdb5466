#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvra::diagnostics {

// A decoded value as the display and the log show it: the general format of the single value
// widened to double, so 100/255 reads 39,2156867980957.
std::string ValueText(float value);

// One display line: the label, " : " and the value, or " : N/A" for a row never answered.
std::string DisplayLine(std::string_view label, std::optional<float> value);

}  // namespace kelvra::diagnostics
