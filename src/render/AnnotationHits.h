#pragma once

#include <array>
#include <optional>
#include <vector>

#include "render/Geometry.h"

namespace sigmora::render {

// Where the annotations were drawn by the last screen redraw, so that the mouse finds exactly
// what the user sees. The annotation painters fill it while they draw; nothing else computes it.

// The line kinds of an arrow record.
enum class ArrowStyle { Bezier = 0, Straight = 1, Angled = 2 };

// The three handles of a selected arrow or label.
enum class Handle { Begin = 0, End = 1, Middle = 2 };

// A handle rectangle (right and bottom exclusive); a point is on the handle when it lies strictly
// inside it, as the mouse tests it.
struct HandleRects {
    std::array<Rect, 3> rects{}; // by Handle

    const Rect& at(Handle h) const { return rects[static_cast<int>(h)]; }
    std::optional<Handle> hit(Point p) const;
};

// A straight piece of a drawn path.
struct Piece {
    Point from;
    Point to;
    bool operator==(const Piece&) const = default;
};

struct ArrowHit {
    int index = 0;
    ArrowStyle style = ArrowStyle::Bezier;
    // The control points as drawn: four for a Bezier curve, two for a straight line, four corners
    // for an angled line.
    std::vector<Point> points;
    Point begin;
    Point end;
    HandleRects handles;

    // The straight pieces the path test tries: the 32 chords of a curve, or the drawn segments.
    std::vector<Piece> pieces() const;
    // Whether p lies on the drawn path (within 5 pixels of one of its pieces).
    bool onPath(Point p) const;
};

struct LabelHit {
    int index = 0;
    Point begin;      // the begin anchor
    Point end;        // the end anchor
    int measureY = 0; // height of the measure line, with the label's vertical offset
    int measureYBeforeOffset = 0;
    Piece beginExtension;
    Piece measureLine;
    Piece endExtension;
    HandleRects handles;

    // Whether p lies within 5 pixels of the begin extension line, the measure line or the end
    // extension line.
    bool onLines(Point p) const;
};

struct TimeBreakHit {
    int index = 0;
    int cell = 0;
    int signalIndex = 0;
    std::array<Point, 4> curve{}; // the black left curve; the white band and right curve follow it
    Rect bounds;                  // covers all six curves
};

struct TextBoxHit {
    int index = 0;
    Rect box;   // where the mouse finds it: the box as drawn, its text and outline (a stored
                // rectangle measured when the box was made may lie off its letters)
    Rect drawn; // the outline rectangle as drawn
    bool labelCaption = false;
};

struct AnnotationHits {
    std::vector<ArrowHit> arrows;         // drawn arrows, in list order
    std::vector<LabelHit> labels;         // drawn labels, in list order
    std::vector<TimeBreakHit> timeBreaks; // drawn time breaks, in list order
    std::vector<TextBoxHit> textBoxes;    // drawn text boxes, in list order

    const ArrowHit* arrow(int index) const;
    const LabelHit* label(int index) const;
    const TimeBreakHit* timeBreak(int index) const;
    const TextBoxHit* textBox(int index) const;
    void clear();
};

// The path test of one straight piece: the projection of p falls between the ends and the
// perpendicular distance is at most tolerance pixels.
bool onPiece(Point p, const Piece& piece, double tolerance = 5.0);

// A point of the cubic Bezier curve through the four control points, at parameter t.
struct PointF {
    double x = 0;
    double y = 0;
};
PointF bezierPoint(const std::array<Point, 4>& c, double t);

// The 32 chords between the curve points at t = n / 32, from n = 32 down to 0.
std::vector<Piece> bezierChords(const std::array<Point, 4>& c);

// The square handle rectangle reaching 3 pixels around p.
Rect handleRect(Point p);

} // namespace sigmora::render
