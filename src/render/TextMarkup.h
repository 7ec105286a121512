#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "render/Surface.h"

namespace sigmora::render {

// Datasheet text in captions, text boxes and tables: `_{...}` sets what the braces hold as a
// subscript, `~{...}` draws a line over it (an active-low signal such as `~{CS}`). The marks do not
// nest; a mark without its closing brace is plain text, and so is everything outside the marks.
// A line without marks is drawn exactly as plain text.
enum class RunStyle { Plain, Subscript, Overline };

struct TextRun {
    std::string_view text;
    RunStyle style = RunStyle::Plain;
    bool operator==(const TextRun&) const = default;
};

// Whether line holds a complete mark.
bool hasMarkup(std::string_view line);
// The runs of line in order, empty runs left out; a line without marks is one plain run.
std::vector<TextRun> markupRuns(std::string_view line);
// The line as read aloud: the marks' braces taken away, their contents kept.
std::string withoutMarkup(std::string_view line);

// The font a subscript is set in: seven tenths of the line's em height, at least 1 pixel.
FontSpec subscriptFont(const FontSpec& font);

// Width and line height of a line with marks in font: the runs side by side, the line as high as
// its normal text. A line without marks is measured as plain text.
Size markedTextExtent(Surface& surface, const FontSpec& font, std::string_view line);

// Draws a line with marks with its top-left corner at (x, y), each run where the one before it
// ends: a subscript in its smaller font with its baseline lowered, an overline as a line of the
// text colour just above the letters. Leaves font as the surface's font. A line without marks is
// one textOut, as plain text is drawn.
void markedTextOut(Surface& surface, const FontSpec& font, Colour colour, int x, int y, std::string_view line);

} // namespace sigmora::render
