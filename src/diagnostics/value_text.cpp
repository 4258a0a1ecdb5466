#include "diagnostics/value_text.h"

#include "common/number_text.h"

namespace kelvra::diagnostics {

std::string ValueText(float value) {
  return FormatGeneral(value);
}

std::string DisplayLine(std::string_view label, std::optional<float> value) {
  std::string line(label);
  line += " : ";
  line += value ? ValueText(*value) : std::string("N/A");
  return line;
}

}  // namespace kelvra::diagnostics
