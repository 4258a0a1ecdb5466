#pragma once

#include <cstdint>

namespace kelvra::form {

// 0xRRGGBB.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kRed = 0xFF0000;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kLime = 0x00FF00;
inline constexpr Color kBlue = 0x0000FF;
inline constexpr Color kNavy = 0x000080;
inline constexpr Color kYellow = 0xFFFF00;
inline constexpr Color kFuchsia = 0xFF00FF;
inline constexpr Color kAqua = 0x00FFFF;
inline constexpr Color kMaroon = 0x800000;
inline constexpr Color kOlive = 0x808000;
inline constexpr Color kPurple = 0x800080;
inline constexpr Color kTeal = 0x008080;
inline constexpr Color kGray = 0x808080;
inline constexpr Color kSilver = 0xC0C0C0;
// The face colour of buttons and dialogs.
inline constexpr Color kButtonFace = 0xF0F0F0;

}  // namespace kelvra::form
