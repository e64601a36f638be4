#pragma once

#include <cstdint>

namespace ql {

// Colours as the logger host has always named them: 0x00BBGGRR values, plus the two
// system colours (window background and button face) that follow the desktop theme.
using Colour = uint32_t;

inline constexpr Colour kSilver = 0xC0C0C0;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kWindowColour = 0x80000005;
inline constexpr Colour kButtonFace = 0x8000000F;

inline constexpr bool IsSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

}  // namespace ql
