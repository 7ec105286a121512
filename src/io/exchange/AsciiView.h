#pragma once

#include <string>
#include <vector>

#include "model/Diagram.h"

namespace sigmora::io {

// The waveforms drawn with text characters, two lines a row, for pasting into source comments.

// One row as the text view shows it.
struct AsciiRow {
    std::string label;    // the name as the screen shows it, on one line of UTF-8; "_b" added for an active-low row
    std::string waveform; // the characters from the first visible cell on
};

struct AsciiOptions {
    static constexpr int kMinCycles = 2;
    static constexpr int kMaxCycles = 255;
    bool showNames = true;
    bool includePrefix = true;
    std::string prefix = "-- ";
    int cycles = 20; // waveform characters used: kMinCycles ... kMaxCycles
};

// The rows of a diagram, from its first visible cell on (at most 255 characters in all).
std::vector<AsciiRow> asciiRows(const model::Diagram& diagram);

// The text: for each row an upper line (high level) and a lower line (low and middle level,
// the label), each ended by a carriage return and line feed.
std::string asciiText(const std::vector<AsciiRow>& rows, const AsciiOptions& options);

} // namespace sigmora::io
