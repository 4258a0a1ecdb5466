#pragma once

#include <string_view>

namespace kelvra {

// Spaces and tabs: what the number parser and the INI reader ignore around a value.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

}  // namespace kelvra
