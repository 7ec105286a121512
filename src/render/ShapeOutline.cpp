#include "render/ShapeOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sigmora::render {

namespace {

int rounded(double v)
{
    return static_cast<int>(std::lround(v));
}

Point bezierPoint(const Point* p, double t)
{
    const double u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {rounded(a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x),
            rounded(a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y)};
}

} // namespace

std::vector<Point> flattenedBezier(const Point* points, std::size_t count, int stepsPerCurve)
{
    std::vector<Point> out;
    if (count < 4 || stepsPerCurve < 1)
        return out;
    out.push_back(points[0]);
    for (std::size_t i = 0; i + 3 < count; i += 3) {
        for (int step = 1; step <= stepsPerCurve; ++step)
            out.push_back(bezierPoint(points + i, static_cast<double>(step) / stepsPerCurve));
    }
    return out;
}

std::vector<Point> roundedRectOutline(const Rect& r, int cornerWidth, int cornerHeight, int stepsPerCorner)
{
    const double rx = std::clamp(cornerWidth / 2.0, 0.0, (r.right - r.left) / 2.0);
    const double ry = std::clamp(cornerHeight / 2.0, 0.0, (r.bottom - r.top) / 2.0);
    // Corner centres clockwise from the top right, each with the angle its quarter starts at.
    const struct {
        double cx, cy, start;
    } corners[] = {{r.right - rx, r.top + ry, -std::numbers::pi / 2},
                   {r.right - rx, r.bottom - ry, 0},
                   {r.left + rx, r.bottom - ry, std::numbers::pi / 2},
                   {r.left + rx, r.top + ry, std::numbers::pi}};
    std::vector<Point> out;
    const int steps = std::max(1, stepsPerCorner);
    for (const auto& c : corners) {
        for (int step = 0; step <= steps; ++step) {
            const double angle = c.start + (std::numbers::pi / 2) * step / steps;
            out.push_back({rounded(c.cx + rx * std::cos(angle)), rounded(c.cy + ry * std::sin(angle))});
        }
    }
    return out;
}

} // namespace sigmora::render
