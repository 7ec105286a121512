#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "render/RecordingSurface.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
namespace cmd = edit::cmd;

namespace {

struct EditorFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    Editor editor{ui, measurer};
    int refreshes = 0;
    int snapshots = 0;
    std::string title;

    void SetUp() override
    {
        editor.onRefresh = [this] { ++refreshes; };
        editor.onSnapshot = [this] { ++snapshots; };
        editor.onTitleChanged = [this](const std::string& t) { title = t; };
    }
    const model::RecordList& rows() const { return editor.diagram().store.signals(); }
};

} // namespace

TEST_F(EditorFixture, AddingThreeClocksNamesThemClockClock2Clock3)
{
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "Clock");
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "Clock 2");
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "Clock 3");
    EXPECT_EQ(rows().count(), 3);
    EXPECT_EQ(snapshots, 3);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(EditorFixture, AddRowSelectsTheNewRowAndSetsTheDrawTool)
{
    editor.state().currentTool = edit::Tool::TimeBreak;
    editor.state().textPlacement = 1;
    editor.state().alternateTextCursor = 1;
    editor.diagram().store.floodStyles().set(0, 3, 2);
    editor.diagram().store.edgeOffsets().set(0, 7, 4);
    ASSERT_TRUE(editor.execute(cmd::AddBus));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(editor.state().selectedRow, 0);
    EXPECT_EQ(editor.state().selectedCell, 100);
    EXPECT_EQ(rows().selection(), 0);
    EXPECT_EQ(editor.state().currentTool, edit::Tool::Draw);
    EXPECT_EQ(editor.state().textPlacement, 0);
    EXPECT_EQ(editor.state().alternateTextCursor, 0);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(0, 3), 0);
    EXPECT_EQ(editor.diagram().store.edgeOffsets().get(0, 7), 0);
    EXPECT_EQ(model::fields::nameOfRow(rows().get(0)), "Default Bus");
    EXPECT_EQ(model::signal::waveform(rows().get(0)), std::string(600, '4'));
    EXPECT_GT(refreshes, 0);
}

TEST_F(EditorFixture, NewSignalLevelZeroGivesLowCells)
{
    ASSERT_TRUE(editor.execute(cmd::NewSignalsLow));
    EXPECT_TRUE(editor.commandState(cmd::NewSignalsLow)->checked);
    EXPECT_FALSE(editor.commandState(cmd::NewSignalsHigh)->checked);
    editor.execute(cmd::AddSignal);
    EXPECT_EQ(model::signal::waveform(rows().get(0)), std::string(600, '0'));
}

TEST_F(EditorFixture, AddRowFitsTheNameColumn)
{
    editor.diagram().store.list(model::ListId::Texts).append("150.30.190.46.x.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    editor.diagram().store.signals().append(model::fields::joinRow(std::string(20, 'n'), "DATA_0_.1."));
    editor.addRow(model::NewRowKind::Signal);
    EXPECT_EQ(editor.diagram().settings.nameColumnWidth, 145);
    EXPECT_EQ(model::fields::intField(editor.diagram().store.list(model::ListId::Texts).get(0), 0), 195);
}

TEST_F(EditorFixture, The257thRowIsRefusedWithAMessage)
{
    for (int i = 0; i < 256; ++i)
        editor.addRow(model::NewRowKind::Signal);
    ASSERT_EQ(rows().count(), 256);
    const int snapshotsBefore = snapshots;
    editor.diagram().modified = false;
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "null");
    EXPECT_EQ(rows().count(), 256);
    EXPECT_EQ(snapshots, snapshotsBefore);
    EXPECT_FALSE(editor.diagram().modified);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "A diagram holds at most 256 rows; no row was added.");
}

TEST_F(EditorFixture, HalfMadeArrowIsAbandonedOnlyWhenTheUserAgrees)
{
    model::RecordList& arrows = editor.diagram().store.list(model::ListId::Arrows);
    arrows.append("3.Clock.");
    arrows.setSelection(0);
    editor.state().arrowStep = edit::kStepFirstPointPlaced;

    ui.answers = {false};
    EXPECT_EQ(editor.addRow(model::NewRowKind::Signal), "null");
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].text, "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?");
    EXPECT_EQ(ui.questions[0].caption, "Are you sure?");
    EXPECT_EQ(rows().count(), 0);
    EXPECT_EQ(arrows.count(), 1);

    ui.answers = {true};
    EXPECT_EQ(editor.addRow(model::NewRowKind::Signal), "Default Signal");
    EXPECT_EQ(arrows.count(), 0);
    EXPECT_EQ(editor.state().arrowStep, edit::kStepIdle);
}

TEST_F(EditorFixture, HalfMadeLabelAsksTheLabelQuestion)
{
    model::RecordList& labels = editor.diagram().store.list(model::ListId::Labels);
    labels.append("3.Clock.");
    labels.setSelection(0);
    editor.state().labelStep = edit::kStepFirstPointPlaced;
    ui.answers = {true};
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "Clock");
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].text, "You are in the middle of drawing an arrow.  Do you want to abort the Label Tool?");
    EXPECT_EQ(labels.count(), 0);
    EXPECT_EQ(editor.state().labelStep, edit::kStepIdle);

    // Moving the middle handle is a half-made label too.
    labels.append("3.Clock.5.Clock.2.0.0.1.0.0.0.1.");
    labels.setSelection(0);
    editor.state().labelStep = edit::kStepMiddleHandle;
    ui.answers = {false};
    EXPECT_EQ(editor.addRow(model::NewRowKind::Clock), "null");
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(labels.count(), 1);
}

TEST_F(EditorFixture, NewWithoutChangesAsksNothingAndResets)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.diagram().modified = false;
    editor.diagram().settings.signalSpacing = 30;
    editor.diagram().settings.cellWidth = 50;
    editor.diagram().settings.firstVisibleCell = 6;
    editor.execute(cmd::FileNew);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(rows().count(), 0);
    EXPECT_EQ(editor.diagram().settings.cellWidth, 30);
    EXPECT_EQ(editor.diagram().settings.firstVisibleCell, 0);
    EXPECT_EQ(editor.diagram().settings.signalSpacing, 30);
    EXPECT_EQ(editor.state().selectedRow, -1);
    EXPECT_EQ(title, "Untitled - Sigmora 3.3.5");
}

TEST_F(EditorFixture, NewWithChangesAsksOnceAndCanBeCancelled)
{
    editor.addRow(model::NewRowKind::Clock);
    ui.answers = {edit::Answer::Cancel};
    editor.newDiagram();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], (test::FakeUiPort::Asked{"Do you want to save your previous changes?", "Save Changes?"}));
    EXPECT_EQ(rows().count(), 1); // untouched
    EXPECT_TRUE(editor.diagram().modified);

    ui.answers = {false};
    editor.newDiagram();
    ASSERT_EQ(ui.questions.size(), 2u); // one question only
    EXPECT_EQ(rows().count(), 0); // changes discarded
    EXPECT_FALSE(editor.diagram().modified);
}

TEST_F(EditorFixture, ViewCommandsStoreTheirValueAndCheckTheMatchingEntry)
{
    struct Case {
        int command;
        int model::DiagramSettings::*setting;
        int value;
    };
    using S = model::DiagramSettings;
    const Case cases[] = {
        {cmd::PeriodLinesNone, &S::periodLineMode, 5},    {cmd::PeriodLinesBoth, &S::periodLineMode, 0},
        {cmd::PeriodLinesRising, &S::periodLineMode, 1},  {cmd::PeriodLinesFalling, &S::periodLineMode, 2},
        {cmd::PeriodLinesCenter, &S::periodLineMode, 6},  {cmd::PeriodLinesSolid, &S::periodLinesSolid, 1},
        {cmd::PeriodLinesDotted, &S::periodLinesSolid, 0}, {cmd::OwnPeriodNo, &S::eachClockOwnPeriod, 0},
        {cmd::OwnPeriodYes, &S::eachClockOwnPeriod, 1},   {cmd::NamesRightJustified, &S::nameJustification, 1},
        {cmd::NamesLeftJustified, &S::nameJustification, 0},
        {cmd::DropShadowSolid, &S::dropShadow, 1},         {cmd::DropShadowNone, &S::dropShadow, 0},
        {cmd::DropShadowGradient, &S::dropShadow, 2},
    };
    for (const Case& c : cases) {
        const int before = refreshes;
        ASSERT_TRUE(editor.execute(c.command)) << c.command;
        EXPECT_EQ(editor.diagram().settings.*c.setting, c.value) << c.command;
        EXPECT_TRUE(editor.commandState(c.command)->checked) << c.command;
        EXPECT_GT(refreshes, before);
    }
    EXPECT_FALSE(editor.commandState(cmd::PeriodLinesNone)->checked);

    for (int toggle : {cmd::CycleLabelsVisible, cmd::SignalSeparator, cmd::WaveformSeparator, cmd::ViewLogo,
                       cmd::ViewBoundingRectangle}) {
        const bool was = editor.commandState(toggle)->checked;
        editor.execute(toggle);
        EXPECT_NE(editor.commandState(toggle)->checked, was) << toggle;
    }
}

TEST_F(EditorFixture, PeriodDividerDialogStoresTheChoiceOrNothing)
{
    ui.dividers = {std::nullopt, 3};
    editor.execute(cmd::PeriodLinesCustomize);
    EXPECT_EQ(editor.diagram().settings.periodDivider, 1);
    editor.execute(cmd::PeriodLinesCustomize);
    EXPECT_EQ(editor.diagram().settings.periodDivider, 3);
}

TEST_F(EditorFixture, CommandsOfLaterFeaturesHaveNoHandlerYet)
{
    EXPECT_FALSE(editor.handles(cmd::ImportVerilog));
    EXPECT_FALSE(editor.commandState(cmd::ExportTestBench).has_value());
}

TEST_F(EditorFixture, EmptyDiagramRedrawClearsTheSelection)
{
    editor.state().selectedRow = 2;
    editor.state().selectedCell = 9;
    render::RecordingSurface surface;
    EXPECT_EQ(editor.redraw(surface), -1);
    EXPECT_EQ(editor.state().selectedRow, -1);
    EXPECT_EQ(editor.state().selectedCell, -1);
}

TEST(Scrolling, LinePageThumbAndLimits)
{
    using edit::ScrollAction;
    using edit::scrolledPosition;
    EXPECT_EQ(scrolledPosition(0, ScrollAction::LineDown), 2);
    EXPECT_EQ(scrolledPosition(4, ScrollAction::LineUp), 2);
    EXPECT_EQ(scrolledPosition(0, ScrollAction::LineUp), 0);
    EXPECT_EQ(scrolledPosition(6, ScrollAction::PageUp), 0);
    EXPECT_EQ(scrolledPosition(6, ScrollAction::PageDown), 16);
    EXPECT_EQ(scrolledPosition(0, ScrollAction::Thumb, 7), 8);
    EXPECT_EQ(scrolledPosition(0, ScrollAction::Thumb, 12), 12);
    EXPECT_EQ(scrolledPosition(476, ScrollAction::PageDown), 476); // past 480: ignored
    EXPECT_EQ(scrolledPosition(478, ScrollAction::LineDown), 480);
    EXPECT_EQ(scrolledPosition(480, ScrollAction::LineDown), 480);
}

TEST_F(EditorFixture, ScrollingMovesTheViewAndRefreshes)
{
    editor.scrollHorizontal(edit::ScrollAction::PageDown);
    EXPECT_EQ(editor.diagram().settings.firstVisibleCell, 10);
    editor.scrollVertical(edit::ScrollAction::LineDown);
    EXPECT_EQ(editor.diagram().settings.verticalScroll, 2);
    EXPECT_EQ(refreshes, 2);
    editor.scrollVertical(edit::ScrollAction::LineUp);
    editor.scrollVertical(edit::ScrollAction::LineUp);
    EXPECT_EQ(editor.diagram().settings.verticalScroll, 0);
    EXPECT_EQ(refreshes, 3); // the step below 0 changed nothing
}

// A setting saved with the diagram marks it modified when a command changes it, so that closing
// asks to save; settings of the window and the preferences do not. None takes an undo snapshot.
TEST_F(EditorFixture, ViewSettingsSavedWithTheDiagramMarkItModified)
{
    struct Case {
        int command;
        bool marks;
    };
    const Case cases[] = {
        {cmd::PeriodLinesNone, true},     {cmd::PeriodLinesSolid, true},   {cmd::OwnPeriodNo, true},
        {cmd::CycleLabelsVisible, true},  {cmd::NamesRightJustified, true}, {cmd::PeriodLinesCustomize, true},
        {cmd::SignalSeparator, false},    {cmd::WaveformSeparator, false}, {cmd::NewSignalsLow, false},
        {cmd::ViewLogo, true},            {cmd::ViewBoundingRectangle, true}, {cmd::DropShadowSolid, true},
        {cmd::PeriodLinesNone, false /* already 5: nothing changes */},
    };
    ui.dividers = {4};
    for (const Case& c : cases) {
        editor.diagram().modified = false;
        const int before = snapshots;
        ASSERT_TRUE(editor.execute(c.command)) << c.command;
        EXPECT_EQ(editor.diagram().modified, c.marks) << c.command;
        // What is saved with the diagram is an undo step; the other view choices are not.
        EXPECT_EQ(snapshots - before, c.marks ? 1 : 0) << c.command;
    }

    // A flag from a file that is neither 0 nor 1 is drawn as on, and its menu says so.
    editor.diagram().settings.periodLinesSolid = 2;
    editor.diagram().settings.eachClockOwnPeriod = -1;
    EXPECT_TRUE(editor.commandState(cmd::PeriodLinesSolid)->checked);
    EXPECT_FALSE(editor.commandState(cmd::PeriodLinesDotted)->checked);
    EXPECT_TRUE(editor.commandState(cmd::OwnPeriodYes)->checked);
    EXPECT_FALSE(editor.commandState(cmd::OwnPeriodNo)->checked);
}
