#pragma once

namespace kelvra {

inline constexpr const char* kProgramName = "Kelvra";
inline constexpr const char* kVersion = "2.0.0";
inline constexpr const char* kBuildName = "022g";

}  // namespace kelvra
