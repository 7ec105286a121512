// The native file and the undo snapshot with the largest diagram: 256 rows of every kind, every
// list populated, both grids full (and the annotated largest diagram of the tests, with random
// cell values). A snapshot is taken after every edit, so taking one must stay below two
// milliseconds, and a hundred Undo steps below 64 MiB.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "edit/session/UndoRing.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/base/PackedBytes.h"
#include "model/Diagram.h"
#include "model/RowFactory.h"
#include "support/LargestDiagram.h"

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

// The two largest diagrams: 0 with both grids full on every row, 1 with random cell values on
// every row and every annotation list full (tests/support/LargestDiagram.h).
const model::Diagram& largest(std::int64_t which)
{
    static const model::Diagram annotated = test::largestAnnotatedDiagram();
    return which == 0 ? diagram() : annotated;
}

// A change of one flood cell, somewhere else each time.
void changeOneCell(model::Diagram& d, int step)
{
    d.store.floodStyles().set(step % kRows, (step * 7) % model::kMaxCells, 1 + step % 7);
}

// The snapshot as the editor takes it after an edit: the diagram written, cut into pieces, the
// pieces it does not share with the state before compressed.
void BM_TakeSnapshot(benchmark::State& state)
{
    model::Diagram d = largest(state.range(0));
    edit::UndoRing ring;
    ring.push([&d](std::string& out) { io::writeNativeFile(d, out); });
    int step = 0;
    for (auto _ : state) {
        changeOneCell(d, ++step);
        ring.push([&d](std::string& out) { io::writeNativeFile(d, out); });
    }
    state.counters["bytes"] = static_cast<double>(io::nativeFileBytes(d).size());
}

// The worst case: a state that shares no piece with the one before (every piece compressed).
void BM_TakeSnapshotSharingNothing(benchmark::State& state)
{
    const model::Diagram& d = largest(state.range(0));
    std::string bytes;
    for (auto _ : state) {
        io::writeNativeFile(d, bytes);
        benchmark::DoNotOptimize(io::PackedBytes::pack(bytes).size());
    }
}

// What a snapshot cost when states were kept uncompressed: the diagram written.
void BM_WriteSnapshotBytes(benchmark::State& state)
{
    const model::Diagram& d = largest(state.range(0));
    std::string bytes;
    for (auto _ : state) {
        io::writeNativeFile(d, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
}

// Undo and Redo in turn between two states of the diagram: the state unpacked and read back.
void BM_RestoreSnapshot(benchmark::State& state)
{
    model::Diagram d = largest(state.range(0));
    edit::UndoRing ring;
    ring.push([&d](std::string& out) { io::writeNativeFile(d, out); });
    changeOneCell(d, 1);
    ring.push([&d](std::string& out) { io::writeNativeFile(d, out); });
    bool back = true;
    for (auto _ : state) {
        const std::string& bytes = back ? ring.undo() : ring.redo();
        back = !back;
        if (!io::restoreSnapshot(bytes, d))
            state.SkipWithError("the state could not be put back");
    }
}

// What a restore cost when states were kept uncompressed: the bytes read back.
void BM_RestoreSnapshotBytes(benchmark::State& state)
{
    const std::string snapshot = io::nativeFileBytes(largest(state.range(0)));
    model::Diagram target = largest(state.range(0));
    for (auto _ : state) {
        io::restoreSnapshot(snapshot, target);
        benchmark::DoNotOptimize(target.store.signalCount());
    }
}

// The memory of a hundred Undo steps: range(1) 0 changes one cell a step, 1 draws the cell
// values anew every step (the annotated diagram with another seed), so that little is shared.
void BM_UndoMemory(benchmark::State& state)
{
    std::size_t held = 0;
    for (auto _ : state) {
        model::Diagram d = largest(state.range(0));
        edit::UndoRing ring;
        for (int step = 0; step < edit::UndoRing::kMaxDepth; ++step) {
            if (step > 0 && state.range(1) == 0)
                changeOneCell(d, step);
            else if (step > 0)
                d = test::largestAnnotatedDiagram(static_cast<unsigned>(1000 + step));
            ring.push([&d](std::string& out) { io::writeNativeFile(d, out); });
        }
        held = ring.heldBytes();
    }
    state.counters["MiB_for_100_steps"] = static_cast<double>(held) / (1024.0 * 1024.0);
    // Ten uncompressed slots of the largest diagram, as states were kept before.
    state.counters["MiB_ten_uncompressed_slots"] =
        10.0 * static_cast<double>(io::nativeFileBytes(largest(state.range(0))).size()) / (1024.0 * 1024.0);
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

BENCHMARK(BM_TakeSnapshot)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_TakeSnapshotSharingNothing)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WriteSnapshotBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RestoreSnapshot)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_RestoreSnapshotBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_UndoMemory)->Args({0, 0})->Args({1, 0})->Args({1, 1})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
