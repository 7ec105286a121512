// The value change dump, Verilog and VHDL stimulus written by "sigmora --convert", run by the
// programs engineers use: Icarus Verilog and GHDL simulate the stimulus under a generated top
// that dumps it, GTKWave's vcd2fst reads the dump as written, and each dump comes back through
// "sigmora --convert dump.vcd back.sgm". Every 1-bit row's cells and every bus value must equal
// the original's, for the example diagrams and a diagram built with delays, moved and slanted
// edges, a tri-state run, an x run, a 32-bit bus and names to be renamed.
//
// The import samples each cell at its middle, on the edges of a reference clock the top adds
// (sample_clk, toggling every half-period from the first): an edge moved past a cell's middle
// is read in the cell after. The diagram built here moves one edge 20 of 30 pixels into its cell
// and expects exactly that cell to show the value before; the examples are checked to move no
// edge that far, so that their cells come back as drawn.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "io/base/DiagramBuilder.h"
#include "io/base/FileAccess.h"
#include "io/dump/DrawnChanges.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"
#include "support/ColumnValues.h"
#include "support/FixedMeasurer.h"
#include "support/ReferenceClock.h"

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;

using test::columnValues;

namespace {

constexpr long long kHalfPeriodPs = 5000;
constexpr int kCellWidth = 30;

bool installed(const char* tools)
{
    return std::system(("for t in " + std::string(tools) + "; do command -v $t >/dev/null 2>&1 || exit 1; done").c_str()) == 0;
}

int run(const std::string& command)
{
    return std::system(command.c_str());
}

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

model::Diagram readDiagram(const fs::path& path)
{
    model::Diagram d;
    const io::FileBytes file = io::readWholeFile(path.string());
    EXPECT_EQ(file.error, io::ReadError::None) << path;
    EXPECT_EQ(io::readAnyVersion(file.bytes, d).status, io::ReadResult::Status::Ok) << path;
    return d;
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A diagram with what the exports must carry over, saved as a native file.
struct HandBuilt {
    model::Diagram diagram;
    // Row -> the columns expected back where they differ from the drawing.
    std::map<std::string, std::vector<std::string>> expectedBack;
    // The same through the stimulus, which drives a row's changes its drawn slant after the edge.
    std::map<std::string, std::vector<std::string>> drivenBack;
};

HandBuilt handBuiltDiagram()
{
    HandBuilt h;
    test::FixedMeasurer measurer;
    io::DiagramBuilder b(h.diagram, measurer);
    auto row = [&](const char* name, bool clock, const char* cells, std::vector<std::pair<int, std::string>> values = {}) {
        io::ImportedRow r;
        r.name = name;
        r.clock = clock;
        r.cells = cells;
        r.entry = clock ? '1' : 0;
        r.hatched.assign(r.cells.size(), false);
        r.values = std::move(values);
        return r;
    };
    b.addRow(row("clk", true, "0101010101010101010"));
    // Moved by 10 of 30 pixels (before the middle): read as drawn.
    const int delayed = b.addRow(row("req delayed", false, "0011110000111100000"));
    // Moved by 20 pixels, past the middle: the column it moves into still shows 0.
    const int late = b.addRow(row("late", false, "0001111100000000000"));
    b.addRow(row("tri", false, "0022221111222200000"));
    io::ImportedRow unknown = row("end", false, "0111111110000011111");
    for (int k = 4; k <= 6; ++k)
        unknown.hatched[static_cast<std::size_t>(k)] = true;
    b.addRow(unknown);
    b.addRow(row("bus32", false, "2244443333444433332",
                  {{2, "0xDEADBEEF"}, {6, "3Ah"}, {10, "0b101"}}));
    // The same name in other letters: numbered in the files.
    b.addRow(row("Bus32", false, "4444333344443333222", {{0, "58"}, {8, "4294967295"}}));
    b.finish(19);
    model::CellGrid& offsets = h.diagram.store.edgeOffsets();
    // The change into character k moves by the entries 0 to k, summed: +10 into character 3.
    offsets.set(delayed, 3, 10);
    offsets.set(delayed, 4, -10);
    offsets.set(late, 4, 20);
    offsets.set(late, 5, -20);
    // Column 3 (character 4) is drawn 1 from 20 pixels on: at its middle (15) it is still 0.
    h.expectedBack["late"] = {"0", "0", "0", "0", "1", "1", "1", "1", "0", "0",
                              "0", "0", "0", "0", "0", "0", "0", "0", "0"}; // the 19 columns drawn
    // Driven a slant (10 pixels) after its moved edge, the rise into column 2 comes at 20 of 30
    // pixels: past the column's middle.
    h.drivenBack["req delayed"] = {"0", "0", "0", "1", "1", "1", "0", "0", "0", "0",
                                   "1", "1", "1", "1", "0", "0", "0", "0", "0"};
    return h;
}

class HdlClients : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("sigmora-hdl-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        if (!HasFailure())
            fs::remove_all(dir_);
    }

    // The examples and the diagram built here, as native files with what differs in each.
    struct Case {
        std::string name;
        fs::path file;
        std::map<std::string, std::vector<std::string>> expectedBack;
        std::map<std::string, std::vector<std::string>> drivenBack;
    };
    std::vector<Case> cases()
    {
        std::vector<Case> out;
        for (const char* e : {"annotated", "handshake", "spi"})
            out.push_back({e, fs::path(SIGMORA_SOURCE_DIR) / "examples" / (std::string(e) + ".sgm"), {}, {}});
        HandBuilt h = handBuiltDiagram();
        const fs::path file = dir_ / "hand_built.sgm";
        EXPECT_EQ(io::writeFileReplacing(file.string(), io::nativeFileBytes(h.diagram)).error, io::WriteError::None);
        out.push_back({"hand_built", file, h.expectedBack, h.drivenBack});
        return out;
    }

    std::string convert(const fs::path& in, const fs::path& out, const std::string& options = {})
    {
        const fs::path err = dir_ / "convert.err";
        const int status = run(std::string(SIGMORA_EXECUTABLE) + " --convert " + quoted(in) + " " + quoted(out) + " " +
                               options + " 2>" + quoted(err));
        EXPECT_EQ(status, 0) << in << " -> " << out << ": " << slurp(err);
        return slurp(err);
    }

    // Reads the dump back with the reference clock and compares every exported row.
    // GHDL writes VHDL's names in lower case, a vector's with its range.
    void expectSameAsDrawn(const Case& c, const io::TimedRows& rows, const fs::path& dump, bool driven,
                           bool ghdlNames = false)
    {
        std::string signalList;
        for (const io::TimedRow& r : rows.rows)
            signalList += (signalList.empty() ? "" : ",") + r.identifier +
                          (ghdlNames && r.width > 1 ? "[" + std::to_string(r.width - 1) + ":0]" : "");
        if (ghdlNames)
            for (char& ch : signalList)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const fs::path back = dir_ / (dump.parent_path().filename().string() + "-" + dump.stem().string() + "-back.sgm");
        convert(dump, back, "--clock sample_clk --signals '" + signalList + "'");
        const model::Diagram original = readDiagram(c.file);
        const model::Diagram imported = readDiagram(back);
        render::Layout l = render::Layout::from(original.settings);
        const int columns = l.drawnCells() - 1;
        // Every drawn column comes back, drawn: the diagram read back has the original's cell count.
        ASSERT_EQ(imported.settings.cellCount, columns + 1) << dump;
        ASSERT_EQ(render::Layout::from(imported.settings).drawnCells() - 1, columns) << dump;
        ASSERT_EQ(imported.store.signalCount(), static_cast<int>(rows.rows.size()) + 1) << dump;
        int exported = 0;
        for (int i = 0; i < original.store.signalCount(); ++i) {
            const model::SignalRow row = model::parseSignalRow(original.store.signals().get(i));
            if (row.separator)
                continue;
            ASSERT_LT(exported, static_cast<int>(rows.rows.size()));
            const io::TimedRow& t = rows.rows[static_cast<std::size_t>(exported)];
            ++exported;
            std::vector<std::string> expected = columnValues(original, i, columns);
            if (t.width > 1)
                for (std::string& v : expected)
                    if (v == "max")
                        v = std::string(static_cast<std::size_t>(t.width), '1');
            const auto special = c.expectedBack.find(std::string(row.name));
            if (special != c.expectedBack.end())
                expected = special->second;
            const auto drivenSpecial = c.drivenBack.find(std::string(row.name));
            if (driven && drivenSpecial != c.drivenBack.end())
                expected = drivenSpecial->second;
            EXPECT_EQ(columnValues(imported, exported, columns), expected)
                << c.name << " row " << row.name << " through " << dump.filename();
        }
        EXPECT_EQ(exported, static_cast<int>(rows.rows.size()));
    }

    fs::path dir_;
};

// No example moves an edge as far as a cell's middle: their cells come back as drawn.
TEST_F(HdlClients, ExamplesMoveNoEdgePastTheMiddle)
{
    for (const char* e : {"annotated", "handshake", "spi"}) {
        const model::Diagram d = readDiagram(fs::path(SIGMORA_SOURCE_DIR) / "examples" / (std::string(e) + ".sgm"));
        ASSERT_EQ(d.settings.cellWidth, kCellWidth) << e;
        for (int row = 0; row < d.store.signalCount(); ++row) {
            long long sum = 0;
            for (int k = 0; k < model::kMaxCells; ++k) {
                sum += d.store.edgeOffsets().get(row, k);
                EXPECT_LT(std::abs(sum) * 2, kCellWidth) << e << " row " << row << " cell " << k;
            }
        }
    }
}

// The top: the stimulus's ports as wires of the same names, the reference clock, the dump.
std::string verilogTop(const io::TimedRows& rows)
{
    std::string top = "`timescale 1ns/1ps\nmodule top;\n  reg sample_clk = 0;\n";
    std::string ports;
    for (const io::TimedRow& r : rows.rows) {
        top += "  wire " + (r.width > 1 ? "[" + std::to_string(r.width - 1) + ":0] " : std::string()) + r.identifier + ";\n";
        ports += (ports.empty() ? "" : ", ") + ("." + r.identifier + "(" + r.identifier + ")");
    }
    const std::string half = std::to_string(kHalfPeriodPs / 1000);
    top += "  " + rows.baseName + "_stimulus dut(" + ports + ");\n";
    top += "  initial begin\n    $dumpfile(\"dump.vcd\");\n    $dumpvars(1, top);\n";
    top += "    forever #" + half + " sample_clk = ~sample_clk;\n  end\n";
    top += "  initial #" + std::to_string((rows.endTime + kHalfPeriodPs / 2) / 1000.0) + " $finish;\nendmodule\n";
    return top;
}

std::string vhdlTop(const io::TimedRows& rows)
{
    std::string top = "library ieee;\nuse ieee.std_logic_1164.all;\nentity top is\nend entity top;\n";
    top += "architecture test of top is\n  signal sample_clk : std_logic := '0';\n";
    std::string ports;
    for (const io::TimedRow& r : rows.rows) {
        top += "  signal " + r.identifier + " : " +
               (r.width > 1 ? "std_logic_vector(" + std::to_string(r.width - 1) + " downto 0)" : "std_logic") + ";\n";
        ports += (ports.empty() ? "" : ", ") + (r.identifier + " => " + r.identifier);
    }
    top += "begin\n  dut: entity work." + rows.baseName + "_stimulus port map(" + ports + ");\n";
    top += "  process\n  begin\n    loop\n      wait for " + std::to_string(kHalfPeriodPs) +
           " ps;\n      sample_clk <= not sample_clk;\n    end loop;\n  end process;\nend architecture test;\n";
    return top;
}

TEST_F(HdlClients, IcarusVerilogRunsTheVerilogStimulusAsDrawn)
{
    if (!installed("iverilog vvp"))
        GTEST_SKIP() << "Icarus Verilog (Debian iverilog) is not installed: run scripts/setup-debian.sh --tests";
    for (const Case& c : cases()) {
        const fs::path work = dir_ / (c.name + "-verilog");
        fs::create_directories(work);
        const fs::path stimulus = work / (c.name + ".v");
        const std::string notes = convert(c.file, stimulus, "--half-period 5ns");
        const io::TimedRows rows = io::timedRows(readDiagram(c.file), c.name, io::HdlLanguage::Verilog, kHalfPeriodPs * 1000);
        ASSERT_TRUE(rows.ok) << rows.error;
        for (const std::string& renamed : rows.renamings)
            EXPECT_NE(notes.find(renamed), std::string::npos) << c.name << ": the renaming is told: " << renamed;
        std::ofstream(work / "top.v") << verilogTop(rows);
        ASSERT_EQ(run("cd " + quoted(work) + " && iverilog -Wall -o sim top.v " + quoted(stimulus) +
                      " 2>iverilog.err && vvp -n sim >/dev/null"),
                  0)
            << c.name << ": " << slurp(work / "iverilog.err");
        EXPECT_EQ(slurp(work / "iverilog.err"), "") << c.name;
        expectSameAsDrawn(c, rows, work / "dump.vcd", true);
    }
}

TEST_F(HdlClients, GhdlRunsTheVhdlStimulusAsDrawn)
{
    if (!installed("ghdl"))
        GTEST_SKIP() << "GHDL (Debian ghdl) is not installed: run scripts/setup-debian.sh --tests";
    for (const Case& c : cases()) {
        const fs::path work = dir_ / (c.name + "-vhdl");
        fs::create_directories(work);
        const fs::path stimulus = work / (c.name + ".vhd");
        convert(c.file, stimulus, "--half-period 5ns");
        const io::TimedRows rows = io::timedRows(readDiagram(c.file), c.name, io::HdlLanguage::Vhdl, kHalfPeriodPs * 1000);
        ASSERT_TRUE(rows.ok) << rows.error;
        std::ofstream(work / "top.vhd") << vhdlTop(rows);
        const std::string stop = std::to_string(rows.endTime + kHalfPeriodPs / 2) + "ps";
        ASSERT_EQ(run("cd " + quoted(work) + " && (ghdl -a --std=08 " + quoted(stimulus) +
                      " top.vhd && ghdl -e --std=08 top && ghdl -r --std=08 top --vcd=dump.vcd --stop-time=" + stop +
                      ") >ghdl.out 2>&1"),
                  0)
            << c.name << ": " << slurp(work / "ghdl.out");
        expectSameAsDrawn(c, rows, work / "dump.vcd", true, true);
    }
}

std::string withReferenceClock(const std::string& vcd, long long end)
{
    return test::withReferenceClock(vcd, end, kHalfPeriodPs);
}

TEST_F(HdlClients, Vcd2fstReadsTheDumpAndOurImportGivesTheDiagramBack)
{
    if (!installed("vcd2fst"))
        GTEST_SKIP() << "GTKWave's vcd2fst (Debian gtkwave) is not installed: run scripts/setup-debian.sh --tests";
    for (const Case& c : cases()) {
        const fs::path dump = dir_ / (c.name + ".vcd");
        convert(c.file, dump, "--half-period 5ns");
        const std::string complaints = (dir_ / "vcd2fst.out").string();
        ASSERT_EQ(run("vcd2fst " + quoted(dump) + " " + quoted(dir_ / (c.name + ".fst")) + " >" + complaints + " 2>&1"), 0)
            << c.name << ": " << slurp(complaints);
        const std::string said = slurp(complaints);
        for (const char* word : {"rror", "arning", "nknown", "nexpected"})
            EXPECT_EQ(said.find(word), std::string::npos) << c.name << ": " << said;
        EXPECT_GT(fs::file_size(dir_ / (c.name + ".fst")), 0u);
        const io::TimedRows rows = io::timedRows(readDiagram(c.file), c.name, io::HdlLanguage::Verilog, kHalfPeriodPs * 1000);
        ASSERT_TRUE(rows.ok) << rows.error;
        const fs::path clocked = dir_ / (c.name + "-clocked.vcd");
        std::ofstream(clocked) << withReferenceClock(slurp(dump), rows.endTime);
        expectSameAsDrawn(c, rows, clocked, false);
    }
}

// Input the exports cannot take: the command line says why and writes nothing.
TEST_F(HdlClients, BadInputIsToldAndNothingIsWritten)
{
    auto save = [&](const char* name, std::vector<io::ImportedRow> rows) {
        model::Diagram d;
        test::FixedMeasurer measurer;
        io::DiagramBuilder b(d, measurer);
        for (const io::ImportedRow& r : rows)
            b.addRow(r);
        b.finish(8);
        const fs::path file = dir_ / name;
        EXPECT_EQ(io::writeFileReplacing(file.string(), io::nativeFileBytes(d)).error, io::WriteError::None);
        return file;
    };
    io::ImportedRow plain;
    plain.name = "a b";
    plain.cells = "0101";
    io::ImportedRow other = plain;
    other.name = "a.b";
    io::ImportedRow bus;
    bus.name = "bus";
    bus.cells = "33334444";
    bus.values = {{0, "ready"}};
    const fs::path colliding = save("colliding.sgm", {plain, other});
    const fs::path badBus = save("bad_bus.sgm", {plain, bus});
    const fs::path good = save("good.sgm", {plain});
    const struct {
        fs::path in;
        const char* out;
        const char* options;
        int status;
        const char* message;
    } cases[] = {
        {colliding, "c.v", "", 1, "The rows \"a b\" and \"a.b\" would both be named a_b in Verilog: rename one of them."},
        {colliding, "c.vcd", "", 1, "would both be named a_b in Verilog"},
        {colliding, "c.vhd", "", 1, "would both be named a_b in VHDL"},
        {badBus, "b.vhd", "", 1, "The bus bus shows \"ready\" at cell 0, which is not a number"},
        {good, "z.v", "--half-period 0", 2, "The half-period must be above 0, not \"0\"."},
        {good, "n.vcd", "--half-period -5ns", 2, "The half-period must be above 0"},
        {good, "u.vhd", "--half-period fast", 2, "is not a time: write a number and a unit"},
        {good, "l.vhd", "--half-period 2s", 2, "longer than 1 s"},
        {good, "m.v", "--half-period", 2, "--half-period needs a value"},
        {good, "p.svg", "--half-period 5ns", 1, "the option --half-period is for .vcd, .v and .vhd outputs"},
    };
    for (const auto& c : cases) {
        const fs::path out = dir_ / c.out;
        const fs::path err = dir_ / "err.txt";
        const int status = run(std::string(SIGMORA_EXECUTABLE) + " --convert " + quoted(c.in) + " " + quoted(out) + " " +
                               c.options + " 2>" + quoted(err));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.status) << c.out << " " << c.options << ": " << status;
        EXPECT_NE(slurp(err).find(c.message), std::string::npos) << c.out << " " << c.options << ": " << slurp(err);
        EXPECT_FALSE(fs::exists(out)) << c.out;
    }
}

} // namespace

namespace {

class TimeBase : public HdlClients {};

// A diagram that keeps a time base of its own is exported with it; --half-period still overrides.
TEST_F(TimeBase, TheDiagramsOwnTimeBaseIsTheDefaultHalfPeriod)
{
    model::Diagram d = readDiagram(fs::path(SIGMORA_SOURCE_DIR) / "examples" / "handshake.sgm");
    d.extension.halfPeriodFs = 2'000'000; // 2 ns
    const fs::path file = dir_ / "timed.sgm";
    ASSERT_EQ(io::writeFileReplacing(file.string(), io::nativeFileBytes(d)).error, io::WriteError::None);
    const struct {
        const char* options;
        const char* comment;
    } cases[] = {{"", "$comment sigmora-cell 2000 $end"}, {"--half-period 5ns", "$comment sigmora-cell 5000 $end"}};
    for (const auto& c : cases) {
        const fs::path dump = dir_ / "timed.vcd";
        convert(file, dump, c.options);
        EXPECT_NE(slurp(dump).find(c.comment), std::string::npos) << c.options;
    }
    // Read back, the file keeps its time base.
    EXPECT_EQ(readDiagram(file).extension.halfPeriodFs, 2'000'000);
}

} // namespace

namespace {

class ReservedNames : public HdlClients {};

// Rows named like VHDL's units of time, an active-low clock beside its clock, and a diagram file
// named like a keyword: the stimulus both simulators take, with every renaming said.
TEST_F(ReservedNames, UnitsActiveLowMarksAndKeywordFileNamesCompile)
{
    if (!installed("ghdl iverilog"))
        GTEST_SKIP() << "GHDL and Icarus Verilog (Debian ghdl, iverilog) are needed: run scripts/setup-debian.sh --tests";
    model::Diagram d;
    test::FixedMeasurer measurer;
    io::DiagramBuilder b(d, measurer);
    for (const char* name : {"CLK", "CLK#", "ps", "NS", "min"}) {
        io::ImportedRow r;
        r.name = name;
        r.cells = "01010101";
        b.addRow(r);
    }
    b.finish(8);
    const fs::path file = dir_ / "module.sgm";
    ASSERT_EQ(io::writeFileReplacing(file.string(), io::nativeFileBytes(d)).error, io::WriteError::None);
    const std::string vhdlNotes = convert(file, dir_ / "module.vhd", "--half-period 5ns");
    for (const char* said : {"The row \"CLK#\" is CLK_n.", "The row \"ps\" is ps_sig.", "The row \"min\" is min_sig."})
        EXPECT_NE(vhdlNotes.find(said), std::string::npos) << said << " in " << vhdlNotes;
    EXPECT_NE(slurp(dir_ / "module.vhd").find("entity module_stimulus is"), std::string::npos);
    EXPECT_EQ(run("cd " + quoted(dir_) + " && ghdl -a --std=08 module.vhd >ghdl.out 2>&1"), 0) << slurp(dir_ / "ghdl.out");
    convert(file, dir_ / "module.v", "--half-period 5ns");
    EXPECT_NE(slurp(dir_ / "module.v").find("module module_stimulus"), std::string::npos);
    EXPECT_EQ(run("cd " + quoted(dir_) + " && iverilog -o module.out module.v >iverilog.out 2>&1"), 0)
        << slurp(dir_ / "iverilog.out");
}

} // namespace
