#pragma once

#include <array>

#include "render/Geometry.h"

namespace sigmora::render {

// The triangle of an edge arrow. c is the left boundary of the cell, edgeRun 0 for a vertical
// edge or the slant width, top the row's high level, height the signal height.
std::array<Point, 3> risingArrow(int c, int edgeRun, int top, int height);
std::array<Point, 3> fallingArrow(int c, int edgeRun, int top, int height);

} // namespace sigmora::render
