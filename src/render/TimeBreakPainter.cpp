#include "render/TimeBreakPainter.h"

#include "render/AnnotationRecords.h"
#include "render/SvgAnnotations.h"

namespace sigmora::render {

namespace {

constexpr int kOverhang = 3;   // the curve reaches this far above and below the row
constexpr int kBandWidth = 4;  // white curves right of the first black one
constexpr int kRightCurve = 5; // shift of the second black curve

std::array<Point, 4> shifted(std::array<Point, 4> c, int dx)
{
    for (Point& p : c)
        p.x += dx;
    return c;
}

} // namespace

bool TimeBreakPainter::visible(const Layout& l, int cell)
{
    const long long column = static_cast<long long>(cell) - l.firstVisibleCell;
    return column >= 0 && column <= l.drawnCells() - 2;
}

std::array<Point, 4> TimeBreakPainter::curve(const Layout& l, int cell, int u)
{
    const int w = l.cellWidth, h = l.signalHeight;
    const int t = l.waveOriginX() + (cell - l.firstVisibleCell) * w + w / 2;
    return {Point{t, u - kOverhang}, Point{t - w / 4, u + h / 4}, Point{t + w / 4, u + (h / 4) * 3},
            Point{t, u + h + kOverhang}};
}

void TimeBreakPainter::drawAll()
{
    const model::RecordList& breaks = ctx_.diagram.store.list(model::ListId::TimeBreaks);
    const Layout& l = ctx_.layout;
    const AnnotationSelection& sel = ctx_.options.annotations;
    Surface& surface = ctx_.surface;
    const int rows = ctx_.diagram.store.signalCount();
    for (int i = 0; i < breaks.count(); ++i) {
        const TimeBreakRecord tb = readTimeBreak(breaks.get(i), placer_);
        if (!visible(l, tb.cell) || tb.signalIndex < 0 || tb.signalIndex >= rows)
            continue;
        const int u = l.signalTop(tb.signalIndex);
        const auto black = curve(l, tb.cell, u);
        if (ctx_.offSurface(black, kRightCurve + 1)) {
            const Rect bounds{black[1].x, black[0].y, black[2].x + kRightCurve + 1, black[3].y + 1};
            ctx_.memory.annotations.timeBreaks.push_back({i, tb.cell, tb.signalIndex, black, bounds});
            continue;
        }
        const Pen blackPen = sel.timeBreak == i ? Pen::dotted(model::kBlack) : Pen::solid(model::kBlack);
        surface.setPen(blackPen);
        surface.bezier(black.data(), black.size());
        surface.setPen(Pen::solid(model::kWhite));
        for (int shift = 1; shift <= kBandWidth; ++shift) {
            const auto white = shifted(black, shift);
            surface.bezier(white.data(), white.size());
        }
        surface.setPen(blackPen);
        const auto right = shifted(black, kRightCurve);
        surface.bezier(right.data(), right.size());
        if (ctx_.svgMain()) {
            const int t = black[0].x;
            for (int shift = 0; shift <= kRightCurve; ++shift)
                svg::timeBreakCurve(*ctx_.svg, t, u, l.signalHeight, l.cellWidth, shift,
                                    shift >= 1 && shift <= kBandWidth);
        }
        if (!ctx_.printing()) {
            const Rect bounds{black[1].x, black[0].y, black[2].x + kRightCurve + 1, black[3].y + 1};
            ctx_.memory.annotations.timeBreaks.push_back({i, tb.cell, tb.signalIndex, black, bounds});
        }
    }
}

} // namespace sigmora::render
