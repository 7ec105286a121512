#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/files/DroppedFiles.h"
#include "io/base/FileAccess.h"
#include "io/dump/FstReader.h"
#include "io/exchange/ImportFiles.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// FST dumps are read wherever value change dumps are, into the same diagram: one simulation dumped
// both ways (by Icarus Verilog itself, and converted by GTKWave's vcd2fst) imports cell for cell and
// value for value the same.

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;

namespace {

bool haveSimulators()
{
    return std::system("command -v iverilog >/dev/null 2>&1 && command -v vvp >/dev/null 2>&1 && "
                       "command -v vcd2fst >/dev/null 2>&1") == 0;
}

// One run of the design with buses of 8, 128 and 1024 bits, dumped three ways.
class SimulatedDumps : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!haveSimulators())
            return;
        dir_ = fs::temp_directory_path() / ("sigmora-fst-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        const fs::path source = fs::path(SIGMORA_SOURCE_DIR) / "tests" / "io" / "data" / "dump_widths_tb.v";
        const std::string command = "cd '" + dir_.string() + "' && iverilog -o run.vvp '" + source.string() +
                                    "' && vvp -n run.vvp +dump=run.vcd >/dev/null && vvp -n run.vvp -fst +dump=icarus.fst "
                                    ">/dev/null && vcd2fst run.vcd converted.fst >/dev/null 2>&1";
        simulated_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }
    void SetUp() override
    {
        if (!haveSimulators())
            GTEST_SKIP() << "Icarus Verilog and GTKWave (Debian iverilog, gtkwave) are not installed: run "
                            "scripts/setup-debian.sh --tests";
        ASSERT_TRUE(simulated_);
    }
    static std::string path(const char* name) { return (dir_ / name).string(); }

    static inline fs::path dir_;
    static inline bool simulated_ = false;
};

struct Imported {
    io::ImportResult result;
    model::Diagram diagram;
};

Imported importFile(const std::string& path, const io::VcdChoice& choice)
{
    Imported out;
    test::FixedMeasurer measurer;
    out.result = io::importVcdFile(path, choice, out.diagram, measurer);
    return out;
}

// The diagram as the file would hold it, but for the dump's path.
std::string diagramBytes(model::Diagram d)
{
    d.extension.dump.path.clear();
    return io::nativeFileBytes(d);
}

std::vector<std::string> rowTexts(const model::Diagram& d)
{
    std::vector<std::string> rows;
    for (int i = 0; i < d.store.signalCount(); ++i) {
        const std::string& record = d.store.signals().get(i);
        rows.push_back(fields::decodePeriods(fields::nameOfRow(record)) + "=" +
                       std::string(model::signal::waveform(record)));
    }
    for (const std::string& t : d.store.list(model::ListId::Texts).records())
        rows.push_back(std::string(*fields::textField(t, 5)) + "@" + std::string(*fields::textField(t, 4)));
    return rows;
}

struct ChoiceCase {
    const char* what;
    io::VcdChoice choice;
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.what; }

class FstAgainstVcd : public SimulatedDumps, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(FstAgainstVcd, GiveTheSameDiagram)
{
    const io::VcdChoice& choice = GetParam().choice;
    const Imported vcd = importFile(path("run.vcd"), choice);
    ASSERT_TRUE(vcd.result.ok) << vcd.result.error;
    ASSERT_GE(vcd.diagram.settings.cellCount, 20);
    for (const char* fst : {"icarus.fst", "converted.fst"}) {
        const Imported other = importFile(path(fst), choice);
        ASSERT_TRUE(other.result.ok) << fst << ": " << other.result.error;
        const std::vector<std::string> rows = rowTexts(other.diagram), expected = rowTexts(vcd.diagram);
        ASSERT_EQ(rows.size(), expected.size()) << fst;
        for (std::size_t k = 0; k < rows.size(); ++k)
            EXPECT_EQ(rows[k], expected[k]) << fst << ", row or text " << k;
        EXPECT_TRUE(diagramBytes(other.diagram) == diagramBytes(vcd.diagram)) << fst << ": the diagrams differ";
        EXPECT_EQ(other.result.notes, vcd.result.notes) << fst;
        EXPECT_EQ(other.diagram.extension.dump.path, path(fst));
        EXPECT_EQ(other.diagram.extension.dump.signals, vcd.diagram.extension.dump.signals) << fst;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, FstAgainstVcd,
    testing::Values(ChoiceCase{"every signal", {}},
                    ChoiceCase{"named signals with and without range", {"clk", {"dut.wide", "huge[1023:0]", "bus", "half", "valid"}, {}, {}}},
                    ChoiceCase{"a window", {"tb.clk", {"dut.count", "dut.bus", "tb.half"}, 95000, 260000}},
                    ChoiceCase{"fixed cells", {"", {"dut.count", "dut.bus"}, {}, {}, 2500}}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string("Case") + std::to_string(info.index); });

TEST_F(SimulatedDumps, SurveysAndHeadersAgree)
{
    const io::VcdSurvey vcd = io::surveyVcdFile(path("run.vcd"));
    ASSERT_TRUE(vcd.ok) << vcd.error;
    for (const char* fst : {"icarus.fst", "converted.fst"}) {
        const io::VcdSurvey survey = io::surveyVcdFile(path(fst));
        ASSERT_TRUE(survey.ok) << fst << ": " << survey.error;
        EXPECT_EQ(survey.timescale, "1ps") << fst;
        EXPECT_EQ(survey.lastTime, vcd.lastTime) << fst;
        EXPECT_EQ(io::defaultVcdClock(survey), io::defaultVcdClock(vcd)) << fst;
        std::vector<std::string> names, vcdNames;
        for (const io::VcdVariable& v : survey.variables)
            names.push_back(v.name + "/" + std::to_string(v.width));
        for (const io::VcdVariable& v : vcd.variables)
            vcdNames.push_back(v.name + "/" + std::to_string(v.width));
        EXPECT_EQ(names, vcdNames) << fst;
        const io::VcdSurvey header = io::readVcdHeaderFile(path(fst));
        ASSERT_TRUE(header.ok) << header.error;
        EXPECT_EQ(header.variables.size(), survey.variables.size());
    }
}

// An FST dump dropped on the window goes through the dump import, its dialog shown with the
// dump's signals, and gives the diagram the value change dump of the same run gives.
TEST_F(SimulatedDumps, ADroppedFstIsImportedAsItsValueChangeDumpIs)
{
    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor(ui, measurer);
    ui.vcdChoices.push_back(io::VcdChoice{"tb.clk", {"dut.count", "dut.bus", "dut.huge"}, {}, {}});
    ASSERT_TRUE(edit::openDroppedFile(editor, path("icarus.fst")));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_TRUE(ui.fileDialogs.empty());
    ASSERT_EQ(ui.vcdProposals.size(), 1u);
    EXPECT_EQ(ui.vcdProposals[0].clock, "tb.clk");
    const Imported vcd = importFile(path("run.vcd"), {"tb.clk", {"dut.count", "dut.bus", "dut.huge"}, {}, {}});
    ASSERT_TRUE(vcd.result.ok) << vcd.result.error;
    EXPECT_EQ(rowTexts(editor.diagram()), rowTexts(vcd.diagram));
    EXPECT_EQ(editor.diagram().extension.dump.path, path("icarus.fst"));
}

// A file that is not a whole FST dump is refused with a reason, never a crash.
TEST_F(SimulatedDumps, ADamagedFstIsRefused)
{
    const std::string whole = io::readWholeFile(path("icarus.fst")).bytes;
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"only its first block's head", whole.substr(0, 9)},
        {"cut in its header block", whole.substr(0, 200)},
        {"a wrapped dump of garbage", std::string(1, '\xfe') + std::string(100, 'q')},
    };
    for (const auto& c : cases) {
        const std::string file = path("damaged.fst");
        std::ofstream(file, std::ios::binary) << c.bytes;
        const Imported r = importFile(file, {});
        EXPECT_FALSE(r.result.ok) << c.what;
        EXPECT_EQ(r.result.error.rfind("This FST dump cannot be read: ", 0), 0u) << c.what << ": " << r.result.error;
        const io::VcdSurvey survey = io::surveyVcdFile(file);
        EXPECT_FALSE(survey.ok) << c.what;
    }
}

// Damage the reader library does not survive (it ends the process, or reads and writes out of
// bounds) costs only the process it runs in: every damaged copy is read or refused with the
// reason, and the program reading it goes on.
TEST_F(SimulatedDumps, ADumpDamagedAnywhereNeverEndsTheProgram)
{
    const std::string whole = io::readWholeFile(path("icarus.fst")).bytes;
    std::mt19937 random(7);
    int refused = 0;
    for (int k = 0; k < 60; ++k) {
        std::string bytes = whole;
        const int hits = 1 + static_cast<int>(random() % 8);
        for (int h = 0; h < hits; ++h)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        if (k % 3 == 0)
            bytes.resize(random() % bytes.size());
        const std::string file = path("mutated.fst");
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        const Imported r = importFile(file, {});
        if (!r.result.ok) {
            ++refused;
            EXPECT_TRUE(r.result.error.rfind(" cannot be read: ") != std::string::npos || r.result.error.rfind("The dump ", 0) == 0)
                << k << ": " << r.result.error;
        }
        const io::VcdSurvey survey = io::surveyVcdFile(file);
        EXPECT_TRUE(survey.ok || !survey.error.empty()) << k;
    }
    EXPECT_GT(refused, 30);
}

TEST(FstReader, IsKnownByItsFirstBytes)
{
    const struct {
        const char* what;
        std::string bytes;
        bool fst;
    } cases[] = {
        {"the header block", std::string("\0\0\0\0\0\0\0\x01\x49", 9), true},
        {"a wrapped dump", std::string("\xfe\0\0", 3), true},
        {"a value change dump", "$date today $end", false},
        {"a header block of another length", std::string("\0\0\0\0\0\0\0\x01\x48", 9), false},
        {"nothing", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(io::looksLikeFst(c.bytes), c.fst) << c.what;
}

} // namespace

// GHDL writes the same run of the VHDL design as a value change dump and as FST: one diagram.
TEST(FstReader, GhdlsTwoDumpsOfOneRunGiveOneDiagram)
{
    if (std::system("command -v ghdl >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GHDL (Debian ghdl) is not installed: run scripts/setup-debian.sh --tests";
    const fs::path dir = fs::temp_directory_path() / ("sigmora-ghdl-fst-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string source = std::string(SIGMORA_SOURCE_DIR) + "/tests/io/data/dump_widths_tb.vhd";
    const std::string command = "cd '" + dir.string() + "' && ghdl -a --std=08 '" + source +
                                "' && ghdl -e --std=08 dump_widths_tb && ghdl -r --std=08 dump_widths_tb --vcd=run.vcd "
                                "--stop-time=430ns && ghdl -r --std=08 dump_widths_tb --fst=run.fst --stop-time=430ns";
    ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    const struct {
        const char* what;
        io::VcdChoice choice;
    } cases[] = {
        {"every signal", {}},
        {"a window of the buses", {"clk", {"count", "wide", "huge[1023:0]", "bus_out", "half"}, 95000000, 300000000}},
    };
    for (const auto& c : cases) {
        const Imported vcd = importFile((dir / "run.vcd").string(), c.choice);
        const Imported fst = importFile((dir / "run.fst").string(), c.choice);
        ASSERT_TRUE(vcd.result.ok && fst.result.ok) << c.what << ": " << vcd.result.error << fst.result.error;
        EXPECT_GE(vcd.diagram.settings.cellCount, 30) << c.what;
        EXPECT_EQ(rowTexts(fst.diagram), rowTexts(vcd.diagram)) << c.what;
    }
    fs::remove_all(dir);
}
