// Full redraw of the largest diagram: 256 rows, 600 drawn cells, every cell value and transition,
// differential rows, separators, multi-line names, every period-line mode.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "ScreenEditor.h"
#include "app/cli/PictureConversions.h"
#include "app/platform/QtSurface.h"
#include "model/Diagram.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "render/FullRedraw.h"
#include "render/Surface.h"
#include "support/LargestDiagram.h"

using namespace sigmora;
using test::largestDiagram;

namespace {

// Draws nothing: the cost of the redraw itself, without rasterising.
class NullSurface : public render::Surface {
public:
    render::Size size() const override { return {1920, 1080}; }
    void setPen(const render::Pen&) override {}
    void setBrush(const render::Brush&) override {}
    void setFont(const model::FontSpec&) override {}
    void setTextColour(model::Colour) override {}
    void moveTo(int, int) override {}
    void lineTo(int x, int) override { benchmark::DoNotOptimize(x); }
    void polygon(const render::Point*, std::size_t) override {}
    void bezier(const render::Point*, std::size_t) override {}
    void rectangle(const render::Rect&) override {}
    void roundRect(const render::Rect&, int, int) override {}
    void fillRect(const render::Rect&, const render::Brush&) override {}
    void textOut(int, int, std::string_view) override {}
    render::Size textExtent(std::string_view text) override { return {static_cast<int>(text.size()) * 7, 16}; }
};

const int kModes[] = {0, 1, 2, 5, 6};

// Redraws the 1920 x 1080 screen image of a diagram, as the window does on every change.
void redrawScreenImage(benchmark::State& state, const model::Diagram& diagram, const render::RedrawOptions& options)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    render::RedrawMemory memory;
    for (auto _ : state) {
        QPainter painter(&image);
        app::QtSurface surface(painter, {image.width(), image.height()});
        model::ReaderReport report;
        render::fullRedraw(surface, diagram, options, memory, report);
    }
}

void screenImage(benchmark::State& state, bool cull)
{
    render::RedrawOptions options;
    options.cullOffSurface = cull;
    options.selection.row = 3;
    options.selection.cell = 10;
    redrawScreenImage(state, largestDiagram(kModes[state.range(0)]), options);
}

void BM_RedrawScreenImage(benchmark::State& state)
{
    screenImage(state, true);
}

void BM_RedrawScreenImageEveryRow(benchmark::State& state)
{
    screenImage(state, false);
}

// The whole diagram through the core onto a surface that draws nothing, with or without SVG.
void wholeDiagram(benchmark::State& state, bool svgPass)
{
    const model::Diagram diagram = largestDiagram(kModes[state.range(0)]);
    NullSurface surface;
    render::RedrawOptions options;
    render::RedrawMemory memory;
    for (auto _ : state) {
        model::ReaderReport report;
        render::SvgWriter svg;
        svg.pass = svgPass ? render::SvgPass::Main : render::SvgPass::Off;
        render::fullRedraw(surface, diagram, options, memory, report, svgPass ? &svg : nullptr);
        benchmark::DoNotOptimize(svg.text().size());
    }
}

void BM_RedrawWholeDiagramNoRaster(benchmark::State& state)
{
    wholeDiagram(state, false);
}

void BM_RedrawWholeDiagramSvg(benchmark::State& state)
{
    wholeDiagram(state, true);
}

// The screen image of the largest diagram with every annotation list full (0), and without its
// flood fills (1), text boxes (2), arrows (3), labels (4) or time breaks (5): what each costs.
void BM_RedrawScreenImageAnnotated(benchmark::State& state)
{
    model::Diagram diagram = test::largestAnnotatedDiagram();
    const model::ListId lists[] = {model::ListId::Texts, model::ListId::Arrows, model::ListId::Labels,
                                   model::ListId::TimeBreaks};
    const char* const labels[] = {"all", "no floods", "no text boxes", "no arrows", "no labels", "no time breaks"};
    state.SetLabel(labels[state.range(0)]);
    if (state.range(0) == 1)
        diagram.store.floodStyles() = model::CellGrid();
    if (state.range(0) >= 2)
        diagram.store.list(lists[state.range(0) - 2]).clear();
    render::RedrawOptions options;
    options.cullOffSurface = true;
    redrawScreenImage(state, diagram, options);
}

// The screen image of the largest diagram that knows its time: 256 labels measuring themselves in
// their captions, a 256-row parameter table checked against them (every fourth violated and drawn
// red), the time ruler and the table shown. At the top (0) and scrolled to its end, the table in
// view (1).
void BM_RedrawScreenImageTimed(benchmark::State& state)
{
    model::Diagram diagram = test::largestTimedDiagram();
    state.SetLabel(state.range(0) == 0 ? "top" : "table in view");
    if (state.range(0) == 1)
        diagram.settings.verticalScroll = 2 * 240;
    render::RedrawOptions options;
    options.cullOffSurface = true;
    options.showViolations = true;
    redrawScreenImage(state, diagram, options);
}

// The picture outputs of that diagram, as "sigmora --convert" writes them (drawing and encoding,
// without the file write). A raster picture of all 600 cells would exceed the pixel limit of
// pictures (2^27): the bitmap and the PNG are drawn of its first 100 cells (3168 x 11312).
const char* const kPictureOutputs[] = {"big.bmp", "big.emf", "big.pdf", "big.png", "big.wmf"};
constexpr int kRasterCells = 100;

void BM_PictureOutput(benchmark::State& state)
{
    model::Diagram diagram = test::largestAnnotatedDiagram();
    const std::string out = kPictureOutputs[state.range(0)];
    if (out.ends_with(".bmp") || out.ends_with(".png")) {
        diagram.settings.cellCount = kRasterCells;
        diagram.settings.waveformWidth = kRasterCells * diagram.settings.cellWidth;
    }
    state.SetLabel(out);
    for (auto _ : state) {
        std::string bytes, error;
        if (!app::pictureOutputBytes(diagram, edit::formatOfFile(out)->format, out, bytes, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(bytes.size());
    }
}

} // namespace

BENCHMARK(BM_RedrawScreenImageAnnotated)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawScreenImageTimed)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureOutput)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawScreenImage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawScreenImageEveryRow)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWholeDiagramNoRaster)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWholeDiagramSvg)->Arg(0)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return sigmora::bench::runBenchmarks(argc, argv);
}
