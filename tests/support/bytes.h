#pragma once

#include <initializer_list>
#include <string>

namespace kelvra::testing {

// A byte string from byte values, for binary frames: Bytes({0x05, 0x00, 0x01}).
inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out += static_cast<char>(v);
  return out;
}

}  // namespace kelvra::testing
