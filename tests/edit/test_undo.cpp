#include <gtest/gtest.h>

#include "edit/CommandIds.h"
#include "edit/Editor.h"
#include "edit/UndoRing.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
namespace cmd = edit::cmd;

namespace {

const test::FakeUiPort::Asked kAbortArrow{
    "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?", "Are you sure?"};
const test::FakeUiPort::Asked kAbortLabel{
    "You are in the middle of drawing an arrow.  Do you want to abort the Label Tool?", "Are you sure?"};

struct UndoFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    Editor editor{ui, measurer};

    bool undoEnabled() const { return editor.commandState(cmd::EditUndo)->enabled; }
    bool redoEnabled() const { return editor.commandState(cmd::EditRedo)->enabled; }
    int rows() const { return editor.diagram().store.signalCount(); }
    void addClocks(int n)
    {
        for (int i = 0; i < n; ++i)
            editor.addRow(model::NewRowKind::Clock);
    }
};

} // namespace

TEST(UndoRing, BookkeepingFollowsEveryStep)
{
    edit::UndoRing ring;
    struct Step {
        char action; // s snapshot, u undo, r redo
        int slot, depth, redoLimit;
        bool redo;
    };
    const Step steps[] = {
        {'s', 0, 1, 0, false}, {'s', 1, 2, 0, false}, {'s', 2, 3, 0, false}, {'u', 1, 2, 3, true},
        {'u', 0, 1, 3, true},  {'r', 1, 2, 3, true},  {'r', 2, 3, 3, false}, {'u', 1, 2, 3, true},
        {'s', 2, 3, 3, false}, {'u', 1, 2, 3, true},  {'u', 0, 1, 3, true},  {'u', 9, 0, 3, true},
    };
    for (const Step& step : steps) {
        if (step.action == 's')
            ring.nextSnapshot() = "state";
        else if (step.action == 'u')
            ring.undo();
        else
            ring.redo();
        EXPECT_EQ(ring.slot(), step.slot);
        EXPECT_EQ(ring.depth(), step.depth);
        EXPECT_EQ(ring.redoLimit(), step.redoLimit);
        EXPECT_EQ(ring.canRedo(), step.redo);
    }
}

TEST(UndoRing, SlotsWrapAfterTenAndDepthStopsAtNine)
{
    edit::UndoRing ring;
    for (int i = 0; i < 12; ++i)
        ring.nextSnapshot() = std::to_string(i);
    EXPECT_EQ(ring.slot(), 1);
    EXPECT_EQ(ring.depth(), 9);
    EXPECT_EQ(ring.undo(), "10");
    EXPECT_EQ(ring.undo(), "9");
    ring.reset();
    EXPECT_EQ(ring.slot(), -1);
    EXPECT_FALSE(ring.canUndo());
    EXPECT_FALSE(ring.canRedo());
}

TEST_F(UndoFixture, StartAddClockUndoRedo)
{
    EXPECT_FALSE(undoEnabled());
    EXPECT_FALSE(redoEnabled());
    addClocks(1);
    EXPECT_TRUE(undoEnabled());
    EXPECT_TRUE(editor.execute(cmd::EditUndo));
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(undoEnabled());
    EXPECT_TRUE(redoEnabled());
    editor.execute(cmd::EditRedo);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(model::fields::nameOfRow(editor.diagram().store.signals().get(0)), "Clock");
    EXPECT_FALSE(redoEnabled());
    EXPECT_TRUE(undoEnabled());
}

TEST_F(UndoFixture, ElevenChangesAllowEightUndoSteps)
{
    addClocks(11);
    for (int step = 1; step <= 8; ++step) {
        ASSERT_TRUE(undoEnabled()) << step;
        editor.execute(cmd::EditUndo);
        EXPECT_EQ(rows(), 11 - step);
    }
    EXPECT_FALSE(undoEnabled());
    editor.execute(cmd::EditUndo); // disabled: nothing happens
    EXPECT_EQ(rows(), 3);
    for (int step = 1; step <= 8; ++step)
        editor.execute(cmd::EditRedo);
    EXPECT_EQ(rows(), 11);
    EXPECT_FALSE(redoEnabled());
}

TEST_F(UndoFixture, AChangeAfterUndoEndsRedo)
{
    addClocks(3);
    editor.execute(cmd::EditUndo);
    editor.execute(cmd::EditUndo);
    EXPECT_TRUE(redoEnabled());
    editor.addRow(model::NewRowKind::Bus);
    EXPECT_FALSE(redoEnabled());
    EXPECT_EQ(rows(), 2);
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(rows(), 1);
}

TEST_F(UndoFixture, AfterNewNoSnapshotIsTaken)
{
    addClocks(2);
    editor.diagram().modified = false;
    editor.execute(cmd::FileNew);
    EXPECT_FALSE(undoEnabled());
    addClocks(1);
    EXPECT_FALSE(undoEnabled()); // the state right after New cannot be returned to
    addClocks(1);
    ASSERT_TRUE(undoEnabled());
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(undoEnabled());
}

TEST_F(UndoFixture, AbortQuestionsComeFirstAndNoChangesNothing)
{
    addClocks(2);
    model::RecordList& arrows = editor.diagram().store.list(model::ListId::Arrows);
    arrows.setSelection(arrows.append("4.Clock."));
    editor.state().arrowStep = edit::kStepFirstPointPlaced;
    ui.answers = {false};
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(ui.questions, (std::vector<test::FakeUiPort::Asked>{kAbortArrow}));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(arrows.count(), 1);

    ui.answers = {true};
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(editor.state().arrowStep, edit::kStepIdle);

    model::RecordList& labels = editor.diagram().store.list(model::ListId::Labels);
    labels.setSelection(labels.append("2.Clock."));
    editor.state().labelStep = edit::kStepFirstPointPlaced;
    ui.questions.clear();
    ui.answers = {false};
    editor.execute(cmd::EditRedo);
    EXPECT_EQ(ui.questions, (std::vector<test::FakeUiPort::Asked>{kAbortLabel}));
    EXPECT_EQ(rows(), 1);
    ui.answers = {true};
    editor.execute(cmd::EditRedo);
    EXPECT_EQ(rows(), 2);
}

TEST_F(UndoFixture, CopyBufferAndModifiedSurviveUndoAndRedo)
{
    addClocks(2);
    model::RecordList& copies = editor.diagram().store.list(model::ListId::CopyBuffer);
    copies.append("partialcopy.0.1.");
    editor.setFilePath("/tmp/kept.sgm");
    editor.execute(cmd::EditUndo);
    editor.execute(cmd::EditRedo);
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(copies.records(), (std::vector<std::string>{"partialcopy.0.1."}));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(editor.filePath(), "/tmp/kept.sgm");
}

TEST_F(UndoFixture, UndoPutsBackStoredSettingsButNotTheScrollPosition)
{
    addClocks(1);
    editor.diagram().settings.cellWidth = 44;
    editor.diagram().settings.firstVisibleCell = 7;
    editor.takeSnapshot();
    editor.diagram().settings.cellWidth = 50;
    editor.takeSnapshot();
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(editor.diagram().settings.cellWidth, 44);
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(editor.diagram().settings.cellWidth, 30);
    EXPECT_EQ(editor.diagram().settings.firstVisibleCell, 7);
}
