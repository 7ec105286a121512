#pragma once

#include <string_view>

#include "model/Colour.h"
#include "render/AnnotationHits.h"
#include "render/Geometry.h"
#include "render/SvgWriter.h"

namespace sigmora::render::svg {

// The SVG elements of the annotations, written beside their drawing while an export runs. Every
// y given is a drawing coordinate; the writer's y offset is added here.

// A flood band of four or five corners, always written as a solid fill in the fill colour.
void floodPolygon(SvgWriter& w, const Point* points, size_t count, model::Colour fill);

// Arrows: the curve as a quadratic path through the middle of the cubic curve, the straight and
// angled lines, and a head triangle.
void arrowCurve(SvgWriter& w, Point from, Point control, Point middle, Point to);
void arrowLine(SvgWriter& w, Point from, Point to);
void arrowAngled(SvgWriter& w, const Point (&corners)[4]);
void arrowHead(SvgWriter& w, const Point (&triangle)[3]);

// Labels: extension lines and crossing ticks as one-line line elements, the measure line, the
// two tails of an inward label and a head triangle.
enum class LabelLineStyle { BeginExtension, EndExtension, BeginTick, EndTick };
void labelLine(SvgWriter& w, Point from, Point to, LabelLineStyle style);
void labelMeasureLine(SvgWriter& w, Point from, Point to);
void labelTails(SvgWriter& w, Piece first, Piece second);
void labelHead(SvgWriter& w, const Point (&triangle)[3]);

// One curve of a time break, shifted right by shift pixels.
void timeBreakCurve(SvgWriter& w, int t, int u, int h, int cellWidth, int shift, bool white);

// Text boxes: the outline, then one text element per line.
void textBoxOutline(SvgWriter& w, const Rect& box, bool rounded);
struct TextLineStyle {
    int justification = 0; // 0 left, 1 centre, 2 right
    int pointSize = 8;
    model::Colour colour = 0;
    std::string_view face = "Arial";
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // The whole text, given when the line shows it shortened: kept as the element's title.
    std::string_view title;
};
void textBoxLine(SvgWriter& w, int x, int y, std::string_view text, const TextLineStyle& style);

} // namespace sigmora::render::svg
