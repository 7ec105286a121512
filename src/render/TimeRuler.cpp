#include "render/TimeRuler.h"

#include <cmath>

#include "render/MeasuredLabels.h"
#include "render/SvgAnnotations.h"
#include "render/TextMarkup.h"

namespace sigmora::render {

namespace {

constexpr int kTextPoints = 8;        // the tick texts: the text boxes' default size
constexpr int kTickLength = 4;        // a tick rises this far above the ruler's line
constexpr int kTextHeight = 13;       // room for the tick texts above the ticks
constexpr int kCycleLabelRoom = 18;   // the cycle labels' text under the ruler
constexpr int kBottomGap = 4;         // between the ruler's line and what stands under it
constexpr int kTopGap = 3;
constexpr int kLabelGap = 10;         // at least this much room between two tick texts
constexpr long double kLargestStepFs = 1e18L;
constexpr long double kMaxTicks = 20000;

int lineY(const Layout& l, bool cycleLabels)
{
    return l.topMargin - (cycleLabels ? kCycleLabelRoom : 0) - kBottomGap;
}

} // namespace

std::vector<long double> rulerSteps()
{
    std::vector<long double> out;
    for (long double decade = 1; decade <= kLargestStepFs; decade *= 10)
        for (int m : {1, 2, 5})
            out.push_back(decade * m);
    return out;
}

std::vector<RulerTick> rulerTicks(const TimeAxis& axis, long double stepFs, long double fromX, long double toX)
{
    std::vector<RulerTick> out;
    if (stepFs <= 0 || axis.halfPeriodFs <= 0 || toX < fromX)
        return out;
    const long double first = std::max<long double>(0, std::ceil(axis.atX(fromX) / stepFs - 1e-9L));
    const long double last = std::floor(axis.atX(toX) / stepFs + 1e-9L);
    if (last - first > kMaxTicks)
        return out;
    for (long double n = first; n <= last; ++n) {
        const long double fs = n * stepFs;
        out.push_back({fs, axis.xOf(fs), rulerText(fs)});
    }
    return out;
}

int rulerTopMargin(bool cycleLabels)
{
    return (cycleLabels ? kCycleLabelRoom : 0) + kBottomGap + kTickLength + kTextHeight + kTopGap;
}

void drawTimeRuler(RedrawContext& ctx)
{
    if (!ctx.diagram.extension.timeRuler)
        return;
    const Layout& l = ctx.layout;
    Surface& surface = ctx.surface;
    const TimeAxis axis = timeAxisOf(ctx.diagram, l);
    const long double scroll = static_cast<long double>(l.firstVisibleCell) * l.cellWidth;
    // From one cell left of the first shown column (time 0 at the unscrolled start) to the end.
    const long double fromX = scroll - l.cellWidth;
    const long double toX = scroll + static_cast<long double>(l.drawnCells()) * l.cellWidth;
    const FontSpec font = FontSpec::fromPoints("Arial", static_cast<int>(std::lround(kTextPoints * ctx.options.fontScale)));
    surface.setFont(font);
    surface.setTextColour(model::kBlack);
    const long double step =
        rulerStep(axis, std::max<long double>(fromX, axis.xOf(0)), toX, kLabelGap,
                  [&surface, &font](const std::string& text) { return markedTextExtent(surface, font, text).width; });
    const std::vector<RulerTick> ticks = rulerTicks(axis, step, fromX, toX);
    if (ticks.empty())
        return;
    const bool cycleLabels = ctx.settings().cycleLabelsVisible == 1;
    const int y = lineY(l, cycleLabels);
    const auto screenX = [&](long double x) {
        return Layout::clampCoordinate(std::llround(static_cast<long double>(l.waveOriginX()) + x - scroll));
    };
    const int left = screenX(std::max<long double>(fromX, axis.xOf(0)));
    const int right = screenX(toX);
    surface.setPen(Pen::solid(model::kBlack));
    surface.moveTo(left, y);
    surface.lineTo(right, y);
    if (ctx.svgMain()) {
        ctx.svg->beginPath(left, y);
        ctx.svg->pathLine(right, y);
        ctx.svg->endPath(false);
    }
    const svg::TextLineStyle style{0, kTextPoints, model::kBlack, font.face, false, false, false, {}};
    for (const RulerTick& tick : ticks) {
        const int x = screenX(tick.x);
        surface.moveTo(x, y);
        surface.lineTo(x, y - kTickLength);
        const Size extent = markedTextExtent(surface, font, tick.text);
        const int textX = x - extent.width / 2;
        const int textY = y - kTickLength - extent.height;
        markedTextOut(surface, font, model::kBlack, textX, textY, tick.text);
        if (ctx.svgMain()) {
            ctx.svg->beginPath(x, y);
            ctx.svg->pathLine(x, y - kTickLength);
            ctx.svg->endPath(false);
            svg::textBoxLine(*ctx.svg, textX, textY + extent.height, tick.text, style);
        }
    }
}

} // namespace sigmora::render
