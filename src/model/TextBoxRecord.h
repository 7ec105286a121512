#pragma once

#include <string>
#include <string_view>

#include "model/Colour.h"
#include "model/ReaderReport.h"

namespace sigmora::model {

// Field numbers of a text-box record.
namespace textfield {
inline constexpr int Left = 0;
inline constexpr int Top = 1;
inline constexpr int Right = 2;
inline constexpr int Bottom = 3;
inline constexpr int Message = 4;
inline constexpr int Attachment = 5;
inline constexpr int Colour = 6;
inline constexpr int FontFace = 7;
inline constexpr int FontSize = 8;
inline constexpr int DragX = 9;
inline constexpr int DragY = 10;
inline constexpr int Justification = 11;
inline constexpr int Outline = 12;
inline constexpr int Bold = 13;
inline constexpr int Italic = 14;
inline constexpr int Underline = 15;
} // namespace textfield

inline constexpr std::string_view kUnattached = "SigmoraNone";
inline constexpr int kDefaultTextSize = 8;

// Typed readers of a text-box record. A missing separator in the first five fields is reported
// (the reader still answers what it found); the others fall back to their defaults.
namespace textbox {
int left(std::string_view record, ReaderReport& report);
int top(std::string_view record, ReaderReport& report);
int right(std::string_view record, ReaderReport& report);
int bottom(std::string_view record, ReaderReport& report);
std::string message(std::string_view record, ReaderReport& report);
Colour colour(std::string_view record);
std::string fontFace(std::string_view record);
int fontSize(std::string_view record);
// The colour field's text: "%6.0f", a number right-aligned in six characters.
std::string formatColour(Colour colour);
} // namespace textbox

} // namespace sigmora::model
