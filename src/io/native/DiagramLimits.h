#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Diagram.h"

namespace sigmora::io {

// The layout sizes and edge offsets every coordinate is computed from. No diagram comes near a
// million pixels; a file that holds more is damaged, and drawing it would overflow the coordinates.
inline constexpr int kMaxLayoutMagnitude = 1000000;

// What makes a diagram read from a file one that no diagram can be: a layout size or an edge
// offset out of range, or a text holding bytes the diagram file refuses. Nothing when every value is one a diagram can have.
std::optional<std::string> diagramOutOfRange(const model::Diagram& diagram);

// Makes a diagram read from another program's file one the diagram file can hold and read back:
// control characters (other than tab, line feed and carriage return, which records use) in any
// record or label text become U+FFFD, and a list longer than a diagram file holds is cut to its
// length. Answers what was changed or left out, one sentence each.
std::vector<std::string> keepStorable(model::Diagram& diagram);

} // namespace sigmora::io
