#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <fstream>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/session/CommandIds.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct StimulusExportFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-stimulus-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // A clock named "Clock" (0101...) and a signal renamed to "data out".
    void addRows()
    {
        editor.addRow(model::NewRowKind::Clock);
        editor.addRow(model::NewRowKind::Signal);
        rename(1, "data out");
    }
    void rename(int row, const std::string& name)
    {
        model::RecordList& rows = editor.diagram().store.signals();
        rows.replace(row, model::fields::joinRow(model::fields::encodePeriods(name), model::fields::dataOfRow(rows.get(row))));
    }
};

// Each export asks for the file, then the half-period (with the renamings as its note), and writes
// the drawn rows with that half-period, named after the diagram's file.
TEST_F(StimulusExportFixture, EachExportWritesTheRowsWithTheHalfPeriodChosen)
{
    const struct {
        int command;
        const char* file;
        const char* title;
        std::vector<std::string> expected; // lines the file holds
    } cases[] = {
        {cmd::ExportVcd, "out.vcd", "Value Change Dump: time of one cell",
         {"$scope module chip $end", "$var wire 1 \" data_out $end", "#2000", "1!"}},
        {cmd::ExportVerilogStimulus, "out.v", "Verilog stimulus: time of one cell",
         {"module chip_stimulus (", "    output reg data_out", "        #2;", "        Clock = 1'b1;"}},
        {cmd::ExportVhdlStimulus, "out.vhd", "VHDL stimulus: time of one cell",
         {"entity chip_stimulus is", "        data_out : out std_logic", "        wait for 2000 ps;"}},
    };
    for (const auto& c : cases) {
        ui.halfPeriodDialogs.clear();
        addRows();
        editor.setFilePath((dir / "chip.sgm").string());
        ui.fileNames.push_back((dir / c.file).string());
        ui.halfPeriods.push_back(2'000'000); // 2 ns
        editor.execute(c.command);
        EXPECT_TRUE(ui.messages.empty()) << c.file << ": " << (ui.messages.empty() ? "" : ui.messages[0].text);
        ASSERT_EQ(ui.halfPeriodDialogs.size(), 1u) << c.file;
        EXPECT_EQ(ui.halfPeriodDialogs[0].title, c.title);
        EXPECT_EQ(ui.halfPeriodDialogs[0].notes, std::vector<std::string>{"The row \"data out\" is data_out."});
        const std::string text = readFile(dir / c.file);
        for (const std::string& line : c.expected)
            EXPECT_NE(text.find(line + "\n"), std::string::npos) << c.file << " lacks " << line << "\n" << text;
        editor.execute(cmd::FileNew);
    }
}

// The stimulus exports ask for the output delay with the half-period (the dump's does not) and
// drive the rows that late after each edge; a delay the dialog could not give is refused.
TEST_F(StimulusExportFixture, StimulusDrivesTheRowsTheOutputDelayChosenAfterTheEdge)
{
    const struct {
        int command;
        const char* file;
        std::optional<long long> delayPs;
        int timingDialogs;
        const char* line;    // a line the file holds; nullptr: nothing written
        const char* message; // the message shown; nullptr: none
    } cases[] = {
        {cmd::ExportVhdlStimulus, "delay.vhd", 300, 1, "        wait for 300 ps;", nullptr},
        {cmd::ExportVhdlStimulus, "slant.vhd", std::nullopt, 1, "        wait for 667 ps;", nullptr}, // the drawn slant
        {cmd::ExportVerilogStimulus, "delay.v", 300, 1, "        #0.3;", nullptr},
        {cmd::ExportVerilogStimulus, "late.v", 2000, 1, nullptr,
         "The output delay must be at least 1ps and shorter than the half-period."},
        {cmd::ExportVcd, "dump.vcd", 300, 0, "#2000", nullptr},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        ui.outputDelays.clear();
        ui.stimulusTimingDialogs = 0;
        addRows();
        // data out falls at the edge after the second cell.
        model::RecordList& rows = editor.diagram().store.signals();
        std::string wave(model::signal::waveform(rows.get(1)));
        std::fill(wave.begin() + 3, wave.end(), '0');
        rows.replace(1, model::signal::withDataField(rows.get(1), model::signalfield::Waveform, wave));
        editor.setFilePath((dir / "chip.sgm").string());
        ui.fileNames.push_back((dir / c.file).string());
        ui.halfPeriods.push_back(2'000'000); // 2 ns
        ui.outputDelays.push_back(c.delayPs);
        editor.execute(c.command);
        EXPECT_EQ(ui.stimulusTimingDialogs, c.timingDialogs) << c.file;
        if (c.message) {
            ASSERT_EQ(ui.messages.size(), 1u) << c.file;
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_FALSE(fs::exists(dir / c.file)) << c.file;
        } else {
            EXPECT_TRUE(ui.messages.empty()) << c.file << ": " << (ui.messages.empty() ? "" : ui.messages[0].text);
            const std::string text = readFile(dir / c.file);
            EXPECT_NE(text.find(std::string(c.line) + "\n"), std::string::npos) << c.file << " lacks " << c.line << "\n" << text;
        }
        editor.execute(cmd::FileNew);
    }
}

// Nothing is written when the user cancels either dialog, and a diagram that cannot be written
// is told before any dialog.
TEST_F(StimulusExportFixture, CancelledOrRefusedExportsWriteNothing)
{
    const std::string out = (dir / "out.v").string();
    const struct {
        const char* what;
        std::function<void(StimulusExportFixture&)> arrange;
        std::optional<std::string> message; // the message shown, if any
        std::size_t fileDialogs;
    } cases[] = {
        {"no rows", [](StimulusExportFixture&) {}, "Please add signals to the waveforms first", 0},
        {"file dialog cancelled",
         [](StimulusExportFixture& f) {
             f.addRows();
             f.ui.fileNames.push_back(std::nullopt);
         },
         std::nullopt, 1},
        {"half-period cancelled",
         [&](StimulusExportFixture& f) {
             f.addRows();
             f.ui.fileNames.push_back(out);
             f.ui.halfPeriods.push_back(std::nullopt);
         },
         std::nullopt, 1},
        {"names that collide",
         [](StimulusExportFixture& f) {
             f.addRows();
             f.editor.addRow(model::NewRowKind::Signal);
             f.rename(2, "data.out");
         },
         "The rows \"data out\" and \"data.out\" would both be named data_out in Verilog: rename one of them.", 0},
        {"a bus text that is not a number",
         [](StimulusExportFixture& f) {
             f.editor.addRow(model::NewRowKind::Bus);
             // A text box on the bus's first run, as the text tool leaves it.
             f.editor.diagram().store.list(model::ListId::Texts).append(
                 "140.22.180.38.idle.Default Bus.     0.Arial.8.0.0.0.0.0.0.0.");
         },
         "The bus Default Bus shows \"idle\" at cell 0, which is not a number (write 0x3A, 3Ah, 58, 0b111010 or 8'h3A).", 0},
    };
    for (const auto& c : cases) {
        StimulusExportFixture& f = *this;
        f.ui = test::FakeUiPort{};
        f.editor.execute(cmd::FileNew);
        c.arrange(f);
        f.editor.execute(cmd::ExportVerilogStimulus);
        EXPECT_FALSE(fs::exists(out)) << c.what;
        EXPECT_EQ(f.ui.fileDialogs.size(), c.fileDialogs) << c.what;
        if (c.message) {
            ASSERT_EQ(f.ui.messages.size(), 1u) << c.what;
            EXPECT_EQ(f.ui.messages[0].text, *c.message) << c.what;
        } else {
            EXPECT_TRUE(f.ui.messages.empty()) << c.what;
        }
    }
}

// An untitled diagram names its module "diagram"; the written file follows later edits.
TEST_F(StimulusExportFixture, UntitledDiagramsAreCalledDiagram)
{
    addRows();
    ui.fileNames.push_back((dir / "a.vhd").string());
    editor.execute(cmd::ExportVhdlStimulus);
    const std::string text = readFile(dir / "a.vhd");
    EXPECT_NE(text.find("entity diagram_stimulus is\n"), std::string::npos) << text;
    // The default half-period of the fake dialog: 5 ns, and the signal stays high throughout.
    EXPECT_NE(text.find("wait for 5000 ps;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("data_out <= '1';\n"), std::string::npos) << text;
}

} // namespace
