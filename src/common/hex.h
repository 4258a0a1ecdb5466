#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvra {

// Hexadecimal digits only (either case), one to eight of them: the data bytes of an OBD answer.
// Anything else, an empty text included, gives nothing.
inline std::optional<std::uint32_t> ParseHexDigits(std::string_view text) {
  if (text.empty() || text.size() > 8)
    return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

// Two lower-case hexadecimal digits per byte.
inline void AppendHexByte(std::string& out, unsigned char byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace kelvra
