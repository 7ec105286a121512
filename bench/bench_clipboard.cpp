// The cell clipboard on its largest block: copy, cut, paste and insert of all 256 rows by 600
// cells on the largest diagram with every annotation list full, each including the full redraw
// into the 1920 x 1080 screen image that follows it in the window. Each should stay within a
// 60 Hz frame.
#include <random>
#include <string>

#include "ScreenEditor.h"
#include "edit/session/CommandIds.h"
#include "model/CellGrid.h"
#include "model/RecordFields.h"

using namespace sigmora;
namespace cmd = edit::cmd;

namespace {

constexpr int kListSize = 256;

// The largest diagram with every row a signal or a bus (a block holding a clock or a separator
// cannot be copied), 256 arrows of the three styles, labels, time breaks and text boxes, and a
// flood on every second cell.
model::Diagram largestBlockDiagram()
{
    model::Diagram d = test::largestDiagram(0);
    model::RecordList& rows = d.store.signals();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(0, 4);
    for (int i = 0; i < rows.count(); ++i) {
        if (model::fields::dataOfRow(rows.get(i)).rfind("DATA_", 0) == 0)
            continue;
        std::string cells(model::kMaxCells, '0');
        for (char& c : cells)
            c = static_cast<char>('0' + value(random));
        rows.replace(i, model::fields::joinRow("Bus " + std::to_string(i),
                                               "DATA_0_." + cells + ".0.0.Arial.10.1.1.0.0.8421504.N/A.0.0.0.0.0."));
    }
    auto name = [&rows](int i) { return std::string(model::fields::nameOfRow(rows.get(i % rows.count()))); };
    for (int i = 0; i < kListSize; ++i) {
        const int cell = (i * 7) % 590;
        d.store.list(model::ListId::Arrows)
            .append(std::to_string(cell) + "." + name(i) + "." + std::to_string(cell + 4) + "." + name(i + 3) +
                    ".0.0." + std::to_string(i % 3) + ".0.0.0.0.0.0.0.");
        d.store.list(model::ListId::Labels)
            .append(std::to_string(cell) + "." + name(i) + "." + std::to_string(cell + 2) + "." + name(i) +
                    ".2.0.0.0.0.0.0.0.");
        d.store.list(model::ListId::TimeBreaks).append(std::to_string(cell + 1) + "." + name(i) + ".");
        d.store.list(model::ListId::Texts)
            .append(std::to_string(120 + cell * 10) + "." + std::to_string(30 + i * 44) + "." +
                    std::to_string(160 + cell * 10) + "." + std::to_string(46 + i * 44) + ".t" + std::to_string(i) +
                    "." + name(i) + ".     0.Arial.8.0.0.0.0.0.0.0.");
    }
    for (int r = 0; r < rows.count(); ++r)
        for (int c = 0; c < model::kMaxCells; c += 2)
            d.store.floodStyles().set(r, c, 1 + (r + c) % 7);
    return d;
}

// An editor on that diagram with the select tool and the whole diagram highlighted, whose
// refresh redraws the screen image as the window does.
struct ClipboardBench : bench::ScreenEditor {
    model::Diagram start = largestBlockDiagram();

    ClipboardBench() { reset(); }
    void reset()
    {
        editor.diagram() = start;
        editor.execute(cmd::ModeEdit);
        editor.state().selectionKind = edit::SelectionKind::Signal;
        editor.selectRow(0);
        highlightAll();
    }
    void highlightAll()
    {
        editor.state().rectangle = {0, 0, editor.diagram().store.signalCount(), model::kMaxCells, true, false};
    }
};

void BM_CopyLargestBlock(benchmark::State& state)
{
    ClipboardBench b;
    for (auto _ : state)
        b.editor.execute(cmd::EditCopy);
    state.counters["buffer"] = b.editor.diagram().store.list(model::ListId::CopyBuffer).count();
}

// Cut, paste and insert change the diagram: each runs on a fresh copy of it.
void runOnFreshDiagram(benchmark::State& state, int command, bool copyFirst)
{
    ClipboardBench b;
    for (auto _ : state) {
        state.PauseTiming();
        b.reset();
        if (copyFirst)
            b.editor.execute(cmd::EditCopy);
        b.highlightAll();
        state.ResumeTiming();
        b.editor.execute(command);
    }
}

void BM_CutLargestBlock(benchmark::State& state) { runOnFreshDiagram(state, cmd::EditCut, false); }
void BM_PasteLargestBlock(benchmark::State& state) { runOnFreshDiagram(state, cmd::EditPaste, true); }
void BM_InsertLargestBlock(benchmark::State& state) { runOnFreshDiagram(state, cmd::ctx::InsertCopiedCells, true); }

} // namespace

BENCHMARK(BM_CopyLargestBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CutLargestBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PasteLargestBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_InsertLargestBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv);
}
