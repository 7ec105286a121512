// The refresh of the largest annotated diagram imported from a dump: 256 rows (a clock, 1-bit
// signals and 8-bit buses) of 599 cells, each row with an arrow, a label, a time break and a text
// on its edges, drawn anew from the next simulation (every edge moved). Against the import of the
// same dump, which the refresh repeats: the difference is what re-anchoring costs (goal: within
// 1 s beyond the import).
//
//   bench_dump_refresh        runs the benchmarks (print their mean with --benchmark_repetitions)

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include "edit/exchange/DumpRefresh.h"
#include "io/exchange/ImportFiles.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

constexpr int kSignals = 255; // and the clock
constexpr int kColumns = 600;

// A dump whose signals change at random edges of the clock (a different seed moves every edge).
std::string dump(unsigned seed)
{
    std::mt19937 random(seed);
    std::bernoulli_distribution change(0.3);
    std::string v = "$timescale 1ns $end\n$scope module top $end\n$var wire 1 ! clk $end\n";
    for (int i = 0; i < kSignals; ++i)
        v += "$var wire " + std::string(i % 2 ? "8" : "1") + " s" + std::to_string(i) + " s" + std::to_string(i) +
             (i % 2 ? " [7:0]" : "") + " $end\n";
    v += "$upscope $end\n$enddefinitions $end\n#0\n0!\n";
    std::vector<int> level(kSignals, 0);
    for (int i = 0; i < kSignals; ++i)
        v += i % 2 ? "b0 s" + std::to_string(i) + "\n" : "0s" + std::to_string(i) + "\n";
    for (int column = 0; column <= kColumns; ++column) {
        const int t = 5 + 5 * column;
        v += "#" + std::to_string(t) + "\n" + (column % 2 == 0 ? "1!\n" : "0!\n");
        std::string after;
        for (int i = 0; i < kSignals; ++i) {
            if (!change(random))
                continue;
            level[static_cast<std::size_t>(i)] = i % 2 ? (level[static_cast<std::size_t>(i)] + 37) % 256
                                                       : level[static_cast<std::size_t>(i)] ^ 1;
            const int value = level[static_cast<std::size_t>(i)];
            std::string bits;
            for (int b = 7; b >= 0; --b)
                bits += (value >> b & 1) ? '1' : '0';
            after += i % 2 ? "b" + bits + " s" + std::to_string(i) + "\n" : std::to_string(value) + "s" + std::to_string(i) + "\n";
        }
        if (!after.empty())
            v += "#" + std::to_string(t + 1) + "\n" + after;
    }
    return v;
}

struct Files {
    fs::path dir = fs::temp_directory_path() / ("sigmora-bench-refresh-" + std::to_string(::getpid()));
    fs::path first = dir / "run.vcd", next = dir / "next.vcd";
    model::Diagram annotated;
    Files()
    {
        fs::create_directories(dir);
        std::ofstream(first) << dump(1);
        std::ofstream(next) << dump(2);
        test::FixedMeasurer measurer;
        io::importVcdFile(first.string(), {"clk", {}, {}, {}}, annotated, measurer);
        // On every row, on its edges: an arrow to the next row, a label, a time break and a text.
        const model::RecordList& rows = annotated.store.signals();
        for (int r = 0; r + 1 < rows.count(); ++r) {
            const std::string name(model::fields::nameOfRow(rows.get(r)));
            const std::string below(model::fields::nameOfRow(rows.get(r + 1)));
            const std::string_view w = model::signal::waveform(rows.get(r));
            std::vector<int> edges;
            for (int c = 0; c + 1 < static_cast<int>(w.size()) && c < kColumns - 1; ++c)
                if (w[static_cast<std::size_t>(c)] != w[static_cast<std::size_t>(c) + 1])
                    edges.push_back(c);
            if (edges.size() < 4)
                continue;
            const std::string e0 = std::to_string(edges[1]), e1 = std::to_string(edges[3]);
            annotated.store.list(model::ListId::Arrows).append(e0 + "." + name + "." + e1 + "." + below + ".0.0.0.0.0.0.0.0.0.0.");
            annotated.store.list(model::ListId::Labels).append(e0 + "." + name + "." + e1 + "." + name + ".2.0.0.1.0.0.0.1.");
            annotated.store.list(model::ListId::TimeBreaks).append(std::to_string(edges[2]) + "." + name + ".");
            const int x = 100 + edges[2] * annotated.settings.cellWidth;
            annotated.store.list(model::ListId::Texts)
                .append(std::to_string(x) + ".0." + std::to_string(x + 30) + ".12.note." + name + ".     0.Arial.8.0.0.0.0.0.0.0.");
        }
    }
    ~Files() { fs::remove_all(dir); }
};

const Files& files()
{
    static const Files f;
    return f;
}

void BM_DumpImport(benchmark::State& state)
{
    test::FixedMeasurer measurer;
    for (auto _ : state) {
        model::Diagram d;
        benchmark::DoNotOptimize(io::importVcdFile(files().next.string(), {"clk", {}, {}, {}}, d, measurer));
    }
}

void BM_DumpRefresh(benchmark::State& state)
{
    test::FixedMeasurer measurer;
    for (auto _ : state) {
        model::Diagram d = files().annotated;
        const edit::RefreshResult r = edit::refreshFromDump(d, {files().next.string(), {}, {}}, measurer);
        if (!r.ok)
            state.SkipWithError(r.error.c_str());
        state.counters["unplaced"] = static_cast<double>(r.unplaced.size());
    }
    state.counters["annotations"] = static_cast<double>(files().annotated.store.list(model::ListId::Arrows).count() * 4);
}

} // namespace

BENCHMARK(BM_DumpImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DumpRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
