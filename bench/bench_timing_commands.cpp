// The zoom and delay commands on the largest diagram with every annotation list full, each
// including its full redraw into the 1920 x 1080 screen image and its undo snapshot. Each should
// stay within one 60 Hz frame.
#include "ScreenEditor.h"
#include "edit/session/CommandIds.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"

using namespace sigmora;

namespace {

constexpr int kAnnotations = 256; // records in each annotation list
constexpr int kDelayedRow = 3;
constexpr int kClockRow = 8; // a clock with signals under it up to the next clock

std::string rowName(const model::Diagram& d, int row)
{
    return std::string(model::fields::nameOfRow(d.store.signals().get(row)));
}

// Arrows, labels, time breaks and text boxes spread over the rows and cells.
void fillAnnotations(model::Diagram& d)
{
    for (int i = 0; i < kAnnotations; ++i) {
        const std::string begin = std::to_string(i * 2 % 590) + "." + rowName(d, i % 250) + ".";
        const std::string end = std::to_string(i * 2 % 590 + 6) + "." + rowName(d, (i + 3) % 250) + ".";
        d.store.list(model::ListId::Arrows).append(begin + end + "0.0." + std::to_string(i % 3) + ".0.0.0.0.0.0.0.");
        d.store.list(model::ListId::Labels).append(begin + end + "2.0.0." + std::to_string(i % 2) + ".0.0.0.1.");
        d.store.list(model::ListId::TimeBreaks).append(begin);
        const int x = 200 + i * 67 % 17000;
        const int y = 40 + i * 44 % 11000;
        d.store.list(model::ListId::Texts)
            .append(std::to_string(x) + "." + std::to_string(y) + "." + std::to_string(x + 70) + "." +
                    std::to_string(y + 16) + ".note " + std::to_string(i) + "." + rowName(d, i % 250) +
                    ".0.Arial.8.0.0.0." + std::to_string(i % 3) + ".0.0.0.");
    }
}

// The largest diagram with every annotation list full, in the select tool.
struct TimingBench : bench::ScreenEditor {
    TimingBench()
    {
        fillAnnotations(editor.diagram());
        editor.state().currentTool = edit::Tool::Select;
    }
};

// Alternates a command and its opposite so that the diagram stays within its limits. Refuses to
// time a command that leaves the diagram as it was (a command that did nothing).
void runPair(benchmark::State& state, TimingBench& b, int forward, int back)
{
    std::string before, after;
    io::writeNativeFile(b.editor.diagram(), before);
    b.editor.execute(forward);
    io::writeNativeFile(b.editor.diagram(), after);
    b.editor.execute(back);
    if (before == after) {
        state.SkipWithError("the command changed nothing");
        return;
    }
    int step = 0;
    for (auto _ : state)
        b.editor.execute(step++ % 2 == 0 ? forward : back);
}

void BM_ZoomInAndOut(benchmark::State& state)
{
    TimingBench b;
    runPair(state, b, edit::cmd::IncreaseClockWidth, edit::cmd::DecreaseClockWidth);
}

void BM_DelayOnARow(benchmark::State& state)
{
    TimingBench b;
    b.editor.selectRow(kDelayedRow);
    b.editor.state().selectionKind = edit::SelectionKind::Signal;
    runPair(state, b, edit::cmd::AddSignalDelay, edit::cmd::SubtractSignalDelay);
}

void BM_DelayOnAClockAndItsRows(benchmark::State& state)
{
    TimingBench b;
    b.editor.diagram().settings.eachClockOwnPeriod = 1;
    b.editor.selectRow(kClockRow);
    b.editor.state().selectionKind = edit::SelectionKind::Signal;
    runPair(state, b, edit::cmd::AddSignalDelay, edit::cmd::SubtractSignalDelay);
}

} // namespace

BENCHMARK(BM_ZoomInAndOut)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DelayOnARow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DelayOnAClockAndItsRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    return sigmora::bench::runBenchmarks(argc, argv);
}
