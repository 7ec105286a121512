// Full redraw of the largest diagram: 256 rows, 600 drawn cells, every cell value and transition,
// differential rows, separators, multi-line names, every period-line mode.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <random>

#include "app/QtSurface.h"
#include "model/Diagram.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "render/FullRedraw.h"
#include "render/Surface.h"

using namespace sigmora;

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

model::Diagram largestDiagram(int periodMode)
{
    model::Diagram d;
    d.settings.waveformWidth = 600 * d.settings.cellWidth;
    d.settings.periodLineMode = periodMode;
    d.settings.signalSeparatorLines = 1;
    d.settings.waveformSeparatorLines = 1;
    std::mt19937 random(42);
    std::uniform_int_distribution<int> value(0, 4);
    for (int i = 0; i < model::kMaxRows; ++i) {
        if (i % 16 == 15) {
            d.store.signals().append("separator " + std::to_string(i) + "\t\t\t\t\tSEP_0.0.1.Arial." +
                                     std::to_string(i / 16 % 4) + ".1.0.0.0.1.");
            continue;
        }
        if (i % 8 == 0) {
            d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Clock " + std::to_string(i), 1));
            continue;
        }
        std::string cells(600, '0');
        for (char& c : cells)
            c = static_cast<char>('0' + value(random));
        const std::string name = "Signal " + std::to_string(i) + (i % 3 == 0 ? "\\nsecond line" : "");
        const int ideal = i % 2;
        const int differential = i % 5 == 0 ? 1 : 0;
        d.store.signals().append(model::fields::joinRow(
            name, "DATA_0_." + cells + ".0." + std::to_string(ideal) + ".Arial.10.1.1.0.0.8421504.N/A.0.0.0." +
                      std::to_string(differential) + "." + std::to_string(i % 7 == 0 ? 1 : 0) + "."));
        for (int k = 0; k < model::kMaxCells; k += 37)
            d.store.edgeOffsets().set(i, k, (k % 2 == 0) ? 2 : -2);
    }
    return d;
}

const int kModes[] = {0, 1, 2, 5, 6};

void screenImage(benchmark::State& state, bool cull)
{
    const model::Diagram diagram = largestDiagram(kModes[state.range(0)]);
    QImage image(1920, 1080, QImage::Format_RGB32);
    render::RedrawOptions options;
    options.cullOffSurface = cull;
    options.selection.row = 3;
    options.selection.cell = 10;
    render::RedrawMemory memory;
    for (auto _ : state) {
        QPainter painter(&image);
        app::QtSurface surface(painter, {image.width(), image.height()});
        model::ReaderReport report;
        render::fullRedraw(surface, diagram, options, memory, report);
    }
}

void BM_RedrawScreenImage(benchmark::State& state)
{
    screenImage(state, true);
}

void BM_RedrawScreenImageEveryRow(benchmark::State& state)
{
    screenImage(state, false);
}

void BM_RedrawWholeDiagramNoRaster(benchmark::State& state)
{
    const model::Diagram diagram = largestDiagram(kModes[state.range(0)]);
    NullSurface surface;
    render::RedrawOptions options;
    render::RedrawMemory memory;
    for (auto _ : state) {
        model::ReaderReport report;
        render::fullRedraw(surface, diagram, options, memory, report);
    }
}

void BM_RedrawWholeDiagramSvg(benchmark::State& state)
{
    const model::Diagram diagram = largestDiagram(kModes[state.range(0)]);
    NullSurface surface;
    render::RedrawOptions options;
    render::RedrawMemory memory;
    for (auto _ : state) {
        model::ReaderReport report;
        render::SvgWriter svg;
        svg.pass = render::SvgPass::Main;
        render::fullRedraw(surface, diagram, options, memory, report, &svg);
        benchmark::DoNotOptimize(svg.text().size());
    }
}

} // namespace

BENCHMARK(BM_RedrawScreenImage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawScreenImageEveryRow)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWholeDiagramNoRaster)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWholeDiagramSvg)->Arg(0)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
