#pragma once

#include <array>
#include <vector>

#include "render/AnnotationPlacer.h"
#include "render/AnnotationRecords.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// The geometry of an arrow, as drawn and as hit: its path between two end points and its heads.
namespace arrowgeometry {

// The drawn path: four Bezier control points that leave and arrive horizontally, the two ends of
// a straight line, or the four corners of an angled line (bent slantWidth to the chosen side when
// both ends share a column).
std::vector<Point> path(ArrowStyle style, Point from, Point to, bool bendRight, int slantWidth, int signalHeight);

// The point a head at the end (atEnd) or at the begin takes its direction from: for a curve the
// first point at least 50 px squared away walking back from the tip in 32 steps, for an angled
// line the inner corner next to the tip, for a straight line the other end.
PointF headReference(ArrowStyle style, const std::vector<Point>& path, bool atEnd);

// The head triangle at tip pointing away from ref: 7 pixels long, 7 wide, truncated.
std::array<Point, 3> headTriangle(Point tip, PointF ref);

// The middle handle of an arrow: halfway between its ends.
Point middle(Point from, Point to);

} // namespace arrowgeometry

// Draws the arrows of the diagram in list order, with their heads and, for the selected arrow,
// dotted pens and red handles; records where each was drawn.
class ArrowPainter {
public:
    ArrowPainter(RedrawContext& ctx, const AnnotationPlacer& placer) : ctx_(ctx), placer_(placer) {}

    void drawAll();

private:
    void draw(int index, const ArrowRecord& arrow);
    void drawHead(const ArrowHit& hit, bool atEnd, Colour colour);
    void writeSvgPath(const ArrowHit& hit);

    RedrawContext& ctx_;
    const AnnotationPlacer& placer_;
};

// Red squares reaching 3 pixels around each handle, as on a selected arrow or label.
void drawHandles(Surface& surface, const HandleRects& handles);

} // namespace sigmora::render
