#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "io/exchange/WaveJsonWriter.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// The WaveJSON and value change dump commands as the user meets them: the questions, the
// messages, and a diagram that stays as it was whenever a file cannot be read.

using namespace sigmora;
using Asked = test::FakeUiPort::Asked;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

const char* kVcd = "$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 \" d $end\n$upscope $end\n"
                   "$enddefinitions $end\n#0 0! 0\" #5 1! #10 0! 1\" #15 1! #20 0!\n";

// A clock and 299 other 1-bit signals: more rows than a diagram holds.
std::string wideVcd()
{
    std::string v = "$scope module tb $end\n$var wire 1 ! clk $end\n";
    for (int i = 0; i < 299; ++i)
        v += "$var wire 1 s" + std::to_string(i) + " s" + std::to_string(i) + " $end\n";
    return v + "$upscope $end\n$enddefinitions $end\n#0 0! #5 1! #10 0! #15 1!\n";
}

std::vector<std::string> wideNames(int count)
{
    std::vector<std::string> names{"clk"};
    for (int i = 0; i + 1 < count; ++i)
        names.push_back("s" + std::to_string(i));
    return names;
}

struct PeerFormatFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor{ui, measurer};
    fs::path dir = fs::temp_directory_path() / ("sigmora-exchange-" + std::to_string(::getpid()));

    void SetUp() override
    {
        fs::create_directories(dir);
        editor.addRow(model::NewRowKind::Clock);
        editor.addRow(model::NewRowKind::Bus);
        editor.diagram().modified = false;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const std::string& name, std::string_view bytes)
    {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const std::string& r : editor.diagram().store.signals().records())
            out.push_back(model::fields::decodePeriods(model::fields::nameOfRow(r)));
        return out;
    }
};

struct ImportCase {
    const char* name;
    int command;
    const char* file;
    std::string bytes;
    std::optional<io::VcdChoice> choice;
    std::vector<std::string> rows; // empty: nothing imported
    const char* message;           // the one message shown, its beginning
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

class PeerImportCommand : public PeerFormatFixture, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(PeerImportCommand, ReplacesTheDiagramOrLeavesItAsItWas)
{
    const ImportCase& c = GetParam();
    const std::vector<std::string> before = names();
    ui.fileNames.push_back(c.file[0] == '/' ? std::string(c.file) : file(c.file, c.bytes));
    ui.vcdChoices.push_back(c.choice);
    editor.execute(c.command);
    if (c.rows.empty()) {
        EXPECT_EQ(names(), before);
        EXPECT_FALSE(editor.diagram().modified);
    } else {
        EXPECT_EQ(names(), c.rows);
        EXPECT_TRUE(editor.diagram().modified) << "an imported diagram has no file yet";
        EXPECT_EQ(editor.title(), "Untitled - Sigmora 3.3.5");
    }
    if (c.message[0] == '\0') {
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    } else {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0u) << ui.messages[0].text;
        EXPECT_EQ(ui.messages[0].caption, "Sigmora");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PeerImportCommand,
    testing::Values(
        ImportCase{"WaveJson", cmd::ImportWaveJson, "a.json", "{signal: [{name: 'x.1', wave: '01'}, {}]}", {},
                   {"x.1", ""}, ""},
        ImportCase{"WaveJsonCut", cmd::ImportWaveJson, "a.json", "{signal: [{name: 'a', wave: '0', period: 1000}]}", {},
                   {"a"}, "The diagram was imported, but not all of it:\nCells after the 599th"},
        ImportCase{"NotWaveJson", cmd::ImportWaveJson, "a.json", "<svg/>", {}, {}, "This is not a WaveJSON file: line 1"},
        ImportCase{"Missing", cmd::ImportWaveJson, "/nonexistent/a.json", "", {}, {}, "The file /nonexistent/a.json cannot"},
        ImportCase{"Vcd", cmd::ImportVcd, "a.vcd", kVcd, io::VcdChoice{"tb.clk", {}, {}, {}}, {"clk", "d"}, ""},
        // Chosen in the dialog past the rows that fit: the import says what it left out.
        ImportCase{"VcdPastTheRows", cmd::ImportVcd, "a.vcd", wideVcd(), io::VcdChoice{"tb.clk", {}, {}, {}},
                   wideNames(256),
                   "The diagram was imported, but not all of it:\n44 signal(s) from tb.s255 on were left out: a "
                   "diagram has 256 rows."},
        ImportCase{"VcdSomeChecked", cmd::ImportVcd, "a.vcd", wideVcd(),
                   io::VcdChoice{"tb.clk", {"tb.clk", "tb.s0", "tb.s1"}, {}, {}}, {"clk", "s0", "s1"}, ""},
        ImportCase{"VcdCancelled", cmd::ImportVcd, "a.vcd", kVcd, std::nullopt, {}, ""},
        ImportCase{"VcdDamaged", cmd::ImportVcd, "a.vcd", "$var wire 1 ! clk $end\n#0\n", io::VcdChoice{}, {},
                   "This value change dump cannot be read: line 2: \"#0\" outside any keyword"},
        ImportCase{"VcdNoEdges", cmd::ImportVcd, "a.vcd", "$var wire 1 ! clk $end $enddefinitions $end #0 0!",
                   io::VcdChoice{"clk", {}, {}, {}}, {}, "The clock clk has fewer than two edges"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PeerFormatFixture, ImportOffersToSaveChangesFirstAndTheDumpDialogProposesTheClock)
{
    editor.diagram().modified = true;
    ui.answers = {false};
    ui.fileNames.push_back(file("a.vcd", kVcd));
    editor.execute(cmd::ImportVcd);
    EXPECT_EQ(ui.questions, (std::vector<Asked>{{"Do you want to save your changes?", "Save Changes?"}}));
    ASSERT_EQ(ui.vcdProposals.size(), 1u);
    EXPECT_EQ(ui.vcdProposals[0].clock, "tb.clk");
    EXPECT_EQ(ui.fileDialogs[0].title, "Open Value Change Dump files");
    EXPECT_EQ(names().size(), 2u); // cancelled: still the clock and the bus
}

// What the format cannot carry is said after the file is written, never dropped in silence.
TEST_F(PeerFormatFixture, ExportSaysWhatTheFormatCannotCarry)
{
    editor.diagram().store.floodStyles().set(1, 3, 1);
    editor.diagram().store.list(model::ListId::Texts).append("300.22.340.34.note.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    const std::string path = (dir / "out.json").string();
    ui.fileNames.push_back(path);
    editor.execute(cmd::ExportWaveJson);
    ASSERT_TRUE(fs::exists(path));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The WaveJSON file was written without what it cannot carry:\n"
              "1 shaded cell (flood fill) other than undefined values: WaveJSON shades only undefined values (x).\n"
              "1 text box among the rows: WaveJSON has text only above and below the lanes and on edges.\n"
              "The diagram's 19 half-cycles are written as whole cycles: read back, the diagram is half a cycle "
              "longer.");
    EXPECT_EQ(ui.messages[0].caption, "Sigmora");
}

TEST_F(PeerFormatFixture, ExportWritesTheDiagramOrSaysThereIsNothing)
{
    const std::string path = (dir / "out.json").string();
    ui.fileNames.push_back(path);
    editor.execute(cmd::ExportWaveJson);
    std::ifstream in(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written, io::waveJsonText(editor.diagram()));
    EXPECT_EQ(ui.fileDialogs.back().filters.front().second, "*.json");
    EXPECT_FALSE(editor.diagram().modified);

    editor.resetDiagram();
    ui.messages.clear(); // what the first export could not carry
    editor.execute(cmd::ExportWaveJson);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please add signals to the waveforms first");
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
}

} // namespace
