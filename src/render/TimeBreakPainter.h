#pragma once

#include <array>

#include "render/AnnotationPlacer.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// Draws the time breaks in list order: a black curve down the middle of the column, a white band
// of four curves right of it that hides the waveform, and a second black curve.
class TimeBreakPainter {
public:
    TimeBreakPainter(RedrawContext& ctx, const AnnotationPlacer& placer) : ctx_(ctx), placer_(placer) {}

    void drawAll();

    // Whether a break in cell c is drawn: neither left of the first visible column nor in the
    // last visible one or beyond.
    static bool visible(const Layout& l, int cell);
    // The left black curve of a break in cell c on the row whose high level is top.
    static std::array<Point, 4> curve(const Layout& l, int cell, int top);

private:
    RedrawContext& ctx_;
    const AnnotationPlacer& placer_;
};

} // namespace sigmora::render
