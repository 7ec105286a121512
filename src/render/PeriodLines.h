#pragma once

#include <vector>

#include "render/RedrawContext.h"

namespace sigmora::render {

// A period line column: w counts cells from the waveform origin; shift moves the line right.
struct PeriodColumn {
    int column = 0;
    int shift = 0;
    bool operator==(const PeriodColumn&) const = default;
};

// Which of the `columns` columns carry a period line for the given mode, divider and scroll.
std::vector<PeriodColumn> periodLineColumns(int mode, int divider, int firstVisibleCell, int columns, int cellWidth);

// A vertical span of rows whose period lines share one horizontal offset.
struct PeriodSegment {
    int top = 0;
    int bottom = 0;
    int delay = 0;
    bool operator==(const PeriodSegment&) const = default;
};

// The spans of the own-period-per-clock mode: cut at every clock row, each clock's lines shifted
// by its delay and covering the rows under it.
std::vector<PeriodSegment> ownPeriodSegments(const model::Diagram& diagram, const Layout& layout);

// Draws the period lines of the background layer.
void drawPeriodLines(RedrawContext& ctx);

} // namespace sigmora::render
