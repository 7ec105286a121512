#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;

namespace {

struct CellDrawing : ::testing::Test, test::EditorDriver {
    void SetUp() override
    {
        addSignals(2);
        ASSERT_TRUE(editor.execute(cmd::ModeDraw));
    }
};

} // namespace

TEST_F(CellDrawing, ClickSetsTheCellByTheHalfOfTheBand)
{
    struct Case {
        const char* name;
        int yFromMiddle; // pixels from the row's middle level
        char expected;
    } cases[] = {
        {"one pixel above the middle is high", -1, '1'},
        {"at the middle is low", 0, '0'},
        {"well above the middle is high", -6, '1'},
        {"below the middle is low", 5, '0'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setWave(0, "0000");
        const render::Layout l = layout();
        const int middle = l.middleLevel(l.signalTop(0));
        click(cellX(1), middle + c.yFromMiddle);
        EXPECT_EQ(wave(0)[2], c.expected);
    }
}

TEST_F(CellDrawing, ColumnZeroAlsoWritesTheEnteringLevel)
{
    const struct {
        int cell;
        const char* expected;
    } cases[] = {{1, "0010"}, {0, "1100"}};
    for (const auto& c : cases) {
        setWave(0, "0000");
        clickCell(0, c.cell, true);
        EXPECT_EQ(wave(0), c.expected) << "column " << c.cell;
    }
}

TEST_F(CellDrawing, LegacyBusClickSwapsPhasesFromTheColumnOn)
{
    const struct {
        int cell;
        const char* before;
        const char* expected;
    } cases[] = {
        {3, "33334444", "33333333"}, // its first 4 cell: the two values merge
        {2, "33334444", "33343333"}, // a new one-cell value in front of the old boundary
        {0, "33334444", "43334444"}, // column 0 only changes the entering phase
        {1, "30003333", "30303333"}, // not a phase at k + 1: becomes 3, the walk stops further on
    };
    for (const auto& c : cases) {
        setDataField(0, model::signalfield::Kind, "DATA_1_");
        setWave(0, c.before);
        clickCell(0, c.cell, true);
        EXPECT_EQ(wave(0), c.expected) << "column " << c.cell;
    }
}

TEST_F(CellDrawing, DraggingOverALegacyBusChangesNothing)
{
    setDataField(0, model::signalfield::Kind, "DATA_1_");
    setWave(0, "3333444433");
    press(cellX(0), rowY(0, true));
    const std::string afterPress = wave(0);
    for (int c = 1; c < 6; ++c)
        moveHeld(cellX(c), rowY(0, false));
    EXPECT_EQ(wave(0), afterPress);
}

TEST_F(CellDrawing, OneStrokeIsOneSnapshotTakenOnRelease)
{
    setWave(1, std::string(12, '0'));
    editor.takeSnapshot();
    const int before = snapshots;
    press(cellX(2), rowY(1, true));
    moveHeld(cellX(3), rowY(1, true));
    moveHeld(cellX(4), rowY(1, true));
    EXPECT_EQ(snapshots, before);
    release(cellX(4), rowY(1, true));
    EXPECT_EQ(snapshots, before + 1);
    EXPECT_EQ(wave(1).substr(3, 3), "111");
    ASSERT_TRUE(editor.execute(cmd::EditUndo));
    EXPECT_EQ(wave(1).substr(3, 3), "000");
}

TEST_F(CellDrawing, LockedRowsAndSeparatorsAreLeftAlone)
{
    setDataField(0, model::signalfield::Locked, "1");
    const std::string locked = wave(0);
    clickCell(0, 2, true);
    stroke(0, 3, 6, true);
    EXPECT_EQ(wave(0), locked);
    for (int tool : {cmd::ToolTriState, cmd::ToolBothHighLow}) {
        ASSERT_TRUE(editor.execute(tool));
        stroke(0, 1, 4, true);
        EXPECT_EQ(wave(0), locked);
    }
    ASSERT_TRUE(editor.execute(cmd::ToolFloodFill));
    stroke(0, 1, 4, true);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(0, 2), 0);
}

TEST_F(CellDrawing, LeadingDelayOverHalfACellEditsTheColumnToTheLeft)
{
    const struct {
        int delay;
        int clickedCell;
        size_t expectedCharacter; // the first high character: column + 1
    } cases[] = {
        {15, 3, 4},
        {16, 3, 3},
        // In the delay before the first column: the level entering column 0 (character 0).
        {16, 0, 0},
        {15, 0, 0}, // column 0 itself writes character 0 too
    };
    for (const auto& c : cases) {
        setWave(0, std::string(12, '0'));
        editor.diagram().store.edgeOffsets().set(0, 1, c.delay);
        clickCell(0, c.clickedCell, true);
        EXPECT_EQ(wave(0).find('1'), c.expectedCharacter) << "delay " << c.delay << " cell " << c.clickedCell;
        EXPECT_EQ(wave(0).find('1', c.expectedCharacter + 2), std::string::npos) << "delay " << c.delay;
    }
}

TEST_F(CellDrawing, TriStateAndBothToolsPaintTheirValues)
{
    setWave(1, std::string(12, '0'));
    ASSERT_TRUE(editor.execute(cmd::ToolTriState));
    stroke(1, 1, 3, false);
    EXPECT_EQ(wave(1), "002220000000");
    ASSERT_TRUE(editor.execute(cmd::ToolBothHighLow));
    stroke(1, 5, 7, true);
    EXPECT_EQ(wave(1), "002220333000");
    // A click inside a bus run starts a new value there: the rest of the run changes phase.
    clickCell(1, 6, true);
    EXPECT_EQ(wave(1), "002220344000");
}

TEST_F(CellDrawing, FloodToolWritesTheStyleGridOnly)
{
    ASSERT_TRUE(editor.execute(cmd::ToolFloodFill));
    const std::string before = wave(1);
    stroke(1, 2, 4, true);
    for (int c : {2, 3, 4})
        EXPECT_EQ(editor.diagram().store.floodStyles().get(1, c), 1);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(1, 5), 0);
    ASSERT_TRUE(editor.execute(cmd::ToolEraseFloodFill));
    clickCell(1, 3, true);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(1, 3), 0);
    EXPECT_EQ(wave(1), before);
}

TEST_F(CellDrawing, ClicksOutsideTheRowsAndCellsChangeNothing)
{
    const std::string w0 = wave(0), w1 = wave(1);
    const int lastCell = grid().lastEditableCell();
    for (int tool : {cmd::ModeDraw, cmd::ToolTriState, cmd::ToolBothHighLow, cmd::ToolFloodFill, cmd::ModeEdit}) {
        ASSERT_TRUE(editor.execute(tool));
        click(-40, -40);
        click(cellX(lastCell + 1), rowY(0, true));
        click(cellX(3), rowY(5, true));
        click(100000, 100000);
        stroke(0, lastCell + 1, lastCell + 4, true);
    }
    EXPECT_EQ(wave(0), w0);
    EXPECT_EQ(wave(1), w1);
    for (int c = 0; c < model::kMaxCells; ++c)
        EXPECT_EQ(editor.diagram().store.floodStyles().get(0, c), 0);
}

TEST(CellDrawingWithoutRows, PressesMovesAndReleasesDoNothing)
{
    test::EditorDriver d;
    for (int tool : {cmd::ModeDraw, cmd::ModeEdit, cmd::ToolFloodFill}) {
        ASSERT_TRUE(d.editor.execute(tool));
        d.press(200, 30);
        d.moveHeld(260, 40);
        d.release(260, 40);
        d.editor.mouse().doubleClick(200, 30);
    }
    EXPECT_EQ(d.editor.diagram().store.signalCount(), 0);
}

TEST(CellDrawingReleases, AReleaseWithoutItsPressTakesNoSnapshot)
{
    test::EditorDriver d;
    d.addSignals(1);
    const int before = d.snapshots;
    d.release(d.cellX(2), d.rowY(0, true));
    EXPECT_EQ(d.snapshots, before);
}

TEST(CellDrawingLargest, TheLastOfTwoHundredFiftySixRowsAndPastItScrolled)
{
    test::EditorDriver d;
    d.addSignals(model::kMaxRows);
    ASSERT_EQ(d.editor.diagram().store.signalCount(), model::kMaxRows);
    ASSERT_TRUE(d.editor.execute(cmd::ModeDraw));
    d.editor.diagram().settings.verticalScroll = 480; // row 240 at the top
    d.setWave(255, "0000");
    d.clickCell(255, 1, true);
    EXPECT_EQ(d.wave(255), "0010");
    // One row pitch further down there is no row: nothing is written anywhere.
    const int below = d.rowY(255, true) + d.layout().rowPitch();
    d.press(d.cellX(1), below);
    d.moveHeld(d.cellX(2), below);
    d.release(d.cellX(2), below);
    EXPECT_EQ(d.editor.diagram().store.signalCount(), model::kMaxRows);
    EXPECT_EQ(d.wave(255), "0010");
}

TEST(CellDrawingFocus, APressWithoutItsReleaseEndsWhenTheWindowLosesTheMouse)
{
    const struct {
        int tool;
        edit::Drag drag;
    } cases[] = {{cmd::ModeDraw, edit::Drag::None}, {cmd::ModeEdit, edit::Drag::CellRectangle}};
    for (const auto& c : cases) {
        test::EditorDriver d;
        d.addSignals(2);
        ASSERT_TRUE(d.editor.execute(c.tool));
        d.press(d.cellX(1), d.rowY(0, false)); // the new rows are high: the stroke sets the cell low
        EXPECT_EQ(d.editor.state().drag.kind, c.drag);
        const int before = d.snapshots;
        d.editor.mouse().abandon();
        EXPECT_EQ(d.editor.state().drag.kind, edit::Drag::None);
        EXPECT_FALSE(d.editor.state().rectangle.dragging);
        EXPECT_EQ(d.snapshots, before + (c.tool == cmd::ModeDraw ? 1 : 0)); // a stroke keeps its one snapshot
        d.moveHeld(d.cellX(4), d.rowY(1, true));
        EXPECT_EQ(d.editor.state().drag.kind, edit::Drag::None);
    }
}

TEST(CellDrawingHalfMadeArrow, ClicksTheArrowToolDeclinesAreIgnored)
{
    test::EditorDriver d;
    d.addSignals(2);
    auto& arrows = d.editor.diagram().store.list(model::ListId::Arrows);
    arrows.setSelection(arrows.append("2.Default Signal."));
    int offered = 0;
    d.editor.tools().arrowClick = [&](int, int, int, int) {
        ++offered;
        return false;
    };
    d.editor.state().currentTool = edit::Tool::Arrow;
    d.editor.state().arrowStep = edit::kStepFirstPointPlaced;
    const std::string before = d.wave(0);
    d.click(d.cellX(3), d.rowY(0, true));
    d.click(-5, -5);
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(d.wave(0), before);
    EXPECT_EQ(arrows.count(), 1);
    EXPECT_EQ(d.editor.state().currentTool, edit::Tool::Arrow);
}

TEST_F(CellDrawing, EdgeStyleCommandsSkipRowsThatTakeNoEdits)
{
    const struct {
        const char* what;
        std::string data; // the row's data part
        int command;
        const char* field3; // field 3 afterwards: the ideal flag, or a separator's font face
    } cases[] = {
        {"signal", "DATA_0_.0000.0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.", cmd::ctx::IdealEdge, "1"},
        {"locked signal", "DATA_0_.0000.0.0.Arial.10.0.0.0.0.8421504.N/A.1.0.0.0.0.", cmd::ctx::IdealEdge, "0"},
        {"locked clock", "CLK_0_.0101.0.1.Arial.10.1.0.0.0.8421504.N/A.1.1.5.0.0.", cmd::ctx::NonIdealEdge, "1"},
        {"separator", "SEP_0.0.1.Arial.1.1.0.0.0.1.", cmd::ctx::IdealEdge, "Arial"},
        {"separator, non ideal", "SEP_0.0.1.Arial.1.1.0.0.0.1.", cmd::ctx::NonIdealEdge, "Arial"},
    };
    for (const auto& c : cases) {
        auto& rows = editor.diagram().store.signals();
        rows.replace(1, model::fields::joinRow("row", c.data));
        editor.selectRow(1);
        ASSERT_TRUE(editor.execute(c.command)) << c.what;
        EXPECT_EQ(model::fields::textField(model::fields::dataOfRow(record(1)), 3).value(), c.field3) << c.what;
    }
}

// A stroke whose moves come several cells apart paints the same cells, with the same values, as
// one whose moves come a cell apart, and still takes one snapshot.
TEST_F(CellDrawing, ABriskStrokePaintsEveryCellItCrosses)
{
    struct Case {
        const char* name;
        int tool;
        int from, to;
        bool high;
    };
    const Case cases[] = {
        {"draw, left to right, high", cmd::ModeDraw, 1, 10, true},
        {"draw, right to left, low", cmd::ModeDraw, 10, 1, false},
        {"tri-state", cmd::ToolTriState, 2, 11, true},
        {"both high and low", cmd::ToolBothHighLow, 1, 9, true},
        {"flood fill", cmd::ToolFloodFill, 3, 11, true},
    };
    const model::CellGrid& flood = editor.diagram().store.floodStyles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(editor.execute(c.tool));
        const std::string start = c.high ? std::string(14, '0') : std::string(14, '1');
        setWave(0, start);
        setWave(1, start);
        for (int cell = 0; cell < 14; ++cell) {
            editor.diagram().store.floodStyles().set(0, cell, 0);
            editor.diagram().store.floodStyles().set(1, cell, 0);
        }
        stroke(1, c.from, c.to, c.high); // a move on every cell
        const int before = snapshots;
        press(cellX(c.from), rowY(0, c.high));
        moveHeld(cellX(c.to), rowY(0, c.high)); // one move the whole way
        release(cellX(c.to), rowY(0, c.high));
        EXPECT_EQ(snapshots, before + 1);
        EXPECT_EQ(wave(0), wave(1));
        EXPECT_NE(wave(1) == start, c.tool != cmd::ToolFloodFill) << "the slow stroke painted nothing";
        for (int cell = 0; cell < 14; ++cell)
            EXPECT_EQ(flood.get(0, cell), flood.get(1, cell)) << cell;
    }
}

// A brisk stroke across two rows paints what a slow one along the same way paints (only the
// gap between the rows' bands is left, as it is by the slow stroke).
TEST_F(CellDrawing, ABriskStrokeAcrossRowsPaintsAsASlowOne)
{
    ASSERT_TRUE(editor.execute(cmd::ToolTriState));
    const int x0 = cellX(1), y0 = rowY(0, true), x1 = cellX(12), y1 = rowY(1, false);
    std::string slow[2];
    for (bool brisk : {false, true}) {
        setWave(0, std::string(14, '0'));
        setWave(1, std::string(14, '0'));
        press(x0, y0);
        if (!brisk) {
            for (int x = x0 + 1; x <= x1; ++x) // a move on every pixel of the way
                moveHeld(x, y0 + (y1 - y0) * (x - x0) / (x1 - x0));
        } else {
            moveHeld(x1, y1);
        }
        release(x1, y1);
        if (!brisk) {
            slow[0] = wave(0);
            slow[1] = wave(1);
            EXPECT_NE(slow[0], std::string(14, '0'));
            EXPECT_NE(slow[1], std::string(14, '0'));
        } else {
            EXPECT_EQ(wave(0), slow[0]);
            EXPECT_EQ(wave(1), slow[1]);
        }
    }
}
