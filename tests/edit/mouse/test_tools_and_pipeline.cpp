#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/session/CursorRole.h"
#include "edit/grid/OverlapRotation.h"
#include "edit/grid/PathHitTest.h"
#include "edit/mouse/ToolCommands.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
using edit::Tool;

namespace {

const test::FakeUiPort::Asked kAbortArrow{
    "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?", "Are you sure?"};

struct Pipeline : ::testing::Test, test::EditorDriver {
    void SetUp() override { addSignals(2); }
    void selectTool() { ASSERT_TRUE(editor.execute(cmd::ModeEdit)); }
    int rowMiddle(int row) const { return layout().middleLevel(layout().signalTop(row)); }
};

} // namespace

TEST_F(Pipeline, RightButtonCyclesDrawTriStateAndBoth)
{
    const Tool expected[] = {Tool::TriState, Tool::Both, Tool::Draw, Tool::TriState, Tool::Both, Tool::Draw};
    ASSERT_TRUE(editor.execute(cmd::ModeDraw));
    for (Tool t : expected) {
        edit::rightButton(editor, 10, 10, 10, 10);
        EXPECT_EQ(editor.state().currentTool, t);
    }
    EXPECT_TRUE(ui.popups.empty());
}

TEST_F(Pipeline, RightButtonStepsTheFloodStyleAndItsCursor)
{
    const struct {
        const char* from;
        const char* to;
        edit::CursorRole cursor;
    } steps[] = {{"1", "2", edit::CursorRole::Flood2}, {"6", "7", edit::CursorRole::FloodOther},
                 {"7", "0", edit::CursorRole::FloodErase}, {"0", "1", edit::CursorRole::Flood1},
                 {"x", "1", edit::CursorRole::Flood1}};
    ASSERT_TRUE(editor.execute(cmd::ToolFloodFill));
    for (const auto& s : steps) {
        editor.state().floodStyle = s.from;
        edit::rightButton(editor, 0, 0, 0, 0);
        EXPECT_EQ(editor.state().floodStyle, s.to);
        EXPECT_EQ(editor.state().lastFloodStyle, s.to);
        EXPECT_EQ(editor.cursor(), s.cursor) << "from " << s.from;
    }
    // "&Flood Fill" after the erase style returns to style 1.
    ASSERT_TRUE(editor.execute(cmd::ToolEraseFloodFill));
    editor.state().lastFloodStyle = "0";
    ASSERT_TRUE(editor.execute(cmd::ToolFloodFill));
    EXPECT_EQ(editor.state().floodStyle, "1");
}

TEST_F(Pipeline, RightButtonPopsTheMenuOfTheToolAndSelection)
{
    auto& arrows = editor.diagram().store.list(model::ListId::Arrows);
    arrows.append("1.Default Signal.3.Default Signal 2.0.0.0.0.0.0.0.0.0.0.");
    const struct {
        Tool tool;
        edit::SelectionKind kind;
        int arrowSelection;
        edit::ContextMenuKind menu;
    } cases[] = {
        {Tool::Select, edit::SelectionKind::Signal, -1, edit::ContextMenuKind::Signal},
        {Tool::Arrow, edit::SelectionKind::Signal, 0, edit::ContextMenuKind::Arrow},
        {Tool::Arrow, edit::SelectionKind::Signal, -1, edit::ContextMenuKind::Signal},
        {Tool::Select, edit::SelectionKind::TextBox, -1, edit::ContextMenuKind::Signal},
    };
    for (const auto& c : cases) {
        editor.state().currentTool = c.tool;
        editor.state().selectionKind = c.kind;
        arrows.setSelection(c.arrowSelection);
        edit::rightButton(editor, 300, 200, 300, 200);
        ASSERT_FALSE(ui.popups.empty());
        EXPECT_EQ(ui.popups.back(), (test::FakeUiPort::Popup{c.menu, 300, 200}));
    }
}

TEST_F(Pipeline, DrawDuringAHalfMadeArrowAsksAndNoKeepsTheTool)
{
    auto& arrows = editor.diagram().store.list(model::ListId::Arrows);
    arrows.setSelection(arrows.append("2.Default Signal."));
    editor.state().currentTool = Tool::Arrow;
    editor.state().arrowStep = edit::kStepFirstPointPlaced;
    ui.answers = {false};
    EXPECT_TRUE(editor.execute(cmd::ModeDraw));
    EXPECT_EQ(ui.questions, std::vector<test::FakeUiPort::Asked>{kAbortArrow});
    EXPECT_EQ(editor.state().currentTool, Tool::Arrow);
    EXPECT_EQ(arrows.count(), 1);
    ui.answers = {true};
    EXPECT_TRUE(editor.execute(cmd::ModeDraw));
    EXPECT_EQ(editor.state().currentTool, Tool::Draw);
    EXPECT_EQ(arrows.count(), 0);
}

TEST_F(Pipeline, ToolsWhoseClicksNobodyTakesAreDisabled)
{
    // Every annotation tool has its clicks taken now; a tool whose entry point is missing is not.
    for (int c : {cmd::ToolBezierArrow, cmd::ToolLabelOutward, cmd::ToolTimeBreak, cmd::ToolText})
        EXPECT_TRUE(editor.commandState(c)->enabled) << c;
    editor.tools().timeBreakClick = nullptr;
    EXPECT_FALSE(editor.commandState(cmd::ToolTimeBreak)->enabled);
    EXPECT_TRUE(editor.execute(cmd::ToolFloatingArrow));
    EXPECT_EQ(editor.state().currentTool, Tool::Arrow);
    EXPECT_EQ(editor.state().floatingArrow, 1);
}

TEST_F(Pipeline, RightEdgeDragWidensByTheDistanceNotByCells)
{
    selectTool();
    const int width = editor.diagram().settings.waveformWidth;
    const int r = grid().rightEdge();
    const int y = rowMiddle(0);
    press(r + 2, y);
    EXPECT_EQ(editor.state().drag.kind, edit::Drag::RightEdge);
    moveHeld(r + 20, y);
    moveHeld(r + 47, y);
    release(r + 47, y);
    EXPECT_EQ(editor.diagram().settings.waveformWidth, width + 45);
    EXPECT_EQ(editor.state().drag.kind, edit::Drag::None);
    EXPECT_EQ(editor.state().currentTool, Tool::Select);
}

TEST_F(Pipeline, TopMarginDragStopsAtTwenty)
{
    selectTool();
    editor.diagram().settings.topMargin = 60;
    const int line = grid().topMarginLine();
    press(300, line);
    ASSERT_EQ(editor.state().drag.kind, edit::Drag::TopMargin);
    moveHeld(300, line - 30);
    EXPECT_EQ(editor.diagram().settings.topMargin, 30);
    moveHeld(300, line - 100);
    EXPECT_EQ(editor.diagram().settings.topMargin, 20);
    release(300, line - 100);
    EXPECT_EQ(editor.diagram().settings.topMargin, 20);
}

TEST_F(Pipeline, NameColumnDragAndAStaleTopMarginDragEnd)
{
    selectTool();
    const int origin = layout().waveOriginX();
    const int width = editor.diagram().settings.nameColumnWidth;
    press(origin - 3, rowMiddle(0));
    ASSERT_EQ(editor.state().drag.kind, edit::Drag::NameColumn);
    moveHeld(origin + 27, rowMiddle(0));
    release(origin + 27, rowMiddle(0));
    EXPECT_EQ(editor.diagram().settings.nameColumnWidth, width + 30);
    // A top-margin drag whose release was never seen ends on the next press, with a snapshot.
    press(300, grid().topMarginLine());
    editor.mouse().abandon();
    EXPECT_EQ(editor.state().drag.kind, edit::Drag::None);
}

// A press within 3 pixels of the diagram's bottom starts the height/spacing drag, in the name
// column as well as under the waveforms; the next move opens the height/spacing window.
TEST_F(Pipeline, BottomEdgeDragStartsFromTheNameColumnToo)
{
    selectTool();
    int opened = 0;
    editor.tools().openHeightWindow = [&opened] { ++opened; };
    const int b = grid().bottom();
    const struct {
        const char* what;
        int x, y;
    } cases[] = {
        {"name column, just below the last row", 30, b + 2},
        {"name column, on the bottom", 30, b},
        {"name column, just above the bottom", 30, b - 2},
        {"under the waveforms", 300, b + 2},
    };
    for (const auto& c : cases) {
        const int before = opened;
        press(c.x, c.y);
        EXPECT_EQ(editor.state().drag.kind, edit::Drag::BottomEdge) << c.what;
        moveHeld(c.x, c.y + 5);
        release(c.x, c.y + 5);
        EXPECT_EQ(opened, before + 1) << c.what;
        EXPECT_EQ(editor.state().drag.kind, edit::Drag::None) << c.what;
    }
    // Further down the name column a press only deselects.
    press(30, b + 20);
    EXPECT_EQ(editor.state().drag.kind, edit::Drag::None);
    EXPECT_EQ(editor.state().selectedRow, -1);
    release(30, b + 20);
}

TEST_F(Pipeline, RectangleSelectionAndInvertStopAtASeparator)
{
    auto& rows = editor.diagram().store.signals();
    rows.append("separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    addSignals(1);
    for (int r : {0, 1, 3})
        setWave(r, "0000000");
    selectTool();
    press(cellX(1), rowMiddle(0));
    moveHeld(cellX(2), rowMiddle(2));
    moveHeld(cellX(3), rowMiddle(3));
    release(cellX(3), rowMiddle(3));
    const edit::CellRectangle& rect = editor.state().rectangle;
    ASSERT_TRUE(rect.active);
    EXPECT_EQ(rect.firstRow(), 0);
    EXPECT_EQ(rect.lastRow(), 3);
    EXPECT_EQ(rect.firstCell(), 1);
    EXPECT_EQ(rect.lastCell(), 3);
    ASSERT_TRUE(editor.execute(cmd::ctx::Invert));
    EXPECT_EQ(wave(0), "0011100");
    EXPECT_EQ(wave(1), "0011100");
    EXPECT_EQ(wave(3), "0000000");
    ASSERT_TRUE(editor.execute(cmd::ctx::TriState));
    EXPECT_EQ(wave(3), "0022200");
    EXPECT_EQ(rows.get(2), "separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
}

TEST_F(Pipeline, CellCommandsOnTheSelectedRow)
{
    setWave(1, "0101");
    editor.takeSnapshot();
    const int snapshotsBefore = snapshots;
    editor.deselectRow();
    ASSERT_TRUE(editor.execute(cmd::ctx::High)); // nothing selected: nothing changes
    EXPECT_EQ(wave(1), "0101");
    editor.selectRow(1);
    const struct {
        int command;
        const char* expected;
    } cases[] = {{cmd::ctx::Invert, "1010"}, {cmd::ctx::TriState, "2222"}, {cmd::ctx::BothHighLow, "3333"},
                 {cmd::ctx::Low, "0000"}, {cmd::ctx::High, "1111"}};
    // Each command that changes the row is an undo step of its own.
    int expectedSnapshots = snapshotsBefore;
    for (const auto& c : cases) {
        ASSERT_TRUE(editor.execute(c.command));
        EXPECT_EQ(wave(1), c.expected);
        EXPECT_EQ(snapshots, ++expectedSnapshots);
    }
    ASSERT_TRUE(editor.execute(cmd::ctx::IdealEdge));
    EXPECT_EQ(model::signal::ideal(record(1)), 1);
    ASSERT_TRUE(editor.execute(cmd::ctx::NonIdealEdge));
    EXPECT_EQ(model::signal::ideal(record(1)), 0);
}

TEST_F(Pipeline, InvertToggleOnASeparatorAndItsUpdateRule)
{
    auto& rows = editor.diagram().store.signals();
    rows.append("separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    EXPECT_TRUE(editor.commandState(cmd::ctx::Invert)->enabled); // no row selected
    editor.selectRow(2);
    EXPECT_TRUE(editor.commandState(cmd::ctx::Invert)->enabled);
    ASSERT_TRUE(editor.execute(cmd::ctx::Invert));
    EXPECT_EQ(rows.get(2), "separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.0.");
    editor.state().rectangle.active = true;
    EXPECT_FALSE(editor.commandState(cmd::ctx::Invert)->enabled);
    editor.state().rectangle.active = false;
    setDataField(0, model::signalfield::Kind, "DATA_1_");
    editor.selectRow(0);
    EXPECT_FALSE(editor.commandState(cmd::ctx::Invert)->enabled);
}

TEST(OverlapRotation, RepeatedClicksStepThroughTimeBreakArrowLabelAndNothing)
{
    edit::OverlapHits hits{true, true, true};
    int turn = 0;
    const edit::OverlapKind expected[] = {edit::OverlapKind::TimeBreak, edit::OverlapKind::Arrow,
                                          edit::OverlapKind::Label,     edit::OverlapKind::None,
                                          edit::OverlapKind::TimeBreak, edit::OverlapKind::Arrow};
    for (edit::OverlapKind want : expected) {
        const edit::OverlapKind got = edit::rotateOverlap(hits, turn);
        EXPECT_EQ(got, want);
        // A selection of one kind clears the others.
        hits.timeBreakSelected = got == edit::OverlapKind::TimeBreak;
        hits.arrowSelected = got == edit::OverlapKind::Arrow;
        hits.labelSelected = got == edit::OverlapKind::Label;
    }
}

// The turn after a choice reads what was selected when the click came, so with two kinds a kind
// can come twice in a row (the second click on it deselects it).
TEST(OverlapRotation, TwoHitsFollowTheTableAndOneHitAlwaysWins)
{
    const struct {
        edit::OverlapHits hits;
        edit::OverlapKind first, second, third;
    } cases[] = {
        {{false, true, true}, edit::OverlapKind::Arrow, edit::OverlapKind::Label, edit::OverlapKind::Label},
        {{true, true, false}, edit::OverlapKind::TimeBreak, edit::OverlapKind::Arrow, edit::OverlapKind::Arrow},
        {{false, false, true}, edit::OverlapKind::Label, edit::OverlapKind::Label, edit::OverlapKind::Label},
        {{false, false, false}, edit::OverlapKind::None, edit::OverlapKind::None, edit::OverlapKind::None},
    };
    for (const auto& c : cases) {
        int turn = 0;
        edit::OverlapHits h = c.hits;
        std::vector<edit::OverlapKind> got;
        for (int i = 0; i < 3; ++i) {
            got.push_back(edit::rotateOverlap(h, turn));
            h.timeBreakSelected = got.back() == edit::OverlapKind::TimeBreak;
            h.arrowSelected = got.back() == edit::OverlapKind::Arrow;
            h.labelSelected = got.back() == edit::OverlapKind::Label;
        }
        EXPECT_EQ(got, (std::vector<edit::OverlapKind>{c.first, c.second, c.third}));
    }
}

TEST_F(Pipeline, OverlappingAnnotationsRotateUnderRepeatedClicks)
{
    selectTool();
    const int x = cellX(3), y = rowMiddle(0);
    editor.diagram().store.list(model::ListId::TimeBreaks).append("3.Default Signal.");
    editor.diagram().store.list(model::ListId::Arrows).append("3.Default Signal.5.Default Signal 2.");
    editor.diagram().store.list(model::ListId::Labels).append("3.Default Signal.5.Default Signal 2.");
    editor.tools().arrowPath = [&](int) { return std::vector<edit::PathPiece>{{{x - 50, y}, {x + 50, y}}}; };
    editor.tools().labelLines = [&](int) { return std::vector<edit::PathPiece>{{{x, y - 20}, {x, y + 20}}}; };
    const edit::SelectionKind expected[] = {edit::SelectionKind::TimeBreak, edit::SelectionKind::Arrow,
                                            edit::SelectionKind::Label, edit::SelectionKind::Signal,
                                            edit::SelectionKind::TimeBreak};
    for (edit::SelectionKind kind : expected) {
        click(x, y);
        EXPECT_EQ(editor.state().selectionKind, kind);
    }
}

TEST(PathHitTest, PointsNearAStraightPieceAndABezier)
{
    const edit::PathPiece piece{{0, 0}, {100, 0}};
    const struct {
        render::Point p;
        bool hit;
    } cases[] = {{{50, 5}, true}, {{50, -5}, true}, {{50, 6}, false}, {{0, 0}, true},
                 {{100, 3}, true}, {{101, 0}, false}, {{-1, 0}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(edit::onPiece(piece, c.p), c.hit) << c.p.x << "," << c.p.y;
    // One pixel beyond the tolerance is hit through a neighbour.
    EXPECT_TRUE(edit::onPathNear({piece}, {50, 6}));
    EXPECT_FALSE(edit::onPathNear({piece}, {50, 7}));
    const auto curve = edit::bezierPieces({render::Point{0, 0}, {0, 100}, {100, 100}, {100, 0}});
    ASSERT_EQ(curve.size(), 32u);
    EXPECT_EQ(curve.front().from, (render::Point{100, 0}));
    EXPECT_EQ(curve.back().to, (render::Point{0, 0}));
    EXPECT_TRUE(edit::onPath(curve, {50, 75}));
    EXPECT_FALSE(edit::onPath(curve, {50, 50}));
}

TEST(CursorRoles, FirstMatchingRuleWins)
{
    edit::InteractionState s;
    const struct {
        Tool tool;
        int textPlacement;
        edit::Hover hover;
        edit::CursorRole role;
    } cases[] = {
        {Tool::Draw, 1, edit::Hover::RightEdge, edit::CursorRole::TextPlacement},
        {Tool::Draw, 0, edit::Hover::None, edit::CursorRole::Draw},
        {Tool::Draw, 0, edit::Hover::RightEdge, edit::CursorRole::SizeWestEast},
        {Tool::TriState, 0, edit::Hover::RightEdge, edit::CursorRole::TriState},
        {Tool::Select, 0, edit::Hover::Bottom, edit::CursorRole::SizeNorthSouth},
        {Tool::Select, 0, edit::Hover::NameMove, edit::CursorRole::Move},
        {Tool::Select, 0, edit::Hover::None, edit::CursorRole::Arrow},
        {Tool::Arrow, 0, edit::Hover::None, edit::CursorRole::ArrowFirst},
    };
    for (const auto& c : cases) {
        s.currentTool = c.tool;
        s.textPlacement = c.textPlacement;
        s.hover = c.hover;
        EXPECT_EQ(edit::cursorRole(s), c.role);
    }
}
