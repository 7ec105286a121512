// "sigmora --refresh" as a build script runs it after the next simulation: the diagram written in
// place with its imported rows drawn anew and its annotations on their edges, from the dump it was
// imported from or another one (.vcd or .fst), in its window or another; what cannot be read is
// told and leaves the diagram's bytes as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "CommandLineScratch.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

// The clock (its first edge at 5 starts the cells) and d changing in the columns given.
std::string dump(const std::vector<int>& columns)
{
    std::string v = "$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 \" d $end\n"
                    "$upscope $end\n$enddefinitions $end\n#0\n0!\n0\"\n";
    int level = 0;
    for (int column = 0; column <= 20; ++column) {
        const int t = 5 + 5 * column;
        v += "#" + std::to_string(t) + "\n" + (column % 2 == 0 ? "1!\n" : "0!\n");
        if (std::find(columns.begin(), columns.end(), column) != columns.end())
            v += "#" + std::to_string(t + 1) + "\n" + ((level ^= 1) ? "1" : "0") + "\"\n";
    }
    return v + "#110\n";
}

using test::slurp;

struct RefreshCommand : test::CommandLineScratch {
    RefreshCommand() : CommandLineScratch("sigmora-refresh-cli-") {}
    // Imports run.vcd (d changing in columns 3, 7, 12) as timing.sgm with an arrow to d's second
    // edge and a time break on its third.
    void importAnnotated()
    {
        std::ofstream(dir / "run.vcd") << dump({3, 7, 12});
        std::string err;
        ASSERT_EQ(run("--convert run.vcd timing.sgm", err), 0) << err;
        model::Diagram d = read("timing.sgm");
        d.store.list(model::ListId::Arrows).append("2.clk.7.d.0.0.0.0.0.0.0.0.0.0.");
        d.store.list(model::ListId::TimeBreaks).append("12.d.");
        std::ofstream(dir / "timing.sgm", std::ios::binary) << io::nativeFileBytes(d);
    }
    model::Diagram read(const char* name) const
    {
        model::Diagram d;
        EXPECT_EQ(io::readNativeFile(io::readWholeFile((dir / name).string()).bytes, d).status, io::ReadResult::Status::Ok);
        return d;
    }
};

std::string cellsOfD(const model::Diagram& d)
{
    return std::string(model::signal::waveform(d.store.signals().get(1)).substr(0, 20));
}

} // namespace

TEST_F(RefreshCommand, RedrawsTheRowsInPlaceWithTheAnnotationsOnTheirEdges)
{
    const bool fst = std::system("command -v vcd2fst >/dev/null 2>&1") == 0;
    const struct {
        const char* what;
        const char* dumpArgs; // after the diagram
        bool needsFst;
        const char* cells;    // d's first 20 cells after
        const char* arrowEnd; // the arrow's end cell after
        const char* breakCell;
    } cases[] = {
        {"the same dump, simulated again", "", false, "00000111110000111111", "9", "13"},
        {"another dump", "next.vcd", false, "00000111110000111111", "9", "13"},
        {"the next simulation as FST", "next.fst", true, "00000111110000111111", "9", "13"},
        {"a later window", "next.vcd --from 15ns --to 80ns", false, "00011111000011111111", "7", "11"},
    };
    for (const auto& c : cases) {
        if (c.needsFst && !fst)
            continue;
        importAnnotated();
        std::ofstream(dir / "next.vcd") << dump({4, 9, 13});
        if (std::string(c.dumpArgs).empty())
            std::ofstream(dir / "run.vcd") << dump({4, 9, 13});
        if (c.needsFst) {
            ASSERT_EQ(std::system(("cd '" + dir.string() + "' && vcd2fst next.vcd next.fst >/dev/null 2>&1").c_str()), 0);
        }
        std::string err;
        ASSERT_EQ(run("--refresh timing.sgm " + std::string(c.dumpArgs), err), 0) << c.what << ": " << err;
        EXPECT_EQ(err, "") << c.what;
        const model::Diagram d = read("timing.sgm");
        EXPECT_EQ(cellsOfD(d), c.cells) << c.what;
        EXPECT_EQ(std::string(*model::fields::textField(d.store.list(model::ListId::Arrows).get(0), 2)), c.arrowEnd) << c.what;
        EXPECT_EQ(std::string(*model::fields::textField(d.store.list(model::ListId::TimeBreaks).get(0), 0)), c.breakCell) << c.what;
    }
}

TEST_F(RefreshCommand, WhatCannotBeReadOrPlacedIsTold)
{
    const struct {
        const char* what;
        const char* args;
        std::string nextDump;  // written as next.vcd; empty: none
        int status;
        const char* err;       // part of standard error
        bool unchanged;        // the diagram's bytes are as they were
    } cases[] = {
        {"a dump that is not there", "--refresh timing.sgm gone.vcd", "", 1, "gone.vcd cannot be opened", true},
        {"a damaged dump", "--refresh timing.sgm next.vcd", "$var wire 1 ! clk\n", 1, "cannot be read", true},
        {"an edge that is gone", "--refresh timing.sgm next.vcd", dump({4, 9}), 0,
         "The time break at cell 12 of d: its edge is gone, it was left where it was.", false},
        {"a diagram drawn by hand", "--refresh drawn.sgm", "", 1, "was not imported from a dump", true},
        {"no diagram", "--refresh", "", 2, "usage: sigmora --refresh", true},
        {"an unknown option", "--refresh timing.sgm --clock x", "", 2, "unknown option --clock", true},
    };
    for (const auto& c : cases) {
        importAnnotated();
        model::Diagram drawn;
        std::ofstream(dir / "drawn.sgm", std::ios::binary) << io::nativeFileBytes(drawn);
        if (!c.nextDump.empty())
            std::ofstream(dir / "next.vcd") << c.nextDump;
        const std::string before = slurp(dir / "timing.sgm");
        std::string err;
        EXPECT_EQ(run(c.args, err), c.status) << c.what << ": " << err;
        EXPECT_NE(err.find(c.err), std::string::npos) << c.what << ": " << err;
        EXPECT_EQ(slurp(dir / "timing.sgm") == before, c.unchanged) << c.what;
    }
}

// The next version of a real design (its reset two clock periods longer), simulated by Icarus
// Verilog: the refresh moves every annotation on an edge of count and valid to the same edge in the
// new run, and the values of count are written anew.
TEST_F(RefreshCommand, AChangeOfTheDesignMovesTheAnnotationsWithTheirEdges)
{
    if (std::system("command -v iverilog >/dev/null 2>&1 && command -v vvp >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Icarus Verilog (Debian iverilog) is not installed: run scripts/setup-debian.sh --tests";
    const std::string source = std::string(SIGMORA_SOURCE_DIR) + "/tests/io/data/dump_widths_tb.v";
    std::string err;
    const auto simulate = [&](const std::string& defines) {
        return std::system(("cd '" + dir.string() + "' && iverilog " + defines + " -o sim.vvp '" + source +
                            "' && vvp -n sim.vvp +dump=sim.vcd >/dev/null")
                               .c_str());
    };
    ASSERT_EQ(simulate(""), 0);
    ASSERT_EQ(run("--convert sim.vcd timing.sgm --clock clk --signals valid,count --to 200ns", err), 0) << err;
    model::Diagram d = read("timing.sgm");
    const auto edges = [](const model::Diagram& diagram, int row) {
        std::vector<int> out;
        const std::string_view w = model::signal::waveform(diagram.store.signals().get(row));
        for (int c = 0; c + 1 < diagram.settings.cellCount; ++c)
            if (w[static_cast<std::size_t>(c)] != w[static_cast<std::size_t>(c) + 1])
                out.push_back(c);
        return out;
    };
    const std::vector<int> valid = edges(d, 1), count = edges(d, 2);
    ASSERT_GE(valid.size(), 3u);
    ASSERT_GE(count.size(), 3u);
    // An arrow from count's first change to valid's first rise, a label over valid's second and
    // third edges, a time break on count's third change.
    const std::string validName(model::fields::nameOfRow(d.store.signals().get(1)));
    const std::string countName(model::fields::nameOfRow(d.store.signals().get(2)));
    d.store.list(model::ListId::Arrows)
        .append(std::to_string(count[0]) + "." + countName + "." + std::to_string(valid[0]) + "." + validName +
                ".0.0.0.0.0.0.0.0.0.0.");
    d.store.list(model::ListId::Labels)
        .append(std::to_string(valid[1]) + "." + validName + "." + std::to_string(valid[2]) + "." + validName +
                ".2.0.0.1.0.0.0.1.");
    d.store.list(model::ListId::TimeBreaks).append(std::to_string(count[2]) + "." + countName + ".");
    std::ofstream(dir / "timing.sgm", std::ios::binary) << io::nativeFileBytes(d);

    ASSERT_EQ(simulate("-DLATE_RESET"), 0);
    ASSERT_EQ(run("--refresh timing.sgm", err), 0) << err;
    EXPECT_EQ(err, "");
    const model::Diagram after = read("timing.sgm");
    const std::vector<int> newValid = edges(after, 1), newCount = edges(after, 2);
    ASSERT_GE(newValid.size(), 3u);
    ASSERT_GE(newCount.size(), 3u);
    EXPECT_EQ(newValid[0], valid[0] + 4) << "the design's edges came two periods (four cells) later";
    const std::string arrow = after.store.list(model::ListId::Arrows).get(0);
    EXPECT_EQ(model::fields::intField(arrow, 0), newCount[0]);
    EXPECT_EQ(model::fields::intField(arrow, 2), newValid[0]);
    const std::string label = after.store.list(model::ListId::Labels).get(0);
    EXPECT_EQ(model::fields::intField(label, 0), newValid[1]);
    EXPECT_EQ(model::fields::intField(label, 2), newValid[2]);
    EXPECT_EQ(model::fields::intField(after.store.list(model::ListId::TimeBreaks).get(0), 0), newCount[2]);
    // count's values are those a fresh import of the new run writes, where it writes them.
    ASSERT_EQ(run("--convert sim.vcd fresh.sgm --clock clk --signals valid,count --to 200ns", err), 0) << err;
    const auto texts = [](const model::Diagram& diagram) {
        std::vector<std::string> out;
        for (const std::string& t : diagram.store.list(model::ListId::Texts).records())
            out.push_back(std::string(*model::fields::textField(t, 0)) + " " + std::string(*model::fields::textField(t, 4)));
        return out;
    };
    const std::vector<std::string> refreshed = texts(after);
    EXPECT_EQ(refreshed, texts(read("fresh.sgm")));
    EXPECT_GE(refreshed.size(), 10u);
}
