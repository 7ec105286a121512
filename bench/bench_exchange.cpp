// The exchange formats with the largest diagram (256 rows, 600 drawn cells of every kind, moved
// edges, flood fills): SVG, XML and comma-separated export and import, each through the whole
// document in memory.
//
//   bench_exchange                         runs the benchmarks
//   bench_exchange --write-largest PATH    writes that diagram as a native file (bench/peer-compare.sh)

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

#include "app/platform/QtTextMeasurer.h"
#include "io/exchange/CsvFormat.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileWriter.h"
#include "io/exchange/SvgDocument.h"
#include "io/exchange/SvgReader.h"
#include "io/exchange/XmlFormat.h"
#include "render/MeasuringSurface.h"
#include "support/LargestDiagram.h"

using namespace sigmora;

namespace {

constexpr int kFloodEvery = 3;

const model::Diagram& diagram()
{
    static const model::Diagram d = [] {
        model::Diagram largest = test::largestDiagram();
        for (int r = 0; r < model::kMaxRows; ++r)
            for (int c = r % kFloodEvery; c < model::kMaxCells; c += 29)
                largest.store.floodStyles().set(r, c, 1 + (r + c) % 7);
        return largest;
    }();
    return d;
}

std::string svgDocument()
{
    const app::QtTextMeasurer measurer;
    render::MeasuringSurface surface(measurer, {1 << 30, 1 << 30});
    model::ReaderReport report;
    return io::svgDocument(diagram(), surface, render::RedrawOptions{}, report);
}

void BM_SvgExport(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(svgDocument().size());
}

template <typename Result, typename Reader>
void readEach(benchmark::State& state, const std::string& bytes, Reader read)
{
    for (auto _ : state) {
        model::Diagram target;
        const Result result = read(bytes, target);
        benchmark::DoNotOptimize(target.store.signalCount());
        (void)result;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_SvgImport(benchmark::State& state)
{
    const std::string bytes = svgDocument();
    readEach<io::SvgReadResult>(state, bytes, io::readSvgDiagram);
}

void BM_XmlExport(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(io::xmlDocument(diagram()).size());
}

void BM_XmlImport(benchmark::State& state)
{
    readEach<io::ExchangeReadResult>(state, io::xmlDocument(diagram()), io::readXmlDiagram);
}

void BM_CsvExport(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(io::csvDocument(diagram()).size());
}

void BM_CsvImport(benchmark::State& state)
{
    readEach<io::ExchangeReadResult>(state, io::csvDocument(diagram()), io::readCsvDiagram);
}

} // namespace

BENCHMARK(BM_SvgExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write-largest") == 0)
        return io::writeFileReplacing(argv[2], io::nativeFileBytes(diagram())) == io::WriteError::None ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
