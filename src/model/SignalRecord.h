#pragma once

#include <string>
#include <string_view>

#include "model/Colour.h"

namespace sigmora::model {

// Field numbers of a signal row's data part (the text after the name and its five tabs).
namespace signalfield {
inline constexpr int Kind = 0;
inline constexpr int Waveform = 1;
inline constexpr int Delay = 2;
inline constexpr int Ideal = 3;
inline constexpr int FontFace = 4;
inline constexpr int FontSize = 5;
inline constexpr int RisingArrows = 6;
inline constexpr int FallingArrows = 7;
inline constexpr int WaveColour = 8;
inline constexpr int NameColour = 9;
inline constexpr int HatchColour = 10;
inline constexpr int FreeText = 11;
inline constexpr int Locked = 12;
inline constexpr int ClockDivisor = 13;
inline constexpr int DutyCode = 14;
inline constexpr int Differential = 15;
inline constexpr int ActiveLow = 16;
} // namespace signalfield

// Field numbers of a separator row's data part.
namespace separatorfield {
inline constexpr int FontFace = 3;
inline constexpr int Kind = 4;
inline constexpr int LineColour = 7;
inline constexpr int TextColour = 8;
} // namespace separatorfield

enum class SeparatorKind { Blank = 0, SolidLine = 1, DottedLine = 2, SolidRectangle = 3 };

inline constexpr std::string_view kDefaultFace = "Arial";
inline constexpr int kDefaultNameSize = 10;
inline constexpr std::string_view kNotDerived = "N/A";
inline constexpr int kDefaultClockDivisor = 1;
inline constexpr int kDefaultDutyCode = 5;

// Row kind answers: 3 for a separator, 0 for every other row.
inline constexpr int kRowKindSeparator = 3;
inline constexpr int kRowKindOther = 0;

// The row kind from the kind tag that opens a row's data part (field 0).
bool isSeparatorData(std::string_view data);
bool isClockData(std::string_view data);
int rowKind(std::string_view record);

// Typed readers of a whole signal record, each with the default its field has when missing.
namespace signal {
std::string_view waveform(std::string_view record);
int delay(std::string_view record);
int ideal(std::string_view record);
std::string fontFace(std::string_view record);
int fontSize(std::string_view record);
int risingArrows(std::string_view record);
int fallingArrows(std::string_view record);
Colour waveColour(std::string_view record);
Colour nameColour(std::string_view record);
Colour hatchColour(std::string_view record);
std::string freeText(std::string_view record);
int locked(std::string_view record);
int clockDivisor(std::string_view record);
int dutyCode(std::string_view record);
int differential(std::string_view record);
int activeLow(std::string_view record);

// Field n of the data part rewritten; the name and the other fields are kept.
std::string withDataField(std::string_view record, int n, std::string_view value);
std::string withDataField(std::string_view record, int n, int value);
} // namespace signal

// Everything the drawing needs of one row, parsed in one pass over its record.
struct SignalRow {
    std::string_view name;
    std::string_view data;
    bool separator = false;
    bool clock = false;
    std::string_view waveform;
    int delay = 0;
    bool ideal = false;
    std::string_view fontFace = kDefaultFace;
    int fontSize = kDefaultNameSize;
    bool risingArrows = false;
    bool fallingArrows = false;
    Colour waveColour = 0;
    Colour nameColour = 0;
    bool differential = false;
    bool activeLow = false;
    // Separator rows only.
    int separatorKind = 0;
    Colour separatorLineColour = 0;
};

SignalRow parseSignalRow(std::string_view record);

} // namespace sigmora::model
