// One step of a drag with the draw tool on the largest diagram: the editor's move call painting
// one cell plus the full redraw into the 1920 x 1080 screen image, and the release with its undo
// snapshot. Each should stay within a quarter of a 60 Hz frame.
#include "ScreenEditor.h"

using namespace sigmora;

namespace {

constexpr int kRow = 3;
constexpr int kFirstCell = 10;
constexpr int kCells = 30;

// The largest diagram with room above the first row, as the window shows it.
struct DragBench : bench::ScreenEditor {
    explicit DragBench(bool timed = false)
    {
        if (timed)
            editor.diagram() = test::largestTimedDiagram();
        editor.diagram().settings.topMargin = 40;
    }
    render::Layout layout() const { return render::Layout::from(editor.diagram().settings); }
    int cellX(int cell) const
    {
        const render::Layout l = layout();
        return l.waveOriginX() + cell * l.cellWidth + l.cellWidth / 2;
    }
    int rowY(bool high) const
    {
        const render::Layout l = layout();
        return l.middleLevel(l.signalTop(kRow)) + (high ? -3 : 3);
    }
};

void BM_DragMoveStep(benchmark::State& state)
{
    DragBench b(state.range(0) == 1);
    state.SetLabel(state.range(0) == 1 ? "measured labels and parameter checks" : "plain");
    b.editor.mouse().press({true, false, false}, b.cellX(kFirstCell), b.rowY(true));
    int step = 0;
    for (auto _ : state) {
        // Every step lands on a cell whose level changes: one cell painted, one full redraw.
        const int cell = kFirstCell + 1 + step % kCells;
        const bool high = (step / kCells) % 2 == 1;
        b.editor.mouse().move({true, false, false}, b.cellX(cell), b.rowY(high));
        ++step;
    }
}

void BM_DragRelease(benchmark::State& state)
{
    DragBench b;
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int cell = kFirstCell + step % kCells;
        b.editor.mouse().press({true, false, false}, b.cellX(cell), b.rowY(step % 2 == 0));
        ++step;
        state.ResumeTiming();
        b.editor.mouse().release({}, b.cellX(cell), b.rowY(true));
    }
}

} // namespace

BENCHMARK(BM_DragMoveStep)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DragRelease)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    return sigmora::bench::runBenchmarks(argc, argv);
}
