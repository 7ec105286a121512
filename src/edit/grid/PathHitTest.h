#pragma once

#include <array>
#include <vector>

#include "edit/session/ToolEntryPoints.h"

namespace sigmora::edit {

// How far from a drawn line a click still hits it, in pixels.
inline constexpr double kPathTolerance = 5.0;

// Whether P lies on the straight piece from A to B: its projection falls between A and B and its
// perpendicular distance is at most the tolerance.
bool onPiece(const PathPiece& piece, render::Point p);
// Whether P lies on any piece of a path.
bool onPath(const std::vector<PathPiece>& path, render::Point p);
// Whether P or one of its eight neighbours lies on the path (the arrow hit test).
bool onPathNear(const std::vector<PathPiece>& path, render::Point p);
// The cubic Bézier through four control points as 32 chords, sampled from t = 1 down to 0, as the
// drawing samples it.
std::vector<PathPiece> bezierPieces(const std::array<render::Point, 4>& control);

} // namespace sigmora::edit
