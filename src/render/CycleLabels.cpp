#include "render/CycleLabels.h"

#include <algorithm>
#include <climits>

namespace sigmora::render {

namespace {
constexpr int kLabelFontPixels = 14;
constexpr int kLabelRise = 15; // label top above the top margin
} // namespace

std::vector<CycleLabelSlot> cycleLabelSlots(int period, int first, int columns)
{
    std::vector<CycleLabelSlot> slots;
    if (period < 1)
        period = 1;
    const int anchor = first < 2 ? 0 : period - first;
    int number = first <= 0 ? 0 : (first + period - 1) / period;
    for (int w = 0; w < columns; ++w) {
        if ((w - anchor) % period == 0)
            slots.push_back({w, number++});
    }
    return slots;
}

std::string cycleLabelText(const std::string& prefix, int number, const std::string& suffix)
{
    return prefix + " " + std::to_string(number) + " " + suffix;
}

FontSpec cycleLabelFont()
{
    FontSpec font;
    font.face = "Arial";
    font.pixelSize = kLabelFontPixels;
    return font;
}

void drawCycleLabels(RedrawContext& ctx)
{
    const model::DiagramSettings& s = ctx.settings();
    if (s.cycleLabelsVisible != 1)
        return;
    const Layout& l = ctx.layout;
    const int perLabel = std::max(1, s.periodLinesPerLabel);
    const long long period = static_cast<long long>(perLabel) + s.skipOffset;

    Surface& surface = ctx.surface;
    surface.setFont(cycleLabelFont());
    surface.setTextColour(model::kBlack);
    const int y = l.topMargin - kLabelRise;
    const int clampedPeriod = static_cast<int>(std::clamp<long long>(period, 1, INT_MAX));
    // On the screen image, labels wholly left or right of the image are not drawn: a label's
    // letters stay within its measured width and a few pixels of overhang.
    const bool cull = ctx.options.cullOffSurface && !ctx.svg;
    const int surfaceWidth = surface.size().width;
    for (const CycleLabelSlot& slot : cycleLabelSlots(clampedPeriod, l.firstVisibleCell, l.drawnCells())) {
        if (slot.number < 0 || slot.number >= model::kMaxCells)
            break;
        const std::string text = cycleLabelText(s.labelPrefix, ctx.diagram.labelNumbers[static_cast<size_t>(slot.number)], s.labelSuffix);
        const int width = surface.textExtent(text).width;
        const int x = Layout::clampCoordinate(static_cast<long long>(l.waveOriginX()) +
                                              static_cast<long long>(slot.column) * l.cellWidth +
                                              static_cast<long long>(perLabel) * l.cellWidth / 2 - width / 2);
        if (cull && (x > surfaceWidth + kLabelFontPixels || x + width + kLabelFontPixels < 0))
            continue;
        surface.textOut(x, y, text);
        if (ctx.svgMain())
            ctx.svg->cycleLabel(x, y, text);
    }
}

} // namespace sigmora::render
