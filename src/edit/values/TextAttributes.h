#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Colour.h"

namespace sigmora::edit {

// The values the "Text Attributes" dialog edits, exchanged as a plain value.
struct TextAttributes {
    std::string message; // as stored: periods as the period marker, line breaks as backslash-n
    model::Colour colour = 0;
    std::string face = "Arial";
    int size = 8; // points
    int justification = 0; // 0 left, 1 centre, 2 right
    int outline = 0;       // 0 none, 1 rectangle, 2 rounded edges
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::vector<std::string> rowNames; // every row name in list order, periods shown as '.'
    int attachedIndex = -1;            // index into rowNames, -1 when not attached
    bool attachHidden = false;         // label captions have no attach choice
};

// The message as the dialog's edit shows it: backslash-n as a line break, the period marker as '.'.
std::string messageForEditing(std::string_view stored);
// The edit's text as stored: lines joined with backslash-n, every '.' as the period marker.
std::string storedMessage(std::string_view edited);

// The text sizes the dialog offers, in points.
inline constexpr int kTextSizes[] = {6, 8, 9, 10, 12, 14, 18, 24, 32};

} // namespace sigmora::edit
