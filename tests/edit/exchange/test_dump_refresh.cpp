#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/exchange/DumpRefresh.h"
#include "edit/exchange/EdgeAnchors.h"
#include "edit/session/CommandIds.h"
#include "io/exchange/ImportFiles.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "render/Layout.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// A diagram imported from a dump, annotated, and drawn anew from the next simulation: what sits on
// an edge of a row stays on that edge (the n-th of the row), what sits elsewhere stays, what
// cannot be placed is listed and left.

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;
namespace cmd = edit::cmd;

namespace {

// A clock of period 10 (its first edge at 5 starts the cells, one cell per half-period), d
// changing in the given columns, a 4-bit bus counting up in the columns given, and e.
std::string dumpText(const std::vector<int>& dColumns, const std::vector<int>& busColumns, bool withE = true)
{
    std::string v = "$timescale 1 ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 \" d $end\n"
                    "$var wire 4 # q [3:0] $end\n";
    if (withE)
        v += "$var wire 1 $ e $end\n";
    v += "$upscope $end\n$enddefinitions $end\n#0\n0!\n0\"\nb0 #\n";
    if (withE)
        v += "1$\n";
    int level = 0, count = 0;
    for (int column = 0; column <= 24; ++column) {
        const int edge = 5 + 5 * column;
        v += "#" + std::to_string(edge) + "\n" + (column % 2 == 0 ? "1!" : "0!") + "\n";
        std::string after;
        if (std::find(dColumns.begin(), dColumns.end(), column) != dColumns.end())
            after += std::string((level ^= 1) ? "1" : "0") + "\"\n";
        if (std::find(busColumns.begin(), busColumns.end(), column) != busColumns.end()) {
            std::string bits;
            ++count;
            for (int b = 3; b >= 0; --b)
                bits += (count >> b & 1) ? '1' : '0';
            after += "b" + bits + " #\n";
        }
        if (!after.empty())
            v += "#" + std::to_string(edge + 1) + "\n" + after;
    }
    return v + "#130\n";
}

const std::vector<int> kOldD{3, 7, 12};
const std::vector<int> kOldQ{4, 10};

struct Fixture {
    fs::path dir = fs::temp_directory_path() / ("sigmora-refresh-" + std::to_string(::getpid()));
    test::FixedMeasurer measurer;
    model::Diagram diagram;

    Fixture()
    {
        fs::create_directories(dir);
        write("run.vcd", dumpText(kOldD, kOldQ));
        diagram.settings.cellWidth = 20; // the pixel columns of the cases below
        const io::ImportResult r = io::importVcdFile((dir / "run.vcd").string(), {"clk", {}, {}, {}}, diagram, measurer);
        EXPECT_TRUE(r.ok) << r.error;
    }
    ~Fixture() { fs::remove_all(dir); }
    void write(const char* name, const std::string& text) const { std::ofstream(dir / name, std::ios::binary) << text; }

    int originX() const { return render::Layout::from(diagram.settings).waveOriginX(); }
    std::string cells(const char* name) const
    {
        const int row = diagram.store.findSignal(name);
        return std::string(model::signal::waveform(diagram.store.signals().get(row)).substr(0, 26));
    }
    model::RecordList& list(model::ListId id) { return diagram.store.list(id); }
};

TEST(EdgeAnchors, FindTheEdgesOfARowAndPlaceAPointOnTheSameOne)
{
    EXPECT_EQ(edit::EdgeAnchors::edgesOf("0001110", 6), (std::vector<int>{2, 5}));
    EXPECT_EQ(edit::EdgeAnchors::edgesOf("3344433", 4), (std::vector<int>{1}));   // past the columns drawn: none
    EXPECT_EQ(edit::EdgeAnchors::edgesOf("0222111", 6), (std::vector<int>{0, 3})); // tri-state in, then high
    const edit::EdgeAnchors anchors("0001111000", 9, "0000011110", 9);
    const struct {
        int boundary;
        std::optional<int> placed;
    } cases[] = {{2, 4}, {6, 8}, {0, 0}, {4, 4}, {8, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(anchors.place(c.boundary), c.placed) << c.boundary;
    const edit::EdgeAnchors fewer("0101", 3, "0011", 3);
    EXPECT_EQ(fewer.place(0), 1);
    EXPECT_EQ(fewer.place(2), std::nullopt); // the third edge is gone
    EXPECT_TRUE(fewer.onEdge(1));
    EXPECT_FALSE(fewer.onEdge(3));
}

TEST(DumpRefresh, TheRowsAreDrawnAnewFromTheNextSimulation)
{
    Fixture f;
    EXPECT_EQ(f.cells("d"), "00001111000001111111111111");
    f.write("next.vcd", dumpText({4, 9, 13}, {2, 5, 6}));
    const edit::RefreshResult r = edit::refreshFromDump(f.diagram, {(f.dir / "next.vcd").string(), {}, {}}, f.measurer);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.unplaced.empty()) << testing::PrintToString(r.unplaced);
    EXPECT_EQ(f.cells("d"), "00000111110000111111111111");
    EXPECT_EQ(f.cells("clk"), "01010101010101010101010101");
    std::vector<std::string> values;
    for (const std::string& t : f.list(model::ListId::Texts).records())
        values.push_back(fields::decodePeriods(*fields::textField(t, 5)) + "=" + std::string(*fields::textField(t, 4)));
    EXPECT_EQ(values, (std::vector<std::string>{"q[3:0]=0x0", "q[3:0]=0x1", "q[3:0]=0x2", "q[3:0]=0x3"}));
    EXPECT_EQ(f.diagram.extension.dump.path, (f.dir / "next.vcd").string());
    EXPECT_TRUE(f.diagram.modified);
}

// Each annotation on its own, in the record form its list keeps it; after the refresh with d's
// edges moved from columns 3, 7, 12 to 4, 9, 13 and one edge fewer when asked.
struct AnchorCase {
    const char* what;
    model::ListId list;
    std::string record;   // %X% stands for the waveform's origin plus the number of pixels after it
    std::string expected; // the record after the refresh
    bool edgeGone;        // the next simulation has d's first two edges only
    const char* unplaced; // part of the one sentence listed; nullptr: none
};
void PrintTo(const AnchorCase& c, std::ostream* os) { *os << c.what; }

class AnnotationsFollowTheirEdges : public testing::TestWithParam<AnchorCase> {};

std::string withOrigin(const std::string& text, int origin)
{
    std::string out;
    for (std::size_t k = 0; k < text.size();) {
        const std::size_t mark = text.find('%', k);
        if (mark == std::string::npos) {
            out += text.substr(k);
            break;
        }
        const std::size_t end = text.find('%', mark + 1);
        out += text.substr(k, mark - k) + std::to_string(origin + std::stoi(text.substr(mark + 1, end - mark - 1)));
        k = end + 1;
    }
    return out;
}

TEST_P(AnnotationsFollowTheirEdges, OrStayAndAreListed)
{
    const AnchorCase& c = GetParam();
    Fixture f;
    const int origin = f.originX(); // the cell width is 20 in these records
    ASSERT_EQ(f.diagram.settings.cellWidth, 20);
    model::RecordList& list = f.list(c.list);
    const int index = list.append(withOrigin(c.record, origin));
    // A row drawn by hand, whose cells the refresh leaves alone.
    f.diagram.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "manual", 0));
    const std::string manual = f.diagram.store.signals().get(f.diagram.store.signalCount() - 1);
    f.write("next.vcd", c.edgeGone ? dumpText({4, 9}, kOldQ) : dumpText({4, 9, 13}, kOldQ));
    const edit::RefreshResult r = edit::refreshFromDump(f.diagram, {(f.dir / "next.vcd").string(), {}, {}}, f.measurer);
    ASSERT_TRUE(r.ok) << r.error;
    if (c.unplaced) {
        ASSERT_EQ(r.unplaced.size(), 1u) << testing::PrintToString(r.unplaced);
        EXPECT_NE(r.unplaced[0].find(c.unplaced), std::string::npos) << r.unplaced[0];
    } else {
        EXPECT_TRUE(r.unplaced.empty()) << testing::PrintToString(r.unplaced);
    }
    if (c.list == model::ListId::Texts) {
        bool found = false;
        for (const std::string& t : list.records())
            found = found || t == withOrigin(c.expected, origin);
        EXPECT_TRUE(found) << withOrigin(c.expected, origin) << " among " << testing::PrintToString(list.records());
    } else {
        EXPECT_EQ(list.get(index), withOrigin(c.expected, origin));
    }
    EXPECT_EQ(f.diagram.store.signals().get(f.diagram.store.signalCount() - 1), manual);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AnnotationsFollowTheirEdges,
    testing::Values(
        AnchorCase{"arrow end on d's second edge", model::ListId::Arrows, "2.clk.7.d.0.0.0.0.0.0.%40%.20.%140%.40.",
                   "2.clk.9.d.0.0.0.0.0.0.%40%.20.%180%.40.", false, nullptr},
        AnchorCase{"arrow on no edge of d", model::ListId::Arrows, "5.d.10.d.0.0.0.0.1.1.%100%.40.%200%.40.",
                   "5.d.10.d.0.0.0.0.1.1.%100%.40.%200%.40.", false, nullptr},
        AnchorCase{"arrow whose edge is gone", model::ListId::Arrows, "2.clk.12.d.0.0.0.0.0.0.%40%.20.%240%.40.",
                   "2.clk.12.d.0.0.0.0.0.0.%40%.20.%240%.40.", true, "The arrow from cell 2 of clk to cell 12 of d"},
        AnchorCase{"label from the third edge to the first", model::ListId::Labels, "12.d.3.d.2.0.0.1.0.0.0.1.",
                   "13.d.4.d.2.0.0.1.0.0.0.1.", false, nullptr},
        AnchorCase{"label on a row drawn by hand", model::ListId::Labels, "7.manual.3.manual.2.0.0.1.0.0.0.1.",
                   "7.manual.3.manual.2.0.0.1.0.0.0.1.", false, nullptr},
        AnchorCase{"time break on an edge", model::ListId::TimeBreaks, "12.d.", "13.d.", false, nullptr},
        AnchorCase{"time break whose edge is gone", model::ListId::TimeBreaks, "12.d.", "12.d.", true,
                   "The time break at cell 12 of d"},
        AnchorCase{"text just left of an edge", model::ListId::Texts,
                   "%137%.30.%170%.42.setup.d.     0.Arial.8.0.0.0.0.0.0.0.",
                   "%177%.30.%210%.42.setup.d.     0.Arial.8.0.0.0.0.0.0.0.", false, nullptr},
        AnchorCase{"text on no edge", model::ListId::Texts, "%110%.30.%130%.42.hold.d.     0.Arial.8.0.0.0.0.0.0.0.",
                   "%110%.30.%130%.42.hold.d.     0.Arial.8.0.0.0.0.0.0.0.", false, nullptr},
        AnchorCase{"free text", model::ListId::Texts, "%140%.2.%170%.14.title.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.",
                   "%140%.2.%170%.14.title.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.", false, nullptr}),
    [](const testing::TestParamInfo<AnchorCase>& info) { return "Case" + std::to_string(info.index); });

TEST(DumpRefresh, AUserFloodKeepsItsEdgesAndTheImportsHatchIsDrawnAnew)
{
    Fixture f;
    const int d = f.diagram.store.findSignal("d");
    model::CellGrid& floods = f.diagram.store.floodStyles();
    for (int k = 7; k < 10; ++k) // from d's second edge, three columns
        floods.set(d, k, 3);
    f.write("next.vcd", dumpText({4, 9, 13}, kOldQ));
    const edit::RefreshResult r = edit::refreshFromDump(f.diagram, {(f.dir / "next.vcd").string(), {}, {}}, f.measurer);
    ASSERT_TRUE(r.ok) << r.error;
    std::string row;
    for (int k = 0; k < 16; ++k)
        row += static_cast<char>('0' + floods.get(d, k));
    EXPECT_EQ(row, "0000000003330000");
}

TEST(DumpRefresh, WhatCannotBeReadChangesNothing)
{
    const struct {
        const char* what;
        std::string dump; // empty: no such file
        const char* error;
    } cases[] = {
        {"no dump there", "", "cannot be opened"},
        {"no clock of that name", "$var wire 1 ! ck $end\n$var wire 1 \" d $end\n$enddefinitions $end\n#0 0!\n", "has no clock named tb.clk"},
        {"a damaged dump", "$var wire 1 ! clk\n", "cannot be read"},
    };
    for (const auto& c : cases) {
        Fixture f;
        const model::Diagram before = f.diagram;
        if (!c.dump.empty())
            f.write("next.vcd", c.dump);
        const edit::RefreshResult r = edit::refreshFromDump(f.diagram, {(f.dir / "next.vcd").string(), {}, {}}, f.measurer);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << c.what << ": " << r.error;
        EXPECT_EQ(f.diagram.store.signals().records(), before.store.signals().records()) << c.what;
        EXPECT_EQ(f.diagram.extension, before.extension) << c.what;
    }
    model::Diagram drawn;
    test::FixedMeasurer measurer;
    EXPECT_EQ(edit::refreshFromDump(drawn, {}, measurer).error, edit::kNoDumpSource);
}

TEST(DumpRefresh, ASignalTheDumpNoLongerHasLeavesItsRowAsItWas)
{
    Fixture f;
    const std::string e = f.cells("e");
    f.write("next.vcd", dumpText({4, 9, 13}, kOldQ, false));
    const edit::RefreshResult r = edit::refreshFromDump(f.diagram, {(f.dir / "next.vcd").string(), {}, {}}, f.measurer);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.unplaced, std::vector<std::string>{"The row e: the dump has no signal tb.e, the row was left as it was."});
    EXPECT_EQ(f.cells("e"), e);
    EXPECT_EQ(f.cells("d"), "00000111110000111111111111");
}

// Through the editor: File > Refresh from Dump is one step of undo, and only enabled for a diagram
// that remembers its dump.
TEST(DumpRefresh, TheCommandIsOneStepOfUndo)
{
    Fixture f;
    test::FakeUiPort ui;
    edit::Editor editor(ui, f.measurer);
    EXPECT_FALSE(editor.commandState(cmd::RefreshFromDump)->enabled);
    ui.fileNames.push_back((f.dir / "run.vcd").string());
    ui.vcdChoices.push_back(io::VcdChoice{"clk", {}, {}, {}});
    editor.execute(cmd::ImportVcd);
    ASSERT_TRUE(editor.commandState(cmd::RefreshFromDump)->enabled);
    const std::string before = model::fields::nameOfRow(editor.diagram().store.signals().get(1)) == "d"
                                   ? std::string(model::signal::waveform(editor.diagram().store.signals().get(1)))
                                   : "";
    ASSERT_FALSE(before.empty());
    f.write("run.vcd", dumpText({4, 9, 13}, kOldQ));
    editor.execute(cmd::RefreshFromDump);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_NE(model::signal::waveform(editor.diagram().store.signals().get(1)), before);
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(model::signal::waveform(editor.diagram().store.signals().get(1)), before);
    editor.execute(cmd::EditRedo);
    EXPECT_NE(model::signal::waveform(editor.diagram().store.signals().get(1)), before);
}

} // namespace

namespace {

// A dump moved since the import: the command asks for it in the dump import's dialog, starting
// where it was; Cancel changes nothing.
TEST(DumpRefresh, ADumpThatMovedIsAskedFor)
{
    const struct {
        const char* what;
        bool answered;
    } cases[] = {{"pointed at", true}, {"cancelled", false}};
    for (const auto& c : cases) {
        Fixture f;
        test::FakeUiPort ui;
        edit::Editor editor(ui, f.measurer);
        ui.fileNames.push_back((f.dir / "run.vcd").string());
        ui.vcdChoices.push_back(io::VcdChoice{"clk", {}, {}, {}});
        editor.execute(cmd::ImportVcd);
        ASSERT_EQ(editor.diagram().store.signalCount(), 4) << c.what;
        const std::string before(model::signal::waveform(editor.diagram().store.signals().get(1)));
        fs::create_directories(f.dir / "moved");
        f.write("moved/run.vcd", dumpText({4, 9, 13}, kOldQ));
        fs::remove(f.dir / "run.vcd");
        ui.fileDialogs.clear();
        if (c.answered)
            ui.fileNames.push_back((f.dir / "moved" / "run.vcd").string());
        else
            ui.fileNames.push_back(std::nullopt);
        editor.execute(cmd::RefreshFromDump);
        ASSERT_EQ(ui.fileDialogs.size(), 1u) << c.what;
        EXPECT_EQ(ui.fileDialogs[0].title, "Open Value Change Dump files");
        EXPECT_EQ(ui.fileDialogs[0].initialPath, (f.dir / "run.vcd").string());
        EXPECT_TRUE(ui.messages.empty()) << c.what << ": " << ui.messages.front().text;
        const std::string after(model::signal::waveform(editor.diagram().store.signals().get(1)));
        EXPECT_EQ(after != before, c.answered) << c.what;
        EXPECT_EQ(editor.diagram().extension.dump.path,
                  (c.answered ? f.dir / "moved" / "run.vcd" : f.dir / "run.vcd").string())
            << c.what;
    }
}

} // namespace
