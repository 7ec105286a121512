#include "render/NameLayer.h"

#include <algorithm>
#include <cmath>

#include "model/RecordFields.h"
#include "model/TextLines.h"
#include "render/WaveformPainter.h"

namespace sigmora::render {

namespace {

constexpr int kRightJustifyGap = 2;
constexpr int kLargestNamePoints = 1000; // name sizes from a file are held within this
constexpr int kMarkerRise = 20;

int scaledPoints(int points, double scale)
{
    const long scaled = std::lround(points * scale);
    return static_cast<int>(std::clamp<long>(scaled, -kLargestNamePoints, kLargestNamePoints));
}

void drawColumnSeparators(RedrawContext& ctx)
{
    const model::DiagramSettings& s = ctx.settings();
    const Layout& l = ctx.layout;
    Surface& surface = ctx.surface;
    const int count = ctx.diagram.store.signalCount();
    if (s.waveformSeparatorLines == 1) {
        surface.setPen(Pen::solid(model::kBlack));
        surface.moveTo(l.nameColumnWidth, l.topMargin - 20);
        surface.lineTo(l.nameColumnWidth, l.signalTop(count));
    }
    if (s.signalSeparatorLines == 1) {
        // On the screen image, lines above or below it are not drawn.
        const bool cull = ctx.options.cullOffSurface && !ctx.svg;
        for (int i = 0; i + 1 < count; ++i) {
            const int y = l.signalTop(i) + 2 * l.signalHeight;
            if (cull && (y < 0 || y >= surface.size().height))
                continue;
            surface.setPen(Pen::solid(model::kBlack));
            surface.moveTo(0, y);
            surface.lineTo(l.nameColumnWidth + 1, y);
            surface.setPen(Pen::solid(s.periodLineColour));
            surface.moveTo(l.nameColumnWidth + 1, y);
            surface.lineTo(l.nameColumnWidth + l.nameMargin + l.waveformWidth, y);
        }
    }
}

void drawMovePreview(RedrawContext& ctx, const MovePreview& preview)
{
    const model::RecordList& rows = ctx.diagram.store.signals();
    if (preview.signalIndex < 0 || preview.signalIndex >= rows.count())
        return;
    const Layout& l = ctx.layout;
    const int v = moveMarkerY(l, rows.count(), preview.mouseY);
    const Point marker[7] = {{0, v}, {5, v}, {5, v - 3}, {8, v + 2}, {5, v + 7}, {5, v + 4}, {0, v + 4}};
    ctx.surface.setPen(Pen::solid(model::kBlack));
    ctx.surface.setBrush(Brush::none());
    ctx.surface.polygon(marker, 7);

    const std::string& record = rows.get(preview.signalIndex);
    model::SignalRow row = model::parseSignalRow(record);
    WaveformPainter painter(ctx);
    std::optional<std::pair<std::string, int>> derived;
    if (preview.derived)
        derived = preview.derived(preview.signalIndex);
    if (derived)
        painter.drawRow(row, preview.signalIndex, preview.mouseY, derived->first, derived->second);
    else
        painter.drawRow(row, preview.signalIndex, preview.mouseY);
    drawRowName(ctx, row, preview.mouseY);
}

} // namespace

int moveMarkerY(const Layout& l, int count, int y)
{
    const int pitch = l.rowPitch();
    if (pitch <= 0)
        return l.topMargin - kMarkerRise;
    const int b = (y + 2 * l.signalHeight + l.signalHeight / 2 - l.topMargin) / pitch;
    int v = (l.signalHeight / 2 + y - l.topMargin) / pitch < count ? l.topMargin + b * pitch - kMarkerRise
                                                                  : count * pitch + l.topMargin - kMarkerRise;
    if (v <= l.topMargin)
        v = l.topMargin - kMarkerRise;
    return v;
}

void drawRowName(RedrawContext& ctx, const model::SignalRow& row, int top)
{
    const Layout& l = ctx.layout;
    Surface& surface = ctx.surface;
    const int size = scaledPoints(row.fontSize, ctx.options.fontScale);
    surface.setFont(FontSpec::fromPoints(std::string(row.fontFace), size));
    surface.setTextColour(row.nameColour);

    const auto lines = model::splitNameLines(model::fields::decodePeriods(row.name));
    const bool right = ctx.settings().nameJustification == 1;
    const bool svg = ctx.svgMain();
    if (svg)
        ctx.svg->beginText(l.nameMargin, top, size, row.fontFace);
    int lastX = 0;
    int lastWidth = 0;
    for (size_t j = 0; j < lines.size(); ++j) {
        const Size extent = surface.textExtent(lines[j]);
        const int x = right ? l.nameColumnWidth - extent.width - kRightJustifyGap : l.nameMargin;
        const int y = top + static_cast<int>(j) * 2 * size;
        surface.textOut(x, y, lines[j]);
        if (svg)
            ctx.svg->textSpan(x, y + (extent.height / 3) * 2 + 2, lines[j]);
        lastX = x;
        lastWidth = extent.width;
    }
    if (svg)
        ctx.svg->endText();
    if (row.activeLow) {
        const int y = top + static_cast<int>(lines.size() - 1) * 2 * size;
        surface.setPen(Pen::solid(row.nameColour));
        surface.moveTo(lastX, y);
        surface.lineTo(lastX + lastWidth, y);
        if (svg) {
            const int barWidth = static_cast<int>(lastWidth * ctx.settings().activeLowBarFactor);
            ctx.svg->activeLowBar(lastX, lastX + barWidth, y);
        }
    }
}

void drawNameLayer(RedrawContext& ctx)
{
    const model::RecordList& rows = ctx.diagram.store.signals();
    const Layout& l = ctx.layout;
    const int height = ctx.surface.size().height;
    for (int i = std::max(0, l.firstVisibleSignal()); i < rows.count(); ++i) {
        const int top = l.signalTop(i);
        if (ctx.options.cullOffSurface && top > height)
            break;
        model::SignalRow row = model::parseSignalRow(rows.get(i));
        if (row.separator)
            continue;
        drawRowName(ctx, row, top);
    }
    if (ctx.options.movePreview)
        drawMovePreview(ctx, *ctx.options.movePreview);
    drawColumnSeparators(ctx);
}

} // namespace sigmora::render
