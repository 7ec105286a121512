// The recovery copy, written within two seconds of a change while the user edits: the part that
// runs on the window's thread (taking the diagram's bytes and handing them to the writer) and the
// whole write (both files replaced on disk, with their flush), for a datasheet-size diagram of a
// dozen rows and for the largest diagram.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/files/RecoveryCopy.h"
#include "model/RowFactory.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"
#include "support/LargestDiagram.h"

using namespace sigmora;

namespace {

struct Bench {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    std::string folder = (std::filesystem::temp_directory_path() / ("sigmora-bench-recovery-" + std::to_string(getpid()))).string();
    edit::RecoveryCopy copy{folder};

    explicit Bench(bool largest)
    {
        if (largest) {
            editor.diagram() = test::largestDiagram();
        } else {
            // A DDR read burst: clock pair, command and address buses, DQS, DQ and a few notes.
            for (int i = 0; i < 12; ++i)
                editor.addRow(static_cast<model::NewRowKind>(i % 3));
            for (int i = 0; i < 12; ++i)
                editor.diagram().store.list(model::ListId::Texts).append("200.40.230.56.D" + std::to_string(i) + ".SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
        }
        editor.diagram().modified = true;
    }
    ~Bench() { std::filesystem::remove_all(folder); }
};

// On the window's thread: the diagram's bytes taken and handed over.
void takenOnTheWindowThread(benchmark::State& state)
{
    Bench b(state.range(0) != 0);
    for (auto _ : state) {
        b.copy.diagramChanged(b.editor);
        b.copy.writeDue(b.editor);
        state.PauseTiming();
        b.copy.flush();
        state.ResumeTiming();
    }
}

// The whole write, until both files are on disk.
void writtenToDisk(benchmark::State& state)
{
    Bench b(state.range(0) != 0);
    for (auto _ : state) {
        b.copy.diagramChanged(b.editor);
        b.copy.writeDue(b.editor);
        b.copy.flush();
    }
}

} // namespace

BENCHMARK(takenOnTheWindowThread)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(writtenToDisk)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
