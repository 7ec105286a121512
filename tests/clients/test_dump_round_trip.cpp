// A window of a real simulation's dump, with buses of 8, 128 and 1024 bits and partly
// high-impedance values, taken through the whole chain as an engineer would: imported by
// "sigmora --convert", exported as Verilog and VHDL stimulus, simulated by Icarus Verilog and
// GHDL, dumped, and imported again. Every column of every row comes back as it was imported,
// level for level and value for value. The dumps come from Icarus Verilog (as a value change dump
// and as FST), GHDL (both too) and, when it is installed, Verilator's FST trace.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "io/base/FileAccess.h"
#include "io/dump/DrawnChanges.h"
#include "io/native/NativeFileReader.h"
#include "support/ColumnValues.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

constexpr long long kHalfPeriodPs = 5000; // the design's clock toggles every 5 ns

bool installed(const char* tools)
{
    return std::system(("for t in " + std::string(tools) + "; do command -v $t >/dev/null 2>&1 || exit 1; done").c_str()) == 0;
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

model::Diagram readDiagram(const fs::path& path)
{
    model::Diagram d;
    EXPECT_EQ(io::readAnyVersion(io::readWholeFile(path.string()).bytes, d).status, io::ReadResult::Status::Ok) << path;
    return d;
}

class DumpRoundTrip : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = fs::temp_directory_path() / ("sigmora-round-trip-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static int sh(const fs::path& in, const std::string& command)
    {
        return std::system(("cd '" + in.string() + "' && " + command).c_str());
    }
    static int sigmora(const fs::path& in, const std::string& args)
    {
        return sh(in, std::string("QT_QPA_PLATFORM=offscreen ") + SIGMORA_EXECUTABLE + " " + args + " 2>>sigmora.err");
    }

    // The source dump of one simulator, in its own folder; false when it could not be made.
    static bool simulate(const std::string& simulator, fs::path& dump)
    {
        const fs::path work = dir_ / simulator;
        fs::create_directories(work);
        const std::string source = std::string(SIGMORA_SOURCE_DIR) + "/tests/io/data/dump_widths_tb.v";
        if (simulator == "icarus-vcd") {
            dump = work / "run.vcd";
            return sh(work, "iverilog -o run.vvp '" + source + "' && vvp -n run.vvp +dump=run.vcd >/dev/null") == 0;
        }
        if (simulator == "icarus-fst") {
            dump = work / "run.fst";
            return sh(work, "iverilog -o run.vvp '" + source + "' && vvp -n run.vvp -fst +dump=run.fst >/dev/null") == 0;
        }
        if (simulator == "ghdl-vcd" || simulator == "ghdl-fst") {
            const bool fst = simulator == "ghdl-fst";
            dump = work / (fst ? "run.fst" : "run.vcd");
            return sh(work, "ghdl -a --std=08 '" + std::string(SIGMORA_SOURCE_DIR) +
                                "/tests/io/data/dump_widths_tb.vhd' && ghdl -e --std=08 dump_widths_tb && ghdl -r --std=08 "
                                "dump_widths_tb " + (fst ? "--fst=run.fst" : "--vcd=run.vcd") +
                                " --stop-time=430ns >ghdl.out 2>&1") == 0;
        }
        dump = work / "run.fst";
        return sh(work, "verilator --binary --timing --trace-fst -Wno-fatal -Wno-lint --top-module tb -o run '" + source +
                            "' >verilator.out 2>&1 && obj_dir/run +dump=run.fst >/dev/null") == 0;
    }

    // The stimulus of the imported diagram run under a top that dumps its ports with a reference
    // clock (sample_clk) of the half-period; the dump made.
    static fs::path simulateStimulus(const fs::path& work, const io::TimedRows& rows, bool vhdl)
    {
        std::string top;
        std::string ports;
        for (const io::TimedRow& r : rows.rows)
            ports += (ports.empty() ? "" : ", ") +
                     (vhdl ? r.identifier + " => " + r.identifier : "." + r.identifier + "(" + r.identifier + ")");
        if (vhdl) {
            top = "library ieee;\nuse ieee.std_logic_1164.all;\nentity top is\nend entity top;\n"
                  "architecture test of top is\n  signal sample_clk : std_logic := '0';\n";
            for (const io::TimedRow& r : rows.rows)
                top += "  signal " + r.identifier + " : " +
                       (r.width > 1 ? "std_logic_vector(" + std::to_string(r.width - 1) + " downto 0)" : "std_logic") + ";\n";
            top += "begin\n  dut: entity work." + rows.baseName + "_stimulus port map(" + ports + ");\n" +
                   "  process\n  begin\n    loop\n      wait for " + std::to_string(kHalfPeriodPs) +
                   " ps;\n      sample_clk <= not sample_clk;\n    end loop;\n  end process;\nend architecture test;\n";
            std::ofstream(work / "top.vhd") << top;
            const std::string stop = std::to_string(rows.endTime + kHalfPeriodPs / 2) + "ps";
            EXPECT_EQ(sh(work, "(ghdl -a --std=08 stimulus.vhd top.vhd && ghdl -e --std=08 top && ghdl -r --std=08 top "
                               "--vcd=back.vcd --stop-time=" + stop + ") >ghdl.out 2>&1"),
                      0)
                << slurp(work / "ghdl.out");
        } else {
            top = "`timescale 1ns/1ps\nmodule top;\n  reg sample_clk = 0;\n";
            for (const io::TimedRow& r : rows.rows)
                top += "  wire " + (r.width > 1 ? "[" + std::to_string(r.width - 1) + ":0] " : std::string()) + r.identifier + ";\n";
            top += "  " + rows.baseName + "_stimulus dut(" + ports + ");\n" +
                   "  initial begin\n    $dumpfile(\"back.vcd\");\n    $dumpvars(1, top);\n    forever #" +
                   std::to_string(kHalfPeriodPs / 1000) + " sample_clk = ~sample_clk;\n  end\n" + "  initial #" +
                   std::to_string((rows.endTime + kHalfPeriodPs / 2) / 1000.0) + " $finish;\nendmodule\n";
            std::ofstream(work / "top.v") << top;
            EXPECT_EQ(sh(work, "iverilog -o sim top.v stimulus.v >iverilog.out 2>&1 && vvp -n sim >/dev/null"), 0)
                << slurp(work / "iverilog.out");
        }
        return work / "back.vcd";
    }

    static inline fs::path dir_;
};

struct Trip {
    const char* simulator; // of the source dump
    const char* stimulus;  // "v" or "vhd"
    const char* needs;     // the programs it needs
    const char* signals = "clk,count,wide,huge,bus,half,valid";
};
void PrintTo(const Trip& t, std::ostream* os) { *os << t.simulator << " -> " << t.stimulus; }

class EveryChain : public DumpRoundTrip, public testing::WithParamInterface<Trip> {};

TEST_P(EveryChain, GivesTheImportedWindowBackCellForCellAndValueForValue)
{
    const Trip& t = GetParam();
    if (!installed(t.needs))
        GTEST_SKIP() << t.needs << " not installed: run scripts/setup-debian.sh --tests";
    fs::path dump;
    ASSERT_TRUE(simulate(t.simulator, dump)) << t.simulator << ": " << slurp(dump.parent_path() / "verilator.out")
                                             << slurp(dump.parent_path() / "ghdl.out");
    const fs::path work = dump.parent_path() / t.stimulus;
    fs::create_directories(work);
    ASSERT_EQ(sigmora(work, "--convert '" + dump.string() + "' imported.sgm --clock clk --signals " + t.signals +
                                " --from 95ns --to 300ns"),
              0)
        << slurp(work / "sigmora.err");
    const bool vhdl = std::string(t.stimulus) == "vhd";
    ASSERT_EQ(sigmora(work, std::string("--convert imported.sgm stimulus.") + t.stimulus + " --half-period 5ns"), 0)
        << slurp(work / "sigmora.err");
    const model::Diagram imported = readDiagram(work / "imported.sgm");
    const io::TimedRows rows = io::timedRows(imported, "imported", vhdl ? io::HdlLanguage::Vhdl : io::HdlLanguage::Verilog,
                                             kHalfPeriodPs * 1000);
    ASSERT_TRUE(rows.ok) << rows.error;
    const fs::path back = simulateStimulus(work, rows, vhdl);
    ASSERT_EQ(sigmora(work, "--convert back.vcd back.sgm --clock sample_clk"), 0) << slurp(work / "sigmora.err");
    const model::Diagram again = readDiagram(work / "back.sgm");

    const int columns = imported.settings.cellCount - 1;
    ASSERT_GE(columns, 30);
    ASSERT_EQ(imported.store.signalCount(), 7);
    ASSERT_GE(again.store.signalCount(), 8); // sample_clk and the stimulus's ports
    EXPECT_GE(again.settings.cellCount - 1, columns);
    int partlyZ = 0, wide = 0;
    for (int row = 0; row < imported.store.signalCount(); ++row) {
        const std::vector<std::string> before = test::columnValues(imported, row, columns);
        // The simulator dumps the ports in an order of its own: each is found by its name.
        const std::string& port = rows.rows[static_cast<std::size_t>(row)].identifier;
        int back = -1;
        for (int k = 0; k < again.store.signalCount() && back < 0; ++k) {
            const std::string name(model::fields::nameOfRow(again.store.signals().get(k)));
            if (name == port || name.rfind(port + "[", 0) == 0)
                back = k;
        }
        ASSERT_GE(back, 1) << rows.rows[static_cast<std::size_t>(row)].identifier;
        const std::vector<std::string> after = test::columnValues(again, back, columns);
        EXPECT_EQ(after, before) << t.simulator << " -> " << t.stimulus << ", row " << row << " ("
                                 << rows.rows[static_cast<std::size_t>(row)].identifier << ")";
        for (const std::string& v : before) {
            partlyZ += v.find('z') != std::string::npos && v.find_first_of("01") != std::string::npos;
            wide += v.size() > 64;
        }
    }
    // What the chain is meant to carry is there to carry.
    if (std::string(t.simulator) != "verilator") { // a two-state simulator has no z
        EXPECT_GT(partlyZ, 0) << "no value partly high-impedance";
    }
    EXPECT_GT(wide, 0) << "no value wider than 64 bits";
}

INSTANTIATE_TEST_SUITE_P(Simulators, EveryChain,
                         testing::Values(Trip{"icarus-vcd", "v", "iverilog vvp"}, Trip{"icarus-vcd", "vhd", "iverilog vvp ghdl"},
                                         Trip{"icarus-fst", "v", "iverilog vvp"}, Trip{"icarus-fst", "vhd", "iverilog vvp ghdl"},
                                         Trip{"ghdl-vcd", "v", "ghdl iverilog vvp", "clk,count,wide,huge,bus_out,half,valid"},
                                         Trip{"ghdl-vcd", "vhd", "ghdl", "clk,count,wide,huge,bus_out,half,valid"},
                                         Trip{"ghdl-fst", "vhd", "ghdl", "clk,count,wide,huge,bus_out,half,valid"},
                                         Trip{"verilator", "v", "verilator iverilog vvp"}),
                         [](const testing::TestParamInfo<Trip>& info) {
                             std::string name = std::string(info.param.simulator) + "_" + info.param.stimulus;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

} // namespace
