#include "render/AnnotationHits.h"

#include <algorithm>
#include <cmath>

namespace sigmora::render {

namespace {

constexpr int kBezierSteps = 32;
constexpr int kHandleReach = 3;
constexpr double kPathTolerance = 5.0;

bool strictlyInside(const Rect& r, Point p)
{
    return p.x > r.left && p.x < r.right - 1 && p.y > r.top && p.y < r.bottom - 1;
}

template <typename Hit>
const Hit* findByIndex(const std::vector<Hit>& hits, int index)
{
    auto it = std::find_if(hits.begin(), hits.end(), [&](const Hit& h) { return h.index == index; });
    return it == hits.end() ? nullptr : &*it;
}

} // namespace

std::optional<Handle> HandleRects::hit(Point p) const
{
    for (Handle h : {Handle::Begin, Handle::End, Handle::Middle}) {
        if (strictlyInside(at(h), p))
            return h;
    }
    return std::nullopt;
}

std::vector<Piece> ArrowHit::pieces() const
{
    if (style == ArrowStyle::Bezier && points.size() == 4)
        return bezierChords({points[0], points[1], points[2], points[3]});
    std::vector<Piece> out;
    for (size_t i = 1; i < points.size(); ++i)
        out.push_back({points[i - 1], points[i]});
    return out;
}

bool ArrowHit::onPath(Point p) const
{
    const std::vector<Piece> all = pieces();
    return std::any_of(all.begin(), all.end(), [&](const Piece& piece) { return onPiece(p, piece, kPathTolerance); });
}

bool LabelHit::onLines(Point p) const
{
    return onPiece(p, beginExtension) || onPiece(p, measureLine) || onPiece(p, endExtension);
}

const ArrowHit* AnnotationHits::arrow(int index) const
{
    return findByIndex(arrows, index);
}

const LabelHit* AnnotationHits::label(int index) const
{
    return findByIndex(labels, index);
}

const TimeBreakHit* AnnotationHits::timeBreak(int index) const
{
    return findByIndex(timeBreaks, index);
}

const TextBoxHit* AnnotationHits::textBox(int index) const
{
    return findByIndex(textBoxes, index);
}

void AnnotationHits::clear()
{
    arrows.clear();
    labels.clear();
    timeBreaks.clear();
    textBoxes.clear();
}

bool onPiece(Point p, const Piece& piece, double tolerance)
{
    const double dx = static_cast<double>(piece.to.x) - piece.from.x;
    const double dy = static_cast<double>(piece.to.y) - piece.from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double px = static_cast<double>(p.x) - piece.from.x;
    const double py = static_cast<double>(p.y) - piece.from.y;
    if (length == 0)
        return std::sqrt(px * px + py * py) <= tolerance;
    const double along = (px * dx + py * dy) / length;
    const double across = (px * dy - py * dx) / length;
    return along >= 0 && along <= length && across >= -tolerance && across <= tolerance;
}

PointF bezierPoint(const std::array<Point, 4>& c, double t)
{
    const double u = 1 - t;
    const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    return {w0 * c[0].x + w1 * c[1].x + w2 * c[2].x + w3 * c[3].x, w0 * c[0].y + w1 * c[1].y + w2 * c[2].y + w3 * c[3].y};
}

std::vector<Piece> bezierChords(const std::array<Point, 4>& c)
{
    std::vector<Piece> out;
    out.reserve(kBezierSteps);
    auto at = [&](int n) {
        const PointF f = bezierPoint(c, static_cast<double>(n) / kBezierSteps);
        return Point{static_cast<int>(std::lround(f.x)), static_cast<int>(std::lround(f.y))};
    };
    Point previous = at(kBezierSteps);
    for (int n = kBezierSteps - 1; n >= 0; --n) {
        const Point next = at(n);
        out.push_back({previous, next});
        previous = next;
    }
    return out;
}

Rect handleRect(Point p)
{
    return {p.x - kHandleReach, p.y - kHandleReach, p.x + kHandleReach + 1, p.y + kHandleReach + 1};
}

} // namespace sigmora::render
