#pragma once

#include <cstddef>
#include <vector>

#include "render/Geometry.h"

namespace sigmora::render {

// The points of a chain of cubic Béziers (start, then three points per curve), walked in
// stepsPerCurve straight pieces each: for surfaces that can only draw lines.
std::vector<Point> flattenedBezier(const Point* points, std::size_t count, int stepsPerCurve);

// The outline of a rectangle with rounded corners, as a polygon: the corners are quarter ellipses
// cornerWidth x cornerHeight, walked in stepsPerCorner pieces. For surfaces without rounded
// rectangles.
std::vector<Point> roundedRectOutline(const Rect& rect, int cornerWidth, int cornerHeight, int stepsPerCorner);

} // namespace sigmora::render
