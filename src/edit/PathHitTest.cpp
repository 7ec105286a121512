#include "edit/PathHitTest.h"

#include <cmath>

namespace sigmora::edit {

bool onPiece(const PathPiece& piece, render::Point p)
{
    const double bx = piece.to.x - piece.from.x;
    const double by = piece.to.y - piece.from.y;
    const double length = std::sqrt(bx * bx + by * by);
    const double px = p.x - piece.from.x;
    const double py = p.y - piece.from.y;
    if (length == 0.0)
        return std::sqrt(px * px + py * py) <= kPathTolerance;
    const double along = (px * bx + py * by) / length;
    const double across = (px * by - py * bx) / length;
    return along >= 0.0 && along <= length && across >= -kPathTolerance && across <= kPathTolerance;
}

bool onPath(const std::vector<PathPiece>& path, render::Point p)
{
    for (const PathPiece& piece : path)
        if (onPiece(piece, p))
            return true;
    return false;
}

bool onPathNear(const std::vector<PathPiece>& path, render::Point p)
{
    static constexpr render::Point kOrder[] = {{0, 0},  {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                               {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (render::Point d : kOrder)
        if (onPath(path, {p.x + d.x, p.y + d.y}))
            return true;
    return false;
}

std::vector<PathPiece> bezierPieces(const std::array<render::Point, 4>& c)
{
    auto at = [&c](double t) {
        const double u = 1.0 - t;
        const double w0 = u * u * u, w1 = 3 * t * u * u, w2 = 3 * t * t * u, w3 = t * t * t;
        return render::Point{static_cast<int>(std::lround(w0 * c[0].x + w1 * c[1].x + w2 * c[2].x + w3 * c[3].x)),
                             static_cast<int>(std::lround(w0 * c[0].y + w1 * c[1].y + w2 * c[2].y + w3 * c[3].y))};
    };
    std::vector<PathPiece> pieces;
    pieces.reserve(kBezierSamples);
    render::Point previous = at(1.0);
    for (int n = kBezierSamples - 1; n >= 0; --n) {
        const render::Point next = at(static_cast<double>(n) / kBezierSamples);
        pieces.push_back({previous, next});
        previous = next;
    }
    return pieces;
}

} // namespace sigmora::edit
