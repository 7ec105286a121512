#include "render/ArrowPainter.h"

#include <cmath>

#include "render/SvgAnnotations.h"

namespace sigmora::render {

namespace {

constexpr int kReferenceSteps = 32;
// Heads, tails, ticks and handles reach at most this far beyond the points that place a shape.
constexpr int kCullMargin = 32;
constexpr double kReferenceDistanceSquared = 50.0;
constexpr double kHeadLength = 7.0;
constexpr double kHeadHalfWidth = 3.5;

} // namespace

namespace arrowgeometry {

std::vector<Point> path(ArrowStyle style, Point a, Point b, bool bendRight, int slantWidth, int signalHeight)
{
    switch (style) {
    case ArrowStyle::Straight: return {a, b};
    case ArrowStyle::Angled: {
        int xm = static_cast<int>((static_cast<long long>(a.x) + b.x) / 2);
        if (a.x == b.x)
            xm = a.x + (bendRight ? slantWidth : -slantWidth);
        const int d = a.y >= b.y ? -(signalHeight / 2) : signalHeight / 2;
        return {a, {xm, a.y + d}, {xm, b.y - d}, b};
    }
    case ArrowStyle::Bezier:
    default: {
        const int xm = static_cast<int>(a.x + (static_cast<long long>(b.x) - a.x) / 2);
        return {a, {xm, a.y}, {xm, b.y}, b};
    }
    }
}

PointF headReference(ArrowStyle style, const std::vector<Point>& p, bool atEnd)
{
    const Point tip = atEnd ? p.back() : p.front();
    auto asF = [](Point q) { return PointF{static_cast<double>(q.x), static_cast<double>(q.y)}; };
    if (style == ArrowStyle::Bezier && p.size() == 4) {
        const std::array<Point, 4> c{p[0], p[1], p[2], p[3]};
        for (int n = 1; n <= kReferenceSteps; ++n) {
            const double t = static_cast<double>(n) / kReferenceSteps;
            const PointF q = bezierPoint(c, atEnd ? 1.0 - t : t);
            const double dx = q.x - tip.x, dy = q.y - tip.y;
            if (dx * dx + dy * dy >= kReferenceDistanceSquared)
                return q;
        }
        return asF(atEnd ? p.front() : p.back());
    }
    if (style == ArrowStyle::Angled && p.size() == 4)
        return asF(atEnd ? p[2] : p[1]);
    return asF(atEnd ? p.front() : p.back());
}

std::array<Point, 3> headTriangle(Point tip, PointF ref)
{
    const double theta = std::atan2(tip.y - ref.y, tip.x - ref.x);
    const double c = std::cos(theta), s = std::sin(theta);
    auto at = [](double v) { return Layout::clampCoordinate(static_cast<long long>(v)); };
    return {tip,
            Point{at(tip.x - kHeadLength * c + kHeadHalfWidth * s), at(tip.y - kHeadLength * s - kHeadHalfWidth * c)},
            Point{at(tip.x - kHeadLength * c - kHeadHalfWidth * s), at(tip.y - kHeadLength * s + kHeadHalfWidth * c)}};
}

Point middle(Point a, Point b)
{
    return {static_cast<int>((static_cast<long long>(a.x) + b.x) / 2),
            static_cast<int>((static_cast<long long>(a.y) + b.y) / 2)};
}

} // namespace arrowgeometry

void drawHandles(Surface& surface, const HandleRects& handles)
{
    for (const Rect& r : handles.rects)
        surface.fillRect(r, Brush::solid(model::kRed));
}

void ArrowPainter::drawAll()
{
    const model::RecordList& arrows = ctx_.diagram.store.list(model::ListId::Arrows);
    for (int i = 0; i < arrows.count(); ++i) {
        if (auto arrow = readArrow(arrows.get(i), placer_))
            draw(i, *arrow);
    }
}

void ArrowPainter::draw(int index, const ArrowRecord& arrow)
{
    const Layout& l = ctx_.layout;
    const AnnotationSelection& sel = ctx_.options.annotations;
    const bool selected = sel.arrow == index;
    const auto [from, to] = placer_.placePair(arrow.begin, arrow.end);

    ArrowHit hit;
    hit.index = index;
    hit.style = arrow.style;
    hit.begin = from;
    hit.end = to;
    hit.points = arrowgeometry::path(arrow.style, from, to, arrow.bendRight, l.slantWidth, l.signalHeight);
    hit.handles.rects = {handleRect(from), handleRect(to), handleRect(arrowgeometry::middle(from, to))};

    Surface& surface = ctx_.surface;
    if (ctx_.offSurface(hit.points, kCullMargin)) {
        ctx_.memory.annotations.arrows.push_back(std::move(hit));
        return;
    }
    surface.setPen(selected && sel.editTool ? Pen::dotted(arrow.colour) : Pen::solid(arrow.colour));
    if (arrow.style == ArrowStyle::Bezier) {
        surface.bezier(hit.points.data(), hit.points.size());
    } else {
        surface.moveTo(hit.points.front().x, hit.points.front().y);
        for (size_t k = 1; k < hit.points.size(); ++k)
            surface.lineTo(hit.points[k].x, hit.points[k].y);
    }
    if (ctx_.svgMain())
        writeSvgPath(hit);
    if (headAtEnd(arrow.headMode))
        drawHead(hit, true, arrow.colour);
    if (headAtBegin(arrow.headMode))
        drawHead(hit, false, arrow.colour);
    if (selected)
        drawHandles(surface, hit.handles);
    if (!ctx_.printing())
        ctx_.memory.annotations.arrows.push_back(std::move(hit));
}

void ArrowPainter::drawHead(const ArrowHit& hit, bool atEnd, Colour colour)
{
    const Point tip = atEnd ? hit.end : hit.begin;
    const auto head = arrowgeometry::headTriangle(tip, arrowgeometry::headReference(hit.style, hit.points, atEnd));
    ctx_.surface.setBrush(Brush::solid(colour));
    ctx_.surface.polygon(head.data(), head.size());
    if (ctx_.svgMain()) {
        const Point t[3] = {head[0], head[1], head[2]};
        svg::arrowHead(*ctx_.svg, t);
    }
}

void ArrowPainter::writeSvgPath(const ArrowHit& hit)
{
    const auto& p = hit.points;
    switch (hit.style) {
    case ArrowStyle::Bezier: svg::arrowCurve(*ctx_.svg, p[0], p[1], arrowgeometry::middle(p[0], p[3]), p[3]); break;
    case ArrowStyle::Straight: svg::arrowLine(*ctx_.svg, p[0], p[1]); break;
    case ArrowStyle::Angled: {
        const Point c[4] = {p[0], p[1], p[2], p[3]};
        svg::arrowAngled(*ctx_.svg, c);
        break;
    }
    }
}

} // namespace sigmora::render
