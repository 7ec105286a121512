#pragma once

#include <optional>
#include <string>

#include "model/Diagram.h"

namespace sigmora::io {

// The layout sizes and edge offsets every coordinate is computed from. No diagram comes near a
// million pixels; a file that holds more is damaged, and drawing it would overflow the coordinates.
inline constexpr int kMaxLayoutMagnitude = 1000000;

// What makes a diagram read from a file one that no diagram can be: a layout size or an edge
// offset out of range. Nothing when every value is one a diagram can have.
std::optional<std::string> diagramOutOfRange(const model::Diagram& diagram);

} // namespace sigmora::io
