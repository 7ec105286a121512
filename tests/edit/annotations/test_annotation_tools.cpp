#include <gtest/gtest.h>

#include "edit/annotations/AnnotationPoints.h"
#include "edit/annotations/ArrowRecord.h"
#include "edit/session/CommandIds.h"
#include "edit/annotations/TextBoxValues.h"
#include "render/RecordingSurface.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
using edit::ArrowRecord;
using edit::Tool;

namespace {

struct AnnotationFixture : ::testing::Test {
    test::EditorDriver d;
    void SetUp() override
    {
        d.addSignals(3);
        d.editor.diagram().settings.nameColumnWidth = 100;
    }
    model::RecordList& list(model::ListId id) { return d.editor.diagram().store.list(id); }
    edit::InteractionState& state() { return d.editor.state(); }
    void clickAt(int row, int cell) { d.click(d.cellX(cell), d.rowY(row, true)); }
    std::string coordinates(int x1, int y1, int x2, int y2)
    {
        return std::to_string(x1) + "." + std::to_string(y1) + "." + std::to_string(x2) + "." + std::to_string(y2) + ".";
    }
};

} // namespace

TEST(AnnotationPoints, EndsRoundToTheNearestFive)
{
    const std::pair<int, int> cases[] = {{123, 125}, {122, 120}, {120, 120}, {124, 125}, {-3, -5}, {-2, 0}};
    for (auto [in, out] : cases)
        EXPECT_EQ(edit::roundToFive(in), out) << in;
}

TEST_F(AnnotationFixture, ArrowClicksOfEveryShapeWriteTheWholeRecord)
{
    struct Case {
        int tool;
        int bendCommand;
        int firstRow;
        std::string tail; // head, colour, kind, bend, anchors
    };
    const Case cases[] = {
        {cmd::ToolBezierArrow, cmd::AngledWireLeft, 0, "0.0.0.0.0.0."},
        {cmd::ToolStraightArrow, cmd::AngledWireLeft, 0, "0.0.1.0.0.0."},
        {cmd::ToolAngledWire, cmd::AngledWireRight, 0, "0.0.2.1.0.0."},
        {cmd::ToolFloatingArrow, cmd::AngledWireLeft, 7, "0.0.1.0.1.1."},
    };
    for (const Case& c : cases) {
        list(model::ListId::Arrows).clear();
        d.editor.execute(c.bendCommand);
        ASSERT_TRUE(d.editor.execute(c.tool));
        const int snapshots = d.snapshots;
        const int y0 = d.rowY(c.firstRow, true);
        d.click(d.cellX(2), y0);
        EXPECT_EQ(state().arrowStep, edit::kStepFirstPointPlaced);
        clickAt(1, 5);
        ASSERT_EQ(list(model::ListId::Arrows).count(), 1);
        // A floating arrow may start below the last row: its point names the last row.
        const std::string first = c.firstRow > 2 ? "2.Default Signal 3." : "2.Default Signal.";
        EXPECT_EQ(list(model::ListId::Arrows).get(0),
                  first + "5.Default Signal 2." + c.tail + coordinates(d.cellX(2), y0, d.cellX(5), d.rowY(1, true)))
            << c.tool;
        EXPECT_EQ(state().arrowStep, edit::kStepIdle);
        EXPECT_EQ(state().currentTool, Tool::Select);
        EXPECT_EQ(state().selectionKind, edit::SelectionKind::Arrow);
        EXPECT_EQ(d.snapshots - snapshots, 1);
    }
}

TEST_F(AnnotationFixture, AnchoredArrowsDeclinePointsOutsideTheRowsAndCells)
{
    d.editor.execute(cmd::ToolBezierArrow);
    d.click(d.cellX(2), d.rowY(6, true)); // below the last row
    EXPECT_EQ(state().currentTool, Tool::Arrow);
    d.click(d.cellX(40), d.rowY(0, true)); // past the last editable cell
    EXPECT_EQ(list(model::ListId::Arrows).count(), 0);
    EXPECT_EQ(state().arrowStep, edit::kStepIdle);
}

TEST_F(AnnotationFixture, ScrolledArrowsStoreUnscrolledCoordinates)
{
    d.editor.diagram().settings.firstVisibleCell = 4;
    d.editor.diagram().settings.verticalScroll = 2; // one row down
    d.editor.execute(cmd::ToolStraightArrow);
    clickAt(1, 6);
    clickAt(2, 8);
    const ArrowRecord a = ArrowRecord::read(list(model::ListId::Arrows).get(0));
    EXPECT_EQ(a.beginCell, "6");
    EXPECT_EQ(a.beginName, "Default Signal 2");
    EXPECT_EQ(a.x1, d.cellX(6) + 4 * 30);
    EXPECT_EQ(a.y1, d.rowY(1, true) + 44);
}

TEST_F(AnnotationFixture, ArrowPropertiesChangeTheCurrentArrow)
{
    list(model::ListId::Arrows).append("2.Default Signal.5.Default Signal 2.0.0.0.0.0.0.0.0.0.0.");
    list(model::ListId::Arrows).setSelection(0);
    state().currentTool = Tool::Select;
    state().selectionKind = edit::SelectionKind::Arrow;
    struct Step {
        int command;
        const char* expected;
    };
    const Step steps[] = {
        {cmd::ctx::HeadBoth, "2.Default Signal.5.Default Signal 2.2.0.0.0.0.0.0.0.0.0."},
        {cmd::ctx::StyleAngled, "2.Default Signal.5.Default Signal 2.2.0.2.0.0.0.0.0.0.0."},
        {cmd::kArrowSnapBegin[3], "2.Default Signal.5.Default Signal 2.2.0.2.0.8.0.0.0.0.0."},
        {cmd::kArrowSnapEnd[8], "2.Default Signal.5.Default Signal 2.2.0.2.0.8.5.0.0.0.0."},
    };
    for (const Step& s : steps) {
        d.editor.execute(s.command);
        EXPECT_EQ(list(model::ListId::Arrows).get(0), s.expected) << s.command;
        EXPECT_TRUE(d.editor.commandState(s.command)->checked) << s.command;
    }
    EXPECT_FALSE(d.editor.commandState(cmd::ctx::HeadEnd)->checked);
    d.ui.colours = {255u};
    d.editor.execute(cmd::ctx::EditArrowColour);
    EXPECT_EQ(ArrowRecord::read(list(model::ListId::Arrows).get(0)).colour, 255u);
}

TEST_F(AnnotationFixture, SnapToggleFloatsAndAnchorsAnArrow)
{
    // Floating ends at (200, 30) and (300, 80): cells 3 and 6, rows 0 and 1.
    list(model::ListId::Arrows).append("1.x.1.x.0.0.1.0.1.1.200.30.300.80.");
    list(model::ListId::Arrows).setSelection(0);
    state().selectionKind = edit::SelectionKind::Arrow;
    EXPECT_FALSE(d.editor.commandState(cmd::kArrowSnapBegin[3])->enabled) << "no anchors while both float";
    EXPECT_FALSE(d.editor.commandState(cmd::ctx::SnapOn)->checked);
    d.editor.execute(cmd::ctx::SnapOn);
    ArrowRecord a = ArrowRecord::read(list(model::ListId::Arrows).get(0));
    EXPECT_EQ(a.beginPoint() + a.endPoint(), "3.Default Signal.6.Default Signal 2.");
    EXPECT_EQ(a.beginAnchor, 0);
    EXPECT_EQ(a.endAnchor, 0);
    EXPECT_TRUE(d.editor.commandState(cmd::ctx::SnapOn)->checked);
    d.editor.execute(cmd::ctx::SnapOn);
    a = ArrowRecord::read(list(model::ListId::Arrows).get(0));
    EXPECT_EQ(a.beginAnchor, 1);
    // Drawn at the middle of row 0 (20 + 8) at the left of cell 3 (105 + 90), 5 into the slant.
    EXPECT_EQ(a.x1, 105 + 90 + 5);
    EXPECT_EQ(a.y1, 28);
}

TEST_F(AnnotationFixture, ReplacingAnEndKeepsTheArrowsStyleAndRoundsTheEnd)
{
    list(model::ListId::Arrows).append("2.Default Signal.5.Default Signal 2.1.255.2.1.9.7.10.20.30.40.");
    list(model::ListId::Arrows).setSelection(0);
    state().selectionKind = edit::SelectionKind::Arrow;
    state().drag = {edit::Drag::EndReplacement, 0, 0, 1, edit::Hover::HandleEnd};
    d.editor.tools().arrowRubberBand(0, 0);
    EXPECT_EQ(list(model::ListId::Arrows).get(0), "2.Default Signal.");
    EXPECT_EQ(state().arrowStep, edit::kStepFirstPointPlaced);
    state().drag = {};
    const int y = d.rowY(2, true);
    ASSERT_TRUE(d.editor.tools().replaceArrowEnd(d.cellX(7) + 3, y)); // x = 123 + 2 × 30 + ... rounds
    const ArrowRecord a = ArrowRecord::read(list(model::ListId::Arrows).get(0));
    EXPECT_EQ(a.beginPoint() + a.endPoint(), "2.Default Signal.7.Default Signal 3.");
    EXPECT_EQ((std::array<int, 6>{a.head, static_cast<int>(a.colour), a.kind, a.bend, a.beginAnchor, a.endAnchor}),
              (std::array<int, 6>{1, 255, 2, 1, 9, 7}));
    EXPECT_EQ(a.x1, 10);
    EXPECT_EQ(a.x2, edit::roundToFive(d.cellX(7) + 3));
    EXPECT_EQ(a.x2 % 5, 0);
    EXPECT_EQ(state().currentTool, Tool::Select);
}

TEST_F(AnnotationFixture, TimeBreaksAreAddedOnceAndDownTheColumnOnYes)
{
    d.editor.execute(cmd::ToolTimeBreak);
    clickAt(1, 4);
    clickAt(1, 4);
    EXPECT_EQ(list(model::ListId::TimeBreaks).records(), (std::vector<std::string>{"4.Default Signal 2."}));
    EXPECT_TRUE(d.ui.questions.empty());
    d.ui.answers = {true};
    clickAt(0, 6);
    ASSERT_EQ(d.ui.questions.size(), 1u);
    EXPECT_EQ(d.ui.questions[0], (test::FakeUiPort::Asked{
                                     "Do you want to add a TIMEBREAK down the entire column (on all the signals)?",
                                     "Column Break?"}));
    EXPECT_EQ(list(model::ListId::TimeBreaks).count(), 4);
    EXPECT_EQ(list(model::ListId::TimeBreaks).get(3), "6.Default Signal 3.");
    EXPECT_EQ(state().currentTool, Tool::TimeBreak) << "the tool stays";
    d.ui.answers = {false};
    clickAt(0, 8);
    EXPECT_EQ(list(model::ListId::TimeBreaks).count(), 5);
}

TEST_F(AnnotationFixture, LabelClicksWriteTheLabelAndItsCaption)
{
    struct Case {
        int tool;
        const char* direction;
    };
    for (const Case& c : {Case{cmd::ToolLabelOutward, "0."}, Case{cmd::ToolLabelInward, "1."}}) {
        list(model::ListId::Labels).clear();
        list(model::ListId::Texts).clear();
        d.editor.execute(c.tool);
        edit::TextAttributes caption;
        caption.message = "tsu";
        d.ui.textAnswers = {caption};
        clickAt(0, 2);
        clickAt(0, 4);
        ASSERT_EQ(list(model::ListId::Labels).count(), 1);
        // On the first row the measure line goes below the row, clear of the frame: offset 2 x 16 + 12.
        EXPECT_EQ(list(model::ListId::Labels).get(0),
                  std::string("2.Default Signal.4.Default Signal.2.0.44.") + c.direction + "0.0.0.1.");
        ASSERT_EQ(list(model::ListId::Texts).count(), 1);
        const edit::TextBoxValues box = edit::TextBoxValues::read(list(model::ListId::Texts).get(0));
        EXPECT_EQ(box.attachment, "WFLabel*0*");
        EXPECT_EQ(box.message, "tsu");
        EXPECT_TRUE(d.ui.textDialogs.back().attachHidden);
        EXPECT_EQ(state().currentTool, Tool::Select);
        EXPECT_EQ(state().labelStep, edit::kStepIdle);
        EXPECT_EQ(state().selectedRow, -1);
    }
}

TEST_F(AnnotationFixture, LabelPropertiesAndTheMiddleHandle)
{
    list(model::ListId::Labels).append("2.Default Signal.4.Default Signal.2.0.0.0.0.0.0.1.");
    list(model::ListId::Labels).setSelection(0);
    state().selectionKind = edit::SelectionKind::Label;
    const std::pair<int, const char*> steps[] = {
        {cmd::ctx::PointInside, "2.Default Signal.4.Default Signal.2.0.0.1.0.0.0.1."},
        {cmd::ctx::HeadNone, "2.Default Signal.4.Default Signal.3.0.0.1.0.0.0.1."},
        {cmd::ctx::CrossingNo, "2.Default Signal.4.Default Signal.3.0.0.1.0.0.0.0."},
        {cmd::kLabelSnapBegin[0], "2.Default Signal.4.Default Signal.3.0.0.1.0.4.0.0."},
        {cmd::kLabelSnapEnd[6], "2.Default Signal.4.Default Signal.3.0.0.1.0.4.3.0."},
    };
    for (auto [command, expected] : steps) {
        d.editor.execute(command);
        EXPECT_EQ(list(model::ListId::Labels).get(0), expected) << command;
        EXPECT_TRUE(d.editor.commandState(command)->checked) << command;
    }
    d.editor.tools().moveLabelMiddle(-7);
    EXPECT_EQ(model::fields::intField(list(model::ListId::Labels).get(0), 6), -7);
    d.editor.tools().nudgeLabel(0, 1);
    EXPECT_EQ(model::fields::intField(list(model::ListId::Labels).get(0), 6), -6);
}

// The selected time break is drawn with the dotted pen whatever the tool; with the time-break
// tool the current break is the selected one (Tab steps it, Delete removes it).
TEST_F(AnnotationFixture, TheSelectedTimeBreakIsDottedUnderEveryTool)
{
    const std::string name(model::fields::nameOfRow(d.record(1)));
    list(model::ListId::TimeBreaks).append("3." + name + ".");
    list(model::ListId::TimeBreaks).setSelection(0);
    const struct {
        const char* what;
        Tool tool;
        edit::SelectionKind kind;
        bool dotted;
    } cases[] = {
        {"select tool", Tool::Select, edit::SelectionKind::TimeBreak, true},
        {"draw tool", Tool::Draw, edit::SelectionKind::TimeBreak, true},
        {"arrow tool", Tool::Arrow, edit::SelectionKind::TimeBreak, true},
        {"time-break tool", Tool::TimeBreak, edit::SelectionKind::None, true},
        {"a signal selected", Tool::Select, edit::SelectionKind::Signal, false},
    };
    for (const auto& c : cases) {
        state().currentTool = c.tool;
        state().selectionKind = c.kind;
        render::RecordingSurface surface;
        d.editor.redraw(surface);
        std::vector<render::Pen> pens;
        for (const auto& shape : surface.shapes())
            if (shape.kind == "bezier")
                pens.push_back(shape.pen);
        ASSERT_EQ(pens.size(), 6u) << c.what;
        EXPECT_EQ(pens[0], c.dotted ? render::Pen::dotted(model::kBlack) : render::Pen::solid(model::kBlack)) << c.what;
    }
}

// A text box flagged in the text selection has no outline, whatever is selected now; its dotted
// frame shows only while text boxes are the selection.
TEST_F(AnnotationFixture, AFlaggedTextBoxLosesItsOutlineUnderEverySelection)
{
    list(model::ListId::Texts).append("200.100.240.116.note.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    const struct {
        const char* what;
        bool flagged;
        edit::SelectionKind kind;
        int outlines; // white-filled rectangles around the text
        int frames;   // dotted rectangles
    } cases[] = {
        {"not flagged", false, edit::SelectionKind::Signal, 1, 0},
        {"flagged, text selection", true, edit::SelectionKind::TextBox, 0, 1},
        {"flagged, a signal selected", true, edit::SelectionKind::Signal, 0, 0},
        {"flagged, an arrow selected", true, edit::SelectionKind::Arrow, 0, 0},
    };
    for (const auto& c : cases) {
        state().clearTextSelection();
        state().textSelected[0] = c.flagged;
        state().selectionKind = c.kind;
        render::RecordingSurface surface;
        d.editor.redraw(surface);
        int outlines = 0, frames = 0;
        for (const auto& shape : surface.shapes()) {
            if (shape.kind != "rectangle" || shape.points.empty() || shape.points[0].y != 100)
                continue;
            outlines += shape.brush == render::Brush::solid(model::kWhite) ? 1 : 0;
            frames += shape.pen == render::Pen::dotted(model::kBlack) ? 1 : 0;
        }
        EXPECT_EQ(outlines, c.outlines) << c.what;
        EXPECT_EQ(frames, c.frames) << c.what;
    }
}
