#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sigmora::io {

// The value texts of a bus run, as the dump, stimulus and WaveJSON exports read them, and the text
// the dump import writes: a number of any width with unknown (x) and high-impedance (z) bits.
//
// Read are: hexadecimal 0x3A or 3Ah, binary 0b111010, decimal 58, and Verilog's sized or unsized
// literals 8'h3A, 'b1010, 6'd58, 8'bzzzz0101 (with _ between digits). Hexadecimal, octal and
// binary digits may be x or z (also ?, as z): such a digit is that many unknown or high-impedance
// bits; X and Z stand for a hexadecimal digit only partly so, read as all unknown or all
// high-impedance. A text of only x (only z) is unknown (high-impedance) at any width.

inline constexpr int kMaxBusWidth = 4096;

struct BusNumber {
    bool ok = false;
    // Most significant first, '0', '1', 'x' or 'z'; no leading 0 but a lone one.
    std::string bits;
    char special = 0; // 'x' or 'z' for a text of only that letter: every bit so, at any width
    // The width a Verilog literal gives itself (8'h3A: 8), else nothing.
    std::optional<int> sized;
    // Bits the value needs: from its first bit that is not 0 (x and z count) on, at least 1.
    int width() const;
    // The value as `width` bits: cut on the left, or extended with 0 (with x or z when its first
    // bit is one, as Verilog extends).
    std::string fitted(int width) const;
};
BusNumber parseBusNumber(std::string_view text);

// How the dump import writes a value it read as bits: 0x and hexadecimal digits, x (z) for a digit
// of only unknown (high-impedance) bits, X (Z) for one only partly so; a value of only x or only z
// is that one letter.
std::string busNumberText(std::string_view bits);

// The width a row name gives a bus by a range at its end ("data[7:0]", "q[0:15]"), and the name
// without it; nothing when the name ends in no such range.
struct NamedRange {
    std::string base;
    int width = 0;
};
std::optional<NamedRange> nameRange(std::string_view name);

} // namespace sigmora::io
