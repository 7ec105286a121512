#include "app/platform/FillBatch.h"

#include <algorithm>

namespace sigmora::app {

namespace {

long long cross(const render::Point& o, const render::Point& a, const render::Point& b)
{
    return static_cast<long long>(a.x - o.x) * (b.y - o.y) - static_cast<long long>(a.y - o.y) * (b.x - o.x);
}

bool onSegment(const render::Point& p, const render::Point& a, const render::Point& b)
{
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// Whether the segments a-b and c-d meet anywhere, ends and overlaps included.
bool meet(const render::Point& a, const render::Point& b, const render::Point& c, const render::Point& d)
{
    const long long d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    return (d1 == 0 && onSegment(a, c, d)) || (d2 == 0 && onSegment(b, c, d)) || (d3 == 0 && onSegment(c, a, b)) ||
           (d4 == 0 && onSegment(d, a, b));
}

} // namespace

bool FillBatch::keepable(const render::Point* points, std::size_t count)
{
    if (count < 3)
        return false;
    // Simple: no two edges meet but neighbours at their shared corner (a repeated corner, an
    // edge of no length or a shape folded on itself is not simple).
    for (std::size_t i = 0; i < count; ++i) {
        const render::Point& a = points[i];
        const render::Point& b = points[(i + 1) % count];
        if (a.x == b.x && a.y == b.y)
            return false;
        for (std::size_t j = i + 1; j < count; ++j) {
            const bool neighbours = j == i + 1 || (i == 0 && j == count - 1);
            const render::Point& c = points[j];
            const render::Point& d = points[(j + 1) % count];
            if (neighbours) {
                // Neighbours share one corner; they must not fold back over each other.
                const render::Point& in = j == i + 1 ? a : c;   // the first edge's start
                const render::Point& turn = j == i + 1 ? b : a; // the shared corner
                const render::Point& out = j == i + 1 ? d : b;  // the second edge's end
                const long long along = static_cast<long long>(turn.x - in.x) * (out.x - turn.x) +
                                        static_cast<long long>(turn.y - in.y) * (out.y - turn.y);
                if (cross(in, turn, out) == 0 && along < 0)
                    return false;
                continue;
            }
            if (meet(a, b, c, d))
                return false;
        }
    }
    return true;
}

FillBatch::Box FillBatch::boundsOf(const render::Point* points, std::size_t count)
{
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::size_t i = 1; i < count; ++i) {
        box.left = std::min(box.left, points[i].x);
        box.right = std::max(box.right, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.bottom = std::max(box.bottom, points[i].y);
    }
    return box;
}

bool FillBatch::apart(const Box& a, const Box& b)
{
    return a.right + kSeparation <= b.left || b.right + kSeparation <= a.left || a.bottom + kSeparation <= b.top ||
           b.bottom + kSeparation <= a.top;
}

void FillBatch::append(std::size_t group, const render::Point* points, std::size_t count, const Box& box)
{
    // Every shape of a group goes round the same way.
    long long twiceArea = 0;
    for (std::size_t i = 0; i < count; ++i)
        twiceArea += cross({0, 0}, points[i], points[(i + 1) % count]);
    auto at = [&](std::size_t k) { return twiceArea >= 0 ? points[k] : points[count - 1 - k]; };
    QPainterPath& shape = groups_[group].shape;
    shape.moveTo(at(0).x, at(0).y);
    for (std::size_t k = 1; k < count; ++k)
        shape.lineTo(at(k).x, at(k).y);
    shape.closeSubpath();
    kept_.push_back({group, box});
}

bool FillBatch::add(const render::Point* points, std::size_t count, const render::Brush& brush)
{
    const Box box = boundsOf(points, count);
    std::size_t group = 0;
    while (group < groups_.size() && !(groups_[group].brush == brush))
        ++group;
    if (group == groups_.size()) {
        // A new brush is drawn after everything kept: the order stays as it was.
        groups_.push_back({brush, QPainterPath()});
        groups_.back().shape.setFillRule(Qt::WindingFill);
        append(group, points, count, box);
        return true;
    }
    for (const Kept& k : kept_)
        if (k.group > group && !apart(k.box, box))
            return false;
    append(group, points, count, box);
    return true;
}

std::vector<FillBatch::Group> FillBatch::take()
{
    std::vector<Group> groups;
    groups.swap(groups_);
    kept_.clear();
    return groups;
}

} // namespace sigmora::app
