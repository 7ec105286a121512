#include "render/AnnotationLayer.h"

#include "render/AnnotationPlacer.h"
#include "render/ArrowPainter.h"
#include "render/FloodPainter.h"
#include "render/LabelPainter.h"
#include "render/MeasuredLabels.h"
#include "render/TextBoxPainter.h"
#include "render/TimeBreakPainter.h"

namespace sigmora::render {

namespace {

void drawRubberBand(RedrawContext& ctx)
{
    if (const auto& band = ctx.options.annotations.rubberBand) {
        ctx.surface.setPen(Pen::dotted(model::kBlack));
        ctx.surface.moveTo(band->from.x, band->from.y);
        ctx.surface.lineTo(band->to.x, band->to.y);
    }
}

} // namespace

void drawFloodFills(RedrawContext& ctx)
{
    FloodPainter(ctx).drawAll();
}

void drawAnnotations(RedrawContext& ctx)
{
    // A print keeps what the screen found: the mouse works on the screen's positions.
    if (!ctx.printing())
        ctx.memory.annotations.clear();
    const AnnotationPlacer placer(ctx.diagram, ctx.layout);
    // Measured once per redraw: the labels' captions and colours and the status bar follow the
    // drawing as it is now.
    const std::vector<std::optional<long double>> times = measureLabels(ctx.diagram, placer);
    const TimingReport timing = checkTiming(ctx.diagram.extension, times);
    ctx.labelTimes = &times;
    ctx.timing = &timing;
    if (!ctx.printing())
        ctx.memory.timingStatus = timing.statusText(ctx.diagram.extension);
    ArrowPainter(ctx, placer).drawAll();
    const std::vector<std::optional<LabelHit>> labels = LabelPainter(ctx, placer).drawAll();
    TimeBreakPainter(ctx, placer).drawAll();
    TextBoxPainter(ctx, labels).drawAll();
    drawRubberBand(ctx);
    ctx.labelTimes = nullptr;
    ctx.timing = nullptr;
}

} // namespace sigmora::render
