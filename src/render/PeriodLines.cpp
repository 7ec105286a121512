#include "render/PeriodLines.h"

#include <algorithm>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::render {

namespace {
constexpr int kBothEdges = 0;
constexpr int kRisingOnly = 1;
constexpr int kFallingOnly = 2;
constexpr int kCenter = 6;
} // namespace

std::vector<PeriodColumn> periodLineColumns(int mode, int divider, int first, int columns, int cellWidth)
{
    std::vector<PeriodColumn> out;
    if (divider < 2) {
        for (int w = 0; w < columns; ++w) {
            const bool even = w % 2 == 0;
            if (mode == kBothEdges || (mode == kRisingOnly && even) || (mode == kFallingOnly && !even))
                out.push_back({w, 0});
            else if (mode == kCenter && even)
                out.push_back({w, cellWidth / 2});
        }
        return out;
    }
    const int period = 2 * divider;
    const int anchor = first < 2 ? 0 : period - first;
    for (int w = 0; w < columns; ++w) {
        const int phase = (w - anchor) % period;
        if (phase == 0 && (mode == kBothEdges || mode == kRisingOnly))
            out.push_back({w, 0});
        else if (phase == divider && (mode == kBothEdges || mode == kFallingOnly))
            out.push_back({w, 0});
        else if (phase == divider / 2 && mode == kCenter)
            out.push_back({w, divider % 2 == 1 ? cellWidth / 2 : 0});
    }
    return out;
}

std::vector<PeriodSegment> ownPeriodSegments(const model::Diagram& diagram, const Layout& l)
{
    const model::RecordList& rows = diagram.store.signals();
    const int count = rows.count();
    const int firstRow = std::max(0, l.firstVisibleSignal());
    auto low = [&](int index) { return l.lowLevel(l.signalTop(index)); };
    auto delayOf = [&](int index) { return diagram.store.edgeOffsets().get(index, 1); };
    const int bottomLimit = low(count - 1);

    std::vector<int> clocks;
    for (int i = firstRow; i < count; ++i) {
        if (model::isClockData(model::fields::dataOfRow(rows.get(i))))
            clocks.push_back(i);
    }

    std::vector<PeriodSegment> segments;
    if (clocks.empty()) {
        segments.push_back({l.topMargin, std::max(l.topMargin, bottomLimit), 0});
        return segments;
    }
    if (clocks.front() == firstRow)
        segments.push_back({l.topMargin, low(clocks.front()), delayOf(clocks.front())});
    else
        segments.push_back({l.topMargin, low(clocks.front() - 1), 0});
    for (size_t c = 0; c < clocks.size(); ++c) {
        const int end = c + 1 < clocks.size() ? low(clocks[c + 1] - 1) : bottomLimit;
        segments.push_back({low(clocks[c]), end, delayOf(clocks[c])});
    }
    for (PeriodSegment& s : segments)
        s.bottom = std::max(s.top, std::min(s.bottom, bottomLimit));
    return segments;
}

void drawPeriodLines(RedrawContext& ctx)
{
    const model::DiagramSettings& s = ctx.settings();
    const Layout& l = ctx.layout;
    Surface& surface = ctx.surface;
    // Dotted only while the solid flag is 0; one grid only while the own-period flag is 0.
    surface.setPen(s.periodLinesSolid != 0 ? Pen::solid(s.periodLineColour) : Pen::dotted(s.periodLineColour));

    const auto columns = periodLineColumns(s.periodLineMode, s.periodDivider, l.firstVisibleCell, l.drawnCells(), l.cellWidth);
    if (columns.empty())
        return;

    std::vector<PeriodSegment> segments;
    if (s.eachClockOwnPeriod != 0) {
        segments = ownPeriodSegments(ctx.diagram, l);
    } else {
        // Scrolled past the last row, the lines shrink to nothing rather than run upwards.
        const int count = ctx.diagram.store.signalCount();
        segments.push_back({l.topMargin, std::max(l.topMargin, l.lowLevel(l.signalTop(count - 1))), 0});
    }

    const bool svg = ctx.svgMain();
    // Lines off a raster surface cannot be seen; every line is drawn when writing SVG.
    const bool cull = ctx.options.cullOffSurface && !ctx.svg;
    const Size size = surface.size();
    for (const PeriodSegment& seg : segments) {
        if (cull && std::min(seg.top, seg.bottom) > size.height)
            continue;
        for (const PeriodColumn& col : columns) {
            const int x = l.waveOriginX() + seg.delay + col.column * l.cellWidth + col.shift;
            if (cull && x > size.width)
                break;
            surface.moveTo(x, seg.top);
            surface.lineTo(x, seg.bottom);
            if (svg)
                ctx.svg->periodLine(x, seg.top, seg.bottom);
        }
    }
}

} // namespace sigmora::render
