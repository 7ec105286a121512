#include "edit/grid/PathHitTest.h"

namespace sigmora::edit {

bool onPiece(const PathPiece& piece, render::Point p)
{
    return render::onPiece(p, piece, kPathTolerance);
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
    return render::bezierChords(c);
}

} // namespace sigmora::edit
