#pragma once

#include <array>
#include <string_view>

namespace kelvra::diagnostics {

// How a row turns its data bytes A (and B) into a value.
enum class PidRule {
  Percent,        // A × 100/255
  MinusForty,     // A − 40
  FuelTrim,       // (A − 128) × 100/128
  TimesThree,     // A × 3
  Plain,          // A
  EngineSpeed,    // (256 A + B) / 4, integer division
  TimingAdvance,  // (A − 128) / 2, integer division toward zero
  AirFlow,        // (256 A + B) × 0.01
};

struct PidRow {
  std::string_view code;     // the request without its CR, "010C"
  std::string_view label;    // check list item and display caption
  std::string_view display;  // the label control that shows the value
  PidRule rule;
};

inline constexpr int kPidCount = 16;

// The sixteen mode 01 parameters the program knows, in the order used everywhere (check list item,
// value slot, display control).
const std::array<PidRow, kPidCount>& PidTable();

// Whether a rule reads two data bytes (four hex digits) rather than one.
bool UsesTwoBytes(PidRule rule);
double ApplyPidRule(PidRule rule, unsigned data);

// The latest decoded value of each row, single precision, 0 at start.
using ValueSlots = std::array<float, kPidCount>;

// Decodes an answer line ("410c0fa0") into its row's slot. Returns the row, or -1 when no row
// matches (slots untouched). Throws ConversionError when a row matches but its data digits are
// missing or not hexadecimal.
int DecodePidAnswer(std::string_view line, ValueSlots& slots);

}  // namespace kelvra::diagnostics
