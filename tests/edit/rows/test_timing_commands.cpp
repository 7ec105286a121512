#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/rows/EdgeOffsets.h"
#include "edit/Editor.h"
#include "edit/rows/SeparatorCommands.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
namespace cmd = edit::cmd;

namespace {

struct TimingFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    Editor editor{ui, measurer};
    int snapshots = 0;

    void SetUp() override { editor.onSnapshot = [this] { ++snapshots; }; }
    model::DiagramSettings& settings() { return editor.diagram().settings; }
    model::RecordList& rows() { return editor.diagram().store.signals(); }
    model::RecordList& texts() { return editor.diagram().store.list(model::ListId::Texts); }
    model::CellGrid& offsets() { return editor.diagram().store.edgeOffsets(); }
    int field(const model::RecordList& list, int index, int n) { return model::fields::intField(list.get(index), n); }
};

} // namespace

TEST_F(TimingFixture, ClockEdgesChangeTheCellCountWithinFourAndSixHundred)
{
    struct Case {
        int cellCount;
        int command;
        int expectedCount;
        int widthChange;
    };
    const Case cases[] = {
        {20, cmd::AddClockEdge, 22, 60},    {6, cmd::SubtractClockEdge, 4, -60},
        {4, cmd::SubtractClockEdge, 4, 0},  {5, cmd::SubtractClockEdge, 5, 0},
        {598, cmd::AddClockEdge, 600, 60},  {600, cmd::AddClockEdge, 600, 0},
    };
    editor.addRow(model::NewRowKind::Clock);
    for (const Case& c : cases) {
        settings().cellCount = c.cellCount;
        settings().waveformWidth = c.cellCount * settings().cellWidth;
        editor.takeSnapshot();
        const int width = settings().waveformWidth;
        const int before = snapshots;
        ASSERT_TRUE(editor.execute(c.command));
        EXPECT_EQ(settings().cellCount, c.expectedCount) << c.cellCount;
        EXPECT_EQ(settings().waveformWidth, width + c.widthChange) << c.cellCount;
        // A change is an undo step of its own; nothing changed, nothing to undo.
        EXPECT_EQ(snapshots - before, c.widthChange != 0 ? 1 : 0) << c.cellCount;
    }
}

TEST_F(TimingFixture, CommandsOnAnEmptyDiagramDoNothingButHeightAndSeparators)
{
    const int cellCount = settings().cellCount;
    for (int command : {cmd::AddClockEdge, cmd::SubtractClockEdge, cmd::IncreaseClockWidth, cmd::DecreaseClockWidth,
                        cmd::AddSignalDelay, cmd::SubtractSignalDelay})
        editor.execute(command);
    EXPECT_EQ(settings().cellCount, cellCount);
    EXPECT_EQ(settings().cellWidth, 30);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(editor.diagram().modified);
    editor.execute(cmd::IncreaseSignalHeight);
    EXPECT_EQ(settings().signalHeight, 17);
    editor.execute(cmd::InsertSeparatorBlank);
    EXPECT_EQ(rows().count(), 1);
}

TEST_F(TimingFixture, ZoomStepsKeepTheSlantWithinTheCell)
{
    struct Case {
        int cellWidth;
        int slantWidth;
        int command;
        int expectedWidth;
        int expectedSlant;
        bool snapshot;
    };
    const Case cases[] = {
        {9, 9, cmd::IncreaseClockWidth, 10, 10, true},   {12, 10, cmd::DecreaseClockWidth, 11, 10, true},
        {10, 10, cmd::DecreaseClockWidth, 9, 9, true},   {3, 3, cmd::DecreaseClockWidth, 2, 2, true},
        {2, 2, cmd::DecreaseClockWidth, 2, 2, false},    {5, 5, cmd::IncreaseClockWidth, 6, 5, true},
        {30, 10, cmd::IncreaseClockWidth, 31, 10, true},
    };
    editor.addRow(model::NewRowKind::Signal);
    for (const Case& c : cases) {
        settings().cellWidth = c.cellWidth;
        settings().slantWidth = c.slantWidth;
        const int before = snapshots;
        ASSERT_TRUE(editor.execute(c.command));
        EXPECT_EQ(settings().cellWidth, c.expectedWidth) << c.cellWidth;
        EXPECT_EQ(settings().slantWidth, c.expectedSlant) << c.cellWidth;
        EXPECT_EQ(settings().waveformWidth, 600) << "the waveform width stays";
        EXPECT_EQ(snapshots - before, c.snapshot ? 1 : 0) << c.cellWidth;
    }
}

TEST_F(TimingFixture, ZoomKeepsDelaysWithinZeroAndCellWidthLessTen)
{
    struct Case {
        int cellWidth;
        int delay;
        int command;
        int expected;
    };
    const Case cases[] = {
        {20, 5, cmd::IncreaseClockWidth, 6},  {20, 10, cmd::IncreaseClockWidth, 11},
        {20, 10, cmd::DecreaseClockWidth, 9}, {19, 9, cmd::DecreaseClockWidth, 8},
        {12, 3, cmd::DecreaseClockWidth, 1},  {9, 2, cmd::DecreaseClockWidth, 0},
        {20, 0, cmd::IncreaseClockWidth, 0},  {30, 25, cmd::IncreaseClockWidth, 21},
    };
    for (const Case& c : cases) {
        editor.resetDiagram();
        editor.addRow(model::NewRowKind::Bus);
        rows().replace(0, model::signal::withDataField(rows().get(0), model::signalfield::Delay, c.delay));
        const std::string separator = edit::buildSeparatorRecord("sep", model::SeparatorKind::Blank);
        rows().append(separator);
        settings().cellWidth = c.cellWidth;
        editor.execute(c.command);
        EXPECT_EQ(model::signal::delay(rows().get(0)), c.expected) << c.cellWidth << " " << c.delay;
        EXPECT_EQ(model::fields::textField(model::fields::dataOfRow(rows().get(0)), 0), "DATA_0_");
        EXPECT_EQ(rows().get(1), separator);
    }
}

TEST_F(TimingFixture, ZoomSelectsRowZeroOnlyWhenZoomingIn)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Signal);
    editor.state().selectedRow = -1;
    editor.execute(cmd::DecreaseClockWidth);
    EXPECT_EQ(editor.state().selectedRow, -1);
    editor.execute(cmd::IncreaseClockWidth);
    EXPECT_EQ(editor.state().selectedRow, 0);
    EXPECT_EQ(rows().selection(), 0);
    editor.state().selectedRow = 1;
    editor.execute(cmd::DecreaseClockWidth);
    EXPECT_EQ(editor.state().selectedRow, 1);
}

TEST_F(TimingFixture, ZoomAndHeightMoveTextBoxesWithTheGrid)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Signal);
    settings().nameColumnWidth = 100;
    // Attached to row 1 at cell 8, free at 300 (six cells right of the origin at 105), a caption.
    texts().append("240.68.290.84.on row.Default Signal 2.     0.Arial.8.0.0.0.0.0.0.0.");
    texts().append("300.100.340.116.free.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts().append("50.50.90.66.caption.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    // Attached to row 1 in the name column: it keeps its x whatever the cell width.
    texts().append("20.68.60.84.in names.Default Signal 2.     0.Arial.8.0.0.0.0.0.0.0.");
    const std::string caption = texts().get(2);
    struct Step {
        int command;
        int attached[4];
        int free[4];
    };
    const Step steps[] = {
        // Both keep their place on the time axis: 4.5 and 6.5 cells from the origin.
        {cmd::IncreaseClockWidth, {245, 68, 295, 84}, {307, 100, 347, 116}},
        {cmd::DecreaseClockWidth, {240, 68, 290, 84}, {300, 100, 340, 116}},
        // Row 1 moves down by one pitch step of 2; the free box is two rows down.
        {cmd::IncreaseSignalHeight, {240, 70, 290, 86}, {300, 104, 340, 120}},
        {cmd::DecreaseSignalHeight, {240, 68, 290, 84}, {300, 100, 340, 116}},
    };
    for (const Step& s : steps) {
        editor.execute(s.command);
        for (int f = 0; f < 4; ++f) {
            EXPECT_EQ(field(texts(), 0, f), s.attached[f]) << s.command << " field " << f;
            EXPECT_EQ(field(texts(), 1, f), s.free[f]) << s.command << " field " << f;
        }
        EXPECT_EQ(texts().get(2), caption);
        EXPECT_EQ(field(texts(), 3, 0), 20) << s.command;
        EXPECT_EQ(field(texts(), 3, 2), 60) << s.command;
        EXPECT_EQ(field(texts(), 3, 1), s.attached[1]) << s.command << " moves with its row";
    }
}

TEST_F(TimingFixture, SignalHeightStopsAtFiftyOneAndEight)
{
    struct Case {
        int height;
        int command;
        int expected;
        int snapshots;
    };
    const Case cases[] = {
        {50, cmd::IncreaseSignalHeight, 51, 1}, {51, cmd::IncreaseSignalHeight, 51, 0},
        {9, cmd::DecreaseSignalHeight, 8, 1},   {8, cmd::DecreaseSignalHeight, 8, 0},
    };
    for (const Case& c : cases) {
        settings().signalHeight = c.height;
        const int before = snapshots;
        editor.execute(c.command);
        EXPECT_EQ(settings().signalHeight, c.expected) << c.height;
        EXPECT_EQ(snapshots - before, c.snapshots) << c.height;
    }
}

TEST(EdgeOffsets, OneEdgeRuleStopsAtTheLimit)
{
    // cellWidth 30 with slanted edges: the limit is 19, so an edge moves up to offset 20.
    struct Case {
        int firstEntry;
        bool later;
        int expectedFirst;
        int expectedSecond;
    };
    const Case cases[] = {
        {0, true, 1, 1},   {19, true, 20, 1}, {20, true, 20, 1},
        {1, false, 0, 0},  {0, false, 0, 0},
    };
    for (const Case& c : cases) {
        model::CellGrid grid;
        grid.set(3, 1, c.firstEntry);
        grid.set(3, 2, -c.firstEntry);
        // A second edge at column 1 starts at offset 0 in every case.
        edit::shiftEdges(grid, 3, 0, edit::kLastMovableEdge, edit::delayLimit(30, 10), c.later);
        EXPECT_EQ(edit::accumulatedOffset(grid, 3, 0), c.expectedFirst) << c.firstEntry;
        EXPECT_EQ(edit::accumulatedOffset(grid, 3, 1), c.expectedSecond) << c.firstEntry;
        EXPECT_FALSE(edit::resetUnbalancedRow(grid, 3)) << "entries still sum to 0";
    }
}

TEST_F(TimingFixture, AddSignalDelayShiftsTheWholeRowByOnePixel)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.state().selectedRow = 0;
    editor.execute(cmd::AddSignalDelay);
    EXPECT_EQ(offsets().get(0, 1), 1);
    EXPECT_EQ(offsets().get(0, 599), -1);
    for (int k : {0, 100, 597})
        EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, k), 1) << k;
    editor.execute(cmd::SubtractSignalDelay);
    editor.execute(cmd::SubtractSignalDelay);
    for (int k = 0; k < 600; ++k)
        ASSERT_EQ(offsets().get(0, k), 0) << "nothing moves before 0: " << k;
}

TEST_F(TimingFixture, AClocksDelayIsCarriedToTheRowsUnderItWithTheOptionYes)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Bus);
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    struct Case {
        int option;
        int selected;
        int expected[5];
    };
    const Case cases[] = {
        {cmd::OwnPeriodYes, 0, {1, 1, 1, 0, 0}},
        {cmd::OwnPeriodNo, 0, {1, 0, 0, 0, 0}},
        {cmd::OwnPeriodYes, 3, {0, 0, 0, 1, 1}},
        {cmd::OwnPeriodYes, 1, {0, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        offsets().clear();
        editor.execute(c.option);
        editor.state().selectedRow = c.selected;
        const int before = snapshots;
        editor.execute(cmd::AddSignalDelay);
        EXPECT_EQ(snapshots - before, 1);
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(edit::accumulatedOffset(offsets(), r, 4), c.expected[r]) << c.selected << " row " << r;
    }
}

TEST_F(TimingFixture, DelayWithoutAHighlightedSignalSaysSo)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.state().selectedRow = -1;
    const int before = snapshots;
    editor.execute(cmd::SubtractSignalDelay);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], (test::FakeUiPort::Asked{"Please highlight a signal first", ""}));
    EXPECT_EQ(snapshots, before);
}

TEST_F(TimingFixture, DecliningTheAbortQuestionCancelsTimingCommands)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.diagram().store.list(model::ListId::Arrows).append("3.Default Signal.");
    editor.state().arrowStep = edit::kStepFirstPointPlaced;
    for (int command : {cmd::AddClockEdge, cmd::IncreaseClockWidth, cmd::IncreaseSignalHeight, cmd::AddSignalDelay,
                        cmd::InsertSeparatorSolid}) {
        ui.answers = {false};
        editor.execute(command);
    }
    EXPECT_EQ(ui.questions.size(), 5u);
    EXPECT_EQ(settings().cellCount, 20);
    EXPECT_EQ(settings().cellWidth, 30);
    EXPECT_EQ(settings().signalHeight, 16);
    EXPECT_EQ(rows().count(), 1);
}

TEST_F(TimingFixture, SeparatorsAreNamedAndInsertedAboveTheSelectedRow)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    offsets().set(1, 4, 3);
    editor.diagram().store.floodStyles().set(1, 6, 2);
    texts().append("240.68.290.84.on row 1.Default Signal.     0.Arial.8.0.0.0.0.0.0.0.");
    texts().append("240.24.290.40.on row 0.Clock.     0.Arial.8.0.0.0.0.0.0.0.");
    editor.state().selectedRow = 1;
    const int before = snapshots;
    EXPECT_TRUE(editor.commandState(cmd::InsertSeparatorDotted)->enabled);
    editor.execute(cmd::InsertSeparatorDotted);
    EXPECT_EQ(snapshots - before, 1);
    ASSERT_EQ(rows().count(), 3);
    EXPECT_EQ(rows().get(1), "separator\t\t\t\t\tSEP_0.0.1.Arial.2.1.0.0.0.1.");
    EXPECT_EQ(editor.state().selectedRow, 1);
    EXPECT_EQ(editor.state().selectedCell, 100);
    EXPECT_EQ(offsets().get(1, 4), 0);
    EXPECT_EQ(offsets().get(2, 4), 3);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(2, 6), 2);
    EXPECT_EQ(field(texts(), 0, 1), 68 + 44);
    EXPECT_EQ(field(texts(), 0, 3), 84 + 44);
    EXPECT_EQ(field(texts(), 1, 1), 24);

    editor.state().selectedRow = -1;
    editor.execute(cmd::InsertSeparatorRectangle);
    editor.execute(cmd::InsertSeparatorBlank);
    EXPECT_EQ(model::fields::nameOfRow(rows().get(0)), "separator 3 ");
    EXPECT_EQ(model::fields::nameOfRow(rows().get(1)), "separator 2 ");
    EXPECT_EQ(rows().get(1), "separator 2 \t\t\t\t\tSEP_0.0.1.Arial.3.1.0.0.0.1.");
}

TEST_F(TimingFixture, DelayOnACellRectangleStopsAtTheFirstSeparator)
{
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Signal);
    editor.execute(cmd::InsertSeparatorBlank); // above the selected row 1
    editor.addRow(model::NewRowKind::Signal);
    // Rows: signal, separator, signal, signal. Scrolled by 2 cells; the rectangle covers display
    // columns 1 to 2 (cells 3 and 4) of rows 0 to 2, drawn from its bottom right to its top left.
    settings().firstVisibleCell = 2;
    edit::CellRectangle& r = editor.state().rectangle;
    r = {2, 2, 0, 1, true, false};
    editor.state().selectedRow = 3;
    editor.execute(cmd::AddSignalDelay);
    EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, 2), 0);
    EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, 3), 1);
    EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, 4), 1);
    EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, 5), 0);
    for (int row : {1, 2, 3})
        EXPECT_EQ(edit::accumulatedOffset(offsets(), row, 3), 0) << row;
}
