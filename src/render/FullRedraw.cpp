#include "render/FullRedraw.h"

#include "render/AnnotationLayer.h"
#include "render/BackgroundLayer.h"
#include "render/DecorationLayer.h"
#include "render/NameLayer.h"
#include "render/ParameterTable.h"
#include "render/RedrawContext.h"
#include "render/WaveformPainter.h"

namespace sigmora::render {

namespace {

void clearSurface(Surface& surface)
{
    const Size size = surface.size();
    surface.fillRect({0, 0, size.width, size.height}, Brush::solid(model::kWhite));
}

// Whether a row with its high level at top can show anything on the surface.
bool rowOnSurface(const RedrawContext& ctx, int top)
{
    const Layout& l = ctx.layout;
    return top + l.signalHeight + l.rowPitch() >= 0 && top - l.rowPitch() <= ctx.surface.size().height;
}

void drawWaveforms(RedrawContext& ctx)
{
    const model::RecordList& rows = ctx.diagram.store.signals();
    const Layout& l = ctx.layout;
    const bool cull = ctx.options.cullOffSurface && !ctx.svg;
    WaveformPainter painter(ctx);
    for (int i = std::max(0, l.firstVisibleSignal()); i < rows.count(); ++i) {
        const int top = l.signalTop(i);
        if (cull && !rowOnSurface(ctx, top)) {
            if (top > ctx.surface.size().height)
                break;
            continue;
        }
        painter.drawRow(model::parseSignalRow(rows.get(i)), i, top);
    }
}

} // namespace

int fullRedraw(Surface& surface, const model::Diagram& diagram, const RedrawOptions& options, RedrawMemory& memory,
               model::ReaderReport& report, SvgWriter* svg)
{
    clearSurface(surface);
    memory.lastHighlight.reset();
    if (diagram.store.signalCount() == 0)
        return kEmptyDiagram;

    RedrawContext ctx{surface, diagram, Layout::from(diagram.settings), options, memory, svg, report};
    drawBackgroundLayer(ctx);
    drawFloodFills(ctx);
    drawWaveforms(ctx);
    if (svg && svg->mainPass()) {
        svg->pass = SvgPass::Arrowheads;
        drawWaveforms(ctx);
        svg->pass = SvgPass::Main;
    }
    drawAnnotations(ctx);
    drawParameterTable(ctx);
    drawDecorations(ctx);
    drawNameLayer(ctx);
    drawHintPicture(ctx);
    return 0;
}

} // namespace sigmora::render
