#pragma once

#include <cstdint>

namespace sigmora::model {

// A 24-bit colour as stored in records: red in the low byte, green next, blue in the third byte.
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kGrey = 8421504;            // 0x808080
inline constexpr Colour kLightGrey = 12632256;      // 0xC0C0C0, the period-line colour
inline constexpr Colour kSelectedRowGrey = 14737632; // 0xE0E0E0
inline constexpr Colour kDarkGrey = 0x404040;
inline constexpr Colour kRed = 255;

inline constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
inline constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
inline constexpr Colour rgb(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

} // namespace sigmora::model
