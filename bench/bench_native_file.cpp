// The native file and the undo snapshot with the largest diagram: 256 rows of every kind, every
// list populated, both grids full. A snapshot is taken after every edit, so taking and restoring
// one must stay far below a millisecond or two.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "edit/UndoRing.h"
#include "io/FileAccess.h"
#include "io/NativeFileReader.h"
#include "io/NativeFileWriter.h"
#include "model/Diagram.h"
#include "model/RowFactory.h"

using namespace sigmora;

namespace {

constexpr int kRows = 256;
constexpr int kAnnotations = 256;

model::Diagram largestDiagram()
{
    model::Diagram d;
    auto& store = d.store;
    for (int i = 0; i < kRows; ++i) {
        const auto kind = static_cast<model::NewRowKind>(i % 3);
        store.signals().append(model::buildRowRecord(kind, "Signal number " + std::to_string(i), i % 2));
        for (int c = 0; c < model::kMaxCells; ++c) {
            store.floodStyles().set(i, c, (i + c) % 8);
            store.edgeOffsets().set(i, c, (i * c) % 13 - 6);
        }
    }
    for (int i = 0; i < kAnnotations; ++i) {
        const std::string row = "Signal number " + std::to_string(i);
        const std::string next = "Signal number " + std::to_string((i + 1) % kRows);
        store.list(model::ListId::Texts)
            .append(std::to_string(120 + i) + ".40.220.56.Note " + std::to_string(i) + "." + row +
                    ".     0.Arial.8.0.0.0.1.0.0.0.");
        store.list(model::ListId::Arrows).append("3." + row + ".9." + next + ".0.0.1.0.0.0.0.0.0.0.");
        store.list(model::ListId::Labels).append("2." + row + ".6." + next + ".2.0.0.1.0.0.0.1.");
        store.list(model::ListId::TimeBreaks).append(std::to_string(i % 600) + "." + row + ".");
        store.list(model::ListId::LegacyRegions).append(std::to_string(i % 600) + "." + row + ".2.");
    }
    d.settings.labelPrefix = "T";
    d.settings.labelSuffix = "ns";
    return d;
}

const model::Diagram& diagram()
{
    static const model::Diagram d = largestDiagram();
    return d;
}

void BM_TakeSnapshot(benchmark::State& state)
{
    edit::UndoRing ring;
    for (auto _ : state) {
        std::string& slot = ring.nextSnapshot();
        io::writeNativeFile(diagram(), slot);
        benchmark::DoNotOptimize(slot.data());
    }
    state.counters["bytes"] = static_cast<double>(io::nativeFileBytes(diagram()).size());
}

void BM_RestoreSnapshot(benchmark::State& state)
{
    const std::string snapshot = io::nativeFileBytes(diagram());
    model::Diagram target = diagram();
    for (auto _ : state) {
        io::restoreSnapshot(snapshot, target);
        benchmark::DoNotOptimize(target.store.signalCount());
    }
}

std::string benchFile()
{
    return (std::filesystem::temp_directory_path() / ("sigmora-bench-" + std::to_string(::getpid()) + ".sgm")).string();
}

void BM_Save(benchmark::State& state)
{
    const std::string path = benchFile();
    for (auto _ : state) {
        if (io::writeFileReplacing(path, io::nativeFileBytes(diagram())) != io::WriteError::None)
            state.SkipWithError("the file could not be written");
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

void BM_Open(benchmark::State& state)
{
    const std::string path = benchFile();
    io::writeFileReplacing(path, io::nativeFileBytes(diagram()));
    model::Diagram target;
    for (auto _ : state) {
        target.resetForNew();
        const io::FileBytes file = io::readWholeFile(path);
        if (io::readNativeFile(file.bytes, target).status != io::ReadResult::Status::Ok)
            state.SkipWithError("the file could not be read");
    }
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RestoreSnapshot)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
