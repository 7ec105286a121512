#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/values/CycleLabelValues.h"
#include "edit/Editor.h"
#include "edit/rows/SettingDialogCommands.h"
#include "model/RecordFields.h"
#include "support/EditorDriver.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace cmd = edit::cmd;

namespace {

struct SettingDialogFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    int snapshots = 0;
    int refreshes = 0;
    void SetUp() override
    {
        editor.onSnapshot = [this] { ++snapshots; };
        editor.onRefresh = [this] { ++refreshes; };
    }
    model::DiagramSettings& settings() { return editor.diagram().settings; }
};

} // namespace

TEST(CycleLabelPreview, FirstAndSecondLabel)
{
    struct Case {
        edit::CycleLabelValues values;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {{"T", "0", "ns", "5", 1, 1, 0, 0, 0}, "T 0 ns", "T 5 ns"},
        {{"", "1", "", "1", 1, 1, 0, 0, 0}, " 1 ", " 2 "},
        {{"C", "abc", "", "x7", 1, 1, 0, 0, 0}, "C 0 ", "C 0 "},  // text where numbers go counts as 0
        {{"", "-3", "ps", "2", 1, 1, 0, 0, 0}, " -3 ps", " -1 ps"},
        {{"", "2147483647", "", "1", 1, 1, 0, 0, 0}, " 2147483647 ", " -2147483648 "}, // wraps as the labels do
    };
    for (const Case& c : cases) {
        const auto [first, second] = edit::cycleLabelPreview(c.values);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }
}

TEST_F(SettingDialogFixture, CustomizeStoresEveryValueAndRegeneratesTheLabels)
{
    ui.cycleLabelAnswers.push_back(edit::CycleLabelValues{"T", "0", "ns", "5", 2, 3, 4, 0, 1});
    ASSERT_TRUE(editor.execute(cmd::CycleLabelsCustomize));
    ASSERT_EQ(ui.cycleLabelDialogsShown.size(), 1u);
    EXPECT_EQ(ui.cycleLabelDialogsShown[0].start, "1");
    EXPECT_EQ(ui.cycleLabelDialogsShown[0].increment, "1");
    const model::DiagramSettings& s = settings();
    EXPECT_EQ(s.labelsCustomized, 1);
    EXPECT_EQ(s.labelPrefix, "T");
    EXPECT_EQ(s.labelSuffix, "ns");
    EXPECT_EQ(s.labelStart, 0);
    EXPECT_EQ(s.labelIncrement, 5);
    EXPECT_EQ(s.periodLinesPerLabel, 2);
    EXPECT_EQ(s.skipOffset, 3);
    EXPECT_EQ(s.moduloCount, 4);
    EXPECT_EQ(s.repeatModuloCount, 1);
    // 0, 5, 10, 15, back to the start after four labels once, then on counting.
    const auto& n = editor.diagram().labelNumbers;
    EXPECT_EQ((std::vector<int>{n[0], n[1], n[2], n[3], n[4], n[5]}), (std::vector<int>{0, 5, 10, 15, 0, 5}));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(snapshots, 1);
}

TEST_F(SettingDialogFixture, CancelTurnsCustomizedLabelsOff)
{
    settings().labelsCustomized = 1;
    settings().labelPrefix = "T";
    editor.execute(cmd::CycleLabelsCustomize); // the fake cancels
    EXPECT_EQ(settings().labelsCustomized, 0);
    EXPECT_EQ(settings().labelPrefix, "T");
    EXPECT_TRUE(editor.diagram().modified);

    editor.diagram().modified = false;
    editor.execute(cmd::CycleLabelsCustomize);
    EXPECT_FALSE(editor.diagram().modified); // nothing to turn off
}

TEST_F(SettingDialogFixture, HeightSpacingWindowAppliesValuesWithinTheirRanges)
{
    for (int command : {cmd::AdjustHeightSpacing, cmd::DecreaseSignalSpacing})
        ASSERT_TRUE(editor.execute(command));
    ASSERT_EQ(ui.rowLayoutWindowShown, 2);
    const edit::RowLayoutLink& link = ui.rowLayoutLink;
    EXPECT_EQ(link.current(), (edit::RowLayout{16, 12, 20}));

    struct Case {
        edit::RowLayout asked;
        edit::RowLayout kept;
    };
    const Case cases[] = {
        {{20, 4, 420}, {20, 4, 420}},
        {{40, -3, 500}, {32, 0, 420}},
        {{1, 99, 0}, {8, 24, 20}},
    };
    for (const Case& c : cases) {
        link.apply(c.asked);
        EXPECT_EQ(link.current(), c.kept);
    }
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(snapshots, 0) << "the track bars' moves are a run, one undo step when it ends";
    EXPECT_TRUE(editor.commandState(cmd::EditUndo)->enabled);
    // OK ends the run: one undo step for every move, which Undo takes back at once.
    const int before = refreshes;
    link.refresh();
    EXPECT_EQ(refreshes, before + 1);
    EXPECT_EQ(snapshots, 1);
    ASSERT_TRUE(editor.execute(cmd::EditUndo));
    EXPECT_EQ(link.current(), (edit::RowLayout{16, 12, 20}));
}

TEST_F(SettingDialogFixture, HeightSpacingWindowMovesTextBoxesWithTheRows)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Signal);
    model::RecordList& texts = editor.diagram().store.list(model::ListId::Texts);
    // Attached to row 1 (top 68 = 1 x 44 + 16 / 4 + 20), free among the rows, a title above them.
    texts.append("240.68.290.84.on row.Default Signal 2.     0.Arial.8.0.0.0.0.0.0.0.");
    texts.append("300.100.340.116.free.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts.append("300.2.340.10.title.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    ASSERT_TRUE(editor.execute(cmd::AdjustHeightSpacing));
    struct Case {
        edit::RowLayout layout;
        int attachedTop, freeTop, titleTop;
    };
    const Case cases[] = {
        {{20, 12, 20}, 77, 116, 2},  // pitch 52: row 1 at 52 + 5 + 20; the free box two rows of 8 down
        {{20, 12, 120}, 177, 216, 2}, // the margin moves the rows and what sits among them
        {{16, 12, 20}, 68, 100, 2},   // back to the start
    };
    for (const Case& c : cases) {
        ui.rowLayoutLink.apply(c.layout);
        EXPECT_EQ(model::fields::intField(texts.get(0), 1), c.attachedTop);
        EXPECT_EQ(model::fields::intField(texts.get(1), 1), c.freeTop);
        EXPECT_EQ(model::fields::intField(texts.get(2), 1), c.titleTop);
    }
}

TEST_F(SettingDialogFixture, CreateDerivedSignalAddsAPlainSignal)
{
    ASSERT_TRUE(editor.execute(cmd::CreateDerivedSignal));
    ASSERT_EQ(editor.diagram().store.signalCount(), 1);
    EXPECT_EQ(model::fields::nameOfRow(editor.diagram().store.signals().get(0)), "Default Signal");
}

TEST(DialogEntryPoints, DoubleClickOnANameAndDraggingTheBottomOpenTheDialogs)
{
    test::EditorDriver d;
    d.addSignals(3);
    d.editor.execute(cmd::ModeEdit);
    const render::Layout l = d.layout();
    d.editor.mouse().doubleClick(l.waveOriginX() - 20, d.rowY(1, true));
    ASSERT_EQ(d.ui.signalDialogsShown.size(), 1u);
    EXPECT_EQ(d.ui.signalDialogsShown[0].rowIndex, 1);
    EXPECT_EQ(d.ui.signalDialogsShown[0].name, "Default Signal 2");

    const int bottom = d.grid().bottom();
    d.press(200, bottom);
    d.moveHeld(200, bottom + 6);
    d.release(200, bottom + 6);
    EXPECT_EQ(d.ui.rowLayoutWindowShown, 1);
    d.ui.rowLayoutLink.apply({20, 12, 20});
    EXPECT_EQ(d.editor.diagram().settings.signalHeight, 20);
}
