#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/session/UndoRing.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileWriter.h"
#include "model/RowFactory.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"
#include "support/LargestDiagram.h"

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
    constexpr int kLastSlot = edit::UndoRing::kSlots - 1;
    struct Step {
        char action; // s snapshot, u undo, r redo
        int slot, depth, redoLimit;
        bool redo;
    };
    const Step steps[] = {
        {'s', 0, 1, 0, false}, {'s', 1, 2, 0, false}, {'s', 2, 3, 0, false}, {'u', 1, 2, 3, true},
        {'u', 0, 1, 3, true},  {'r', 1, 2, 3, true},  {'r', 2, 3, 3, false}, {'u', 1, 2, 3, true},
        {'s', 2, 3, 3, false}, {'u', 1, 2, 3, true},  {'u', 0, 1, 3, true},  {'u', kLastSlot, 0, 3, true},
    };
    for (const Step& step : steps) {
        if (step.action == 's')
            ring.push("state");
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

TEST(UndoRing, AHundredStepsBackThenTheOldestStateIsKept)
{
    edit::UndoRing ring;
    const int states = edit::UndoRing::kSlots + 5;
    for (int i = 0; i < states; ++i)
        ring.push("state " + std::to_string(i));
    EXPECT_EQ(ring.slot(), 4);
    EXPECT_EQ(ring.depth(), edit::UndoRing::kMaxDepth);
    int steps = 0;
    while (ring.canUndo()) {
        ++steps;
        ASSERT_EQ(ring.undo(), "state " + std::to_string(states - 1 - steps));
    }
    EXPECT_EQ(steps, 100);
    std::string last;
    for (int i = 0; i < steps; ++i) {
        ASSERT_TRUE(ring.canRedo()) << i;
        last = ring.redo();
    }
    EXPECT_EQ(last, "state " + std::to_string(states - 1));
    EXPECT_FALSE(ring.canRedo());
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

TEST_F(UndoFixture, AHundredUndoStepsThenTheOldestStateStays)
{
    addClocks(110);
    for (int step = 1; step <= 100; ++step) {
        ASSERT_TRUE(undoEnabled()) << step;
        editor.execute(cmd::EditUndo);
        ASSERT_EQ(rows(), 110 - step);
    }
    EXPECT_FALSE(undoEnabled());
    editor.execute(cmd::EditUndo); // disabled: nothing happens
    EXPECT_EQ(rows(), 10);
    for (int step = 1; step <= 100; ++step)
        editor.execute(cmd::EditRedo);
    EXPECT_EQ(rows(), 110);
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

TEST_F(UndoFixture, EveryChangeSinceNewOrOpenCanBeUndone)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("sigmora-undo-" + std::to_string(::getpid()) + ".sgm");
    struct Case {
        const char* name;
        std::function<void()> start; // leaves the diagram to return to
        int rows;
    };
    const Case cases[] = {
        {"New", [&] { editor.execute(cmd::FileNew); }, 0},
        {"Open",
         [&] {
             model::Diagram saved;
             for (int i = 0; i < 3; ++i)
                 saved.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, "B" + std::to_string(i), 0));
             ASSERT_EQ(io::writeFileReplacing(file.string(), io::nativeFileBytes(saved)), io::WriteError::None);
             editor.openNamedFile(file.string());
         },
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addClocks(2);
        editor.diagram().modified = false;
        c.start();
        ASSERT_EQ(rows(), c.rows);
        const std::string started = io::nativeFileBytes(editor.diagram());
        EXPECT_FALSE(undoEnabled());
        for (int i = 0; i < 30; ++i)
            editor.addRow(static_cast<model::NewRowKind>(i % 3));
        int steps = 0;
        while (undoEnabled() && steps <= 30) {
            editor.execute(cmd::EditUndo);
            ++steps;
        }
        EXPECT_EQ(steps, 30);
        EXPECT_TRUE(io::nativeFileBytes(editor.diagram()) == started) << "not back at the state it started from";
        editor.diagram().modified = false;
    }
    std::filesystem::remove(file);
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

// A hundred steps of the largest diagram (every row, cell and annotation list full) stay within
// 64 MiB, whether each step changes one cell or every row and grid cell, and every step comes
// back with its exact bytes.
TEST(UndoRing, AHundredStepsOfTheLargestDiagramStayWithinTheirMemory)
{
    constexpr std::size_t kLimit = 64u * 1024 * 1024;
    struct Case {
        const char* name;
        std::function<void(model::Diagram&, int step)> change;
    };
    const Case cases[] = {
        {"one flood cell and one delay a step",
         [](model::Diagram& d, int step) {
             d.store.floodStyles().set(step % model::kMaxRows, (step * 7) % model::kMaxCells, 1 + step % 7);
             d.store.edgeOffsets().set((step * 3) % model::kMaxRows, step % model::kMaxCells, step % 5);
         }},
        {"every cell value and flood style drawn anew each step",
         [](model::Diagram& d, int step) { d = test::largestAnnotatedDiagram(static_cast<unsigned>(1000 + step)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit::UndoRing ring;
        model::Diagram diagram = test::largestAnnotatedDiagram();
        std::vector<std::size_t> stored;
        std::string bytes;
        for (int step = 0; step < edit::UndoRing::kMaxDepth; ++step) {
            if (step > 0)
                c.change(diagram, step);
            io::writeNativeFile(diagram, bytes);
            stored.push_back(std::hash<std::string>{}(bytes));
            ring.push(bytes);
        }
        EXPECT_GT(bytes.size(), 1'000'000u);
        EXPECT_LE(ring.heldBytes(), kLimit);
        std::cout << c.name << ": " << ring.heldBytes() / 1024 << " KiB for " << edit::UndoRing::kUndoSteps
                  << " steps of " << bytes.size() / 1024 << " KiB\n";
        for (int step = edit::UndoRing::kMaxDepth - 2; step >= 0; --step) {
            ASSERT_TRUE(ring.canUndo()) << step;
            ASSERT_EQ(std::hash<std::string>{}(ring.undo()), stored[static_cast<std::size_t>(step)]) << step;
        }
        EXPECT_FALSE(ring.canUndo());
    }
}
