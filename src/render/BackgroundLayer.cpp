#include "render/BackgroundLayer.h"

#include <algorithm>

#include "render/CycleLabels.h"
#include "render/DecorationLayer.h"
#include "render/PeriodLines.h"
#include "render/TimeRuler.h"

namespace sigmora::render {

namespace {

constexpr int kHighlightTopLimit = 12; // a highlight never reaches above topMargin - 12

void drawSelectionHighlight(RedrawContext& ctx)
{
    Surface& surface = ctx.surface;
    if (ctx.memory.lastHighlight) {
        surface.fillRect(*ctx.memory.lastHighlight, Brush::solid(model::kWhite));
        ctx.memory.lastHighlight.reset();
    }
    if (auto rect = selectionHighlightRect(ctx.options.selection, ctx.layout, ctx.diagram.store.signalCount())) {
        surface.fillRect(*rect, Brush::solid(model::kSelectedRowGrey));
        ctx.memory.lastHighlight = rect;
    }
    if (const auto& mark = ctx.options.selection.clipboardMark) {
        surface.setBrush(Brush::none());
        surface.rectangle(*mark);
    }
}

} // namespace

std::optional<Rect> selectionHighlightRect(const SelectionView& sel, const Layout& l, int signalCount)
{
    if (sel.block) {
        const auto& b = *sel.block;
        return Rect{l.waveOriginX() + (b.firstColumn - l.firstVisibleCell) * l.cellWidth,
                    l.signalTop(b.firstRow) - l.signalHeight / 2,
                    l.waveOriginX() + (b.lastColumn - l.firstVisibleCell) * l.cellWidth,
                    l.signalTop(b.lastRow) + l.signalHeight + l.signalHeight / 2};
    }
    if (sel.row < 0 || sel.row >= signalCount || sel.cell < 0 || sel.textBoxSelected)
        return std::nullopt;
    const int top = std::max(l.signalTop(sel.row) - l.signalHeight / 2, l.topMargin - kHighlightTopLimit);
    return Rect{l.nameMargin, top, l.waveOriginX() + l.waveformWidth - l.cellWidth / 2, top + 2 * l.signalHeight};
}

void drawBackgroundLayer(RedrawContext& ctx)
{
    drawBoundingRectangle(ctx);
    if (!ctx.printing())
        drawSelectionHighlight(ctx);
    drawPeriodLines(ctx);
    drawCycleLabels(ctx);
    drawTimeRuler(ctx);
}

} // namespace sigmora::render
