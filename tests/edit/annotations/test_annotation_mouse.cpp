#include <gtest/gtest.h>

#include "edit/annotations/ArrowRecord.h"
#include "edit/session/CommandIds.h"
#include "edit/mouse/KeyInput.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "support/EditorDriver.h"

using namespace sigmora;
using edit::ArrowRecord;
using edit::SelectionKind;
using model::ListId;

namespace {

constexpr int kSlantMiddle = 5; // a centre anchor sits half way into a 10-pixel slant

// Arrows and labels drawn by the full redraw on every refresh, clicked, dragged and nudged as a
// user would: three default signals, the waveform starting at x = 105, rows 44 pixels apart.
struct AnnotationMouse : ::testing::Test {
    test::EditorDriver d;
    void SetUp() override
    {
        d.addSignals(3);
        d.drawOnRefresh();
        d.editor.state().currentTool = edit::Tool::Select;
    }
    model::RecordList& list(ListId id) { return d.editor.diagram().store.list(id); }
    edit::InteractionState& state() { return d.editor.state(); }
    // Where a centre-anchored end of (cell, row) is drawn.
    render::Point anchor(int cell, int row) const
    {
        const render::Layout l = d.layout();
        return {l.waveOriginX() + cell * l.cellWidth + kSlantMiddle, l.middleLevel(l.signalTop(row))};
    }
    void add(ListId id, const std::string& record)
    {
        list(id).append(record);
        d.editor.refresh();
    }
    ArrowRecord arrow(int i = 0) { return ArrowRecord::read(list(ListId::Arrows).get(i)); }
    // A drag as the window sends it: the pointer hovers, the button goes down, moves, comes up.
    void drag(render::Point from, render::Point to)
    {
        d.hover(from.x, from.y);
        d.press(from.x, from.y);
        d.moveHeld((from.x + to.x) / 2, (from.y + to.y) / 2);
        d.moveHeld(to.x, to.y);
        d.release(to.x, to.y);
    }
    void key(edit::KeyPress::Key k, bool alt = false)
    {
        edit::KeyPress press;
        press.key = k;
        press.alt = alt;
        edit::keyDown(d.editor, press);
    }
};

} // namespace

TEST_F(AnnotationMouse, ClicksOnTheDrawnPathsSelectArrowsAndLabels)
{
    const render::Point a = anchor(2, 0), b = anchor(8, 0), c = anchor(8, 2);
    const render::Point curveMiddle{(a.x + c.x) / 2, (a.y + c.y) / 2};
    const render::Point label = anchor(3, 1), labelEnd = anchor(9, 1);
    const int measureY = label.y - d.layout().signalSpacing / 2 - d.layout().signalHeight;
    struct Case {
        const char* what;
        ListId list;
        std::string record;
        render::Point click;
        SelectionKind selected;
    };
    const std::string straight = "2.Default Signal.8.Default Signal.0.0.1.0.0.0.0.0.0.0.";
    const std::string bezier = "2.Default Signal.8.Default Signal 3.0.0.0.0.0.0.0.0.0.0.";
    const std::string labelRecord = "3.Default Signal 2.9.Default Signal 2.2.0.0.0.0.0.0.1.";
    const Case cases[] = {
        {"5 px off a straight line", ListId::Arrows, straight, {(a.x + b.x) / 2, a.y + 5}, SelectionKind::Arrow},
        {"6 px off: a neighbour is on it", ListId::Arrows, straight, {(a.x + b.x) / 2, a.y - 6}, SelectionKind::Arrow},
        {"7 px off a straight line", ListId::Arrows, straight, {(a.x + b.x) / 2, a.y + 7}, SelectionKind::Signal},
        {"past the line's end", ListId::Arrows, straight, {b.x + 9, b.y}, SelectionKind::Signal},
        {"the middle of a curve", ListId::Arrows, bezier, curveMiddle, SelectionKind::Arrow},
        {"under a curve's chord", ListId::Arrows, bezier, {curveMiddle.x, a.y + 5}, SelectionKind::Signal},
        {"a label's measure line", ListId::Labels, labelRecord, {(label.x + labelEnd.x) / 2, measureY + 4}, SelectionKind::Label},
        {"a label's begin extension", ListId::Labels, labelRecord, {label.x + 3, label.y - 5}, SelectionKind::Label},
        {"beside a label's extension", ListId::Labels, labelRecord, {label.x + 8, label.y - 5}, SelectionKind::Signal},
    };
    for (const Case& k : cases) {
        list(ListId::Arrows).clear();
        list(ListId::Labels).clear();
        state().currentTool = edit::Tool::Select;
        state().selectionKind = SelectionKind::None;
        add(k.list, k.record);
        d.click(k.click.x, k.click.y);
        EXPECT_EQ(state().selectionKind, k.selected) << k.what;
        EXPECT_EQ(list(k.list).selection(), k.selected == SelectionKind::Signal ? -1 : 0) << k.what;
        // Selecting an annotation deselects the row the press landed on; missing it selects that row.
        EXPECT_EQ(state().selectedRow >= 0, k.selected == SelectionKind::Signal) << k.what;
    }
}

TEST_F(AnnotationMouse, OverlappingDrawnAnnotationsRotateUnderRepeatedClicks)
{
    add(ListId::TimeBreaks, "4.Default Signal.");
    add(ListId::Arrows, "2.Default Signal.8.Default Signal.0.0.1.0.0.0.0.0.0.0.");
    add(ListId::Labels, "4.Default Signal.6.Default Signal 2.2.0.0.0.0.0.0.1.");
    const render::Point spot{anchor(4, 0).x, anchor(4, 0).y + 2}; // on all three
    const SelectionKind expected[] = {SelectionKind::TimeBreak, SelectionKind::Arrow, SelectionKind::Label,
                                      SelectionKind::Signal, SelectionKind::TimeBreak};
    for (SelectionKind kind : expected) {
        d.click(spot.x, spot.y);
        EXPECT_EQ(state().selectionKind, kind);
    }
}

TEST_F(AnnotationMouse, HandlesReplaceAnEndAndKeepTheArrowsValues)
{
    const std::string record = "2.Default Signal.8.Default Signal.2.255.1.1.0.0.0.0.0.0.";
    struct Case {
        const char* what;
        render::Point handle;
        render::Point drop;
        std::string points; // begin and end point texts afterwards
        int snapshots;
    };
    const Case cases[] = {
        {"end to row 2, cell 5", anchor(8, 0), anchor(5, 2), "2.Default Signal.5.Default Signal 3.", 1},
        {"begin to row 1, cell 1", anchor(2, 0), anchor(1, 1), "1.Default Signal 2.8.Default Signal.", 1},
        {"end dropped below the rows", anchor(8, 0), {anchor(5, 2).x, anchor(5, 2).y + 200}, "2.Default Signal.8.Default Signal.", 0},
    };
    for (const Case& c : cases) {
        list(ListId::Arrows).clear();
        add(ListId::Arrows, record);
        d.click((anchor(2, 0).x + anchor(8, 0).x) / 2, anchor(2, 0).y); // select it by its path
        ASSERT_EQ(state().selectionKind, SelectionKind::Arrow) << c.what;
        const int snapshots = d.snapshots;
        drag(c.handle, c.drop);
        const ArrowRecord a = arrow();
        EXPECT_EQ(a.beginPoint() + a.endPoint(), c.points) << c.what;
        EXPECT_EQ((std::array<int, 4>{a.head, static_cast<int>(a.colour), a.kind, a.bend}),
                  (std::array<int, 4>{2, 255, 1, 1}))
            << c.what;
        EXPECT_EQ(d.snapshots - snapshots, c.snapshots) << c.what;
        EXPECT_EQ(state().currentTool, edit::Tool::Select) << c.what;
        EXPECT_EQ(state().selectionKind, SelectionKind::Arrow) << c.what;
        EXPECT_EQ(state().arrowStep, edit::kStepIdle) << c.what;
        EXPECT_EQ(state().drag.kind, edit::Drag::None) << c.what;
    }
}

TEST_F(AnnotationMouse, LabelHandlesReplaceAnEndAndTheMiddleHandleMovesTheCaption)
{
    add(ListId::Labels, "3.Default Signal.9.Default Signal 2.2.0.0.0.0.0.0.1.");
    add(ListId::Texts, "0.0.20.10.tsu.WFLabel*0*.0.Arial.8.0.0.0.0.0.0.0.");
    const render::Point b = anchor(3, 0), e = anchor(9, 1);
    d.click(b.x + 2, b.y + 4); // on the begin extension line
    ASSERT_EQ(state().selectionKind, SelectionKind::Label);
    const render::TextBoxHit captionBefore = *d.editor.annotationHits().textBox(0);
    const render::LabelHit lines = *d.editor.annotationHits().label(0);
    const render::Point middle{(b.x + e.x) / 2, lines.measureY};

    const int snapshots = d.snapshots;
    drag(middle, {middle.x + 40, middle.y + 12}); // only the vertical distance counts
    EXPECT_EQ(model::fields::intField(list(ListId::Labels).get(0), 6), 12);
    EXPECT_EQ(d.snapshots - snapshots, 1);
    EXPECT_EQ(d.editor.annotationHits().label(0)->measureY, lines.measureY + 12);
    EXPECT_EQ(d.editor.annotationHits().textBox(0)->box.top, captionBefore.box.top + 12);
    EXPECT_EQ(state().labelStep, edit::kStepIdle);

    drag(e, anchor(11, 2));
    EXPECT_EQ(list(ListId::Labels).get(0), "3.Default Signal.11.Default Signal 3.2.0.12.0.0.0.0.1.");
    EXPECT_EQ(state().selectionKind, SelectionKind::Label);
}

TEST_F(AnnotationMouse, MovingAnArrowAsksAboutSnappingOnlyWhenAnchored)
{
    const render::Point a = anchor(2, 0), b = anchor(8, 1);
    const std::string anchored = "2.Default Signal.8.Default Signal 2.0.0.1.0.0.0.0.0.0.0.";
    const std::string floating = "2.Default Signal.8.Default Signal 2.0.0.1.0.1.1.150.40.300.90.";
    struct Case {
        const char* what;
        std::string record;
        std::deque<bool> answers;
        size_t questions;
        int anchors;            // both anchors afterwards
        std::array<int, 4> ends; // stored coordinates afterwards
        int snapshots;
    };
    const int dx = 20, dy = 10;
    const Case cases[] = {
        {"floating: stays where dropped", floating, {}, 0, 1, {150 + dx, 40 + dy, 300 + dx, 90 + dy}, 1},
        {"anchored, Yes: floats where dropped", anchored, {true}, 1, 1, {a.x + dx, a.y + dy, b.x + dx, b.y + dy}, 1},
        // The toggle changes the arrow: that is an undo step as every change is.
        {"anchored, No: the snap toggle", anchored, {false}, 1, 1, {a.x, a.y, b.x, b.y}, 1},
    };
    for (const Case& c : cases) {
        list(ListId::Arrows).clear();
        add(ListId::Arrows, c.record);
        const render::Point from = d.editor.annotationHits().arrow(0)->begin;
        const render::Point to = d.editor.annotationHits().arrow(0)->end;
        const render::Point middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
        d.click(middle.x, middle.y);
        ASSERT_EQ(state().selectionKind, SelectionKind::Arrow) << c.what;
        d.ui.questions.clear();
        d.ui.answers.assign(c.answers.begin(), c.answers.end());
        const int snapshots = d.snapshots;
        drag(middle, {middle.x + dx, middle.y + dy});
        const ArrowRecord r = arrow();
        EXPECT_EQ(d.ui.questions.size(), c.questions) << c.what;
        EXPECT_EQ(r.beginAnchor, c.anchors) << c.what;
        EXPECT_EQ(r.endAnchor, c.anchors) << c.what;
        EXPECT_EQ((std::array<int, 4>{r.x1, r.y1, r.x2, r.y2}), c.ends) << c.what;
        EXPECT_EQ(d.snapshots - snapshots, c.snapshots) << c.what;
        EXPECT_EQ(state().selectionKind, SelectionKind::Arrow) << c.what;
    }
    ASSERT_FALSE(d.ui.questions.empty());
    EXPECT_EQ(d.ui.questions[0].text, "Do you want to turn the snap-to-grid feature off?");
}

TEST_F(AnnotationMouse, ArrowKeysNudgeTheEndOfTheLastPressedHandle)
{
    using K = edit::KeyPress::Key;
    using H = edit::Hover;
    const std::string floating = "2.Default Signal.8.Default Signal 2.0.0.1.0.1.1.123.40.300.90.";
    const std::string anchored = "2.Default Signal.255.Default Signal 2.0.0.1.0.0.0.0.0.0.0.";
    struct Case {
        std::string record;
        H handle;
        K key;
        bool alt;
        std::string points;       // begin and end point texts afterwards
        std::array<int, 4> ends;  // stored coordinates afterwards
    };
    const Case cases[] = {
        {floating, H::HandleMiddle, K::Right, false, "2.Default Signal.8.Default Signal 2.", {125, 40, 305, 90}},
        {floating, H::HandleMiddle, K::Left, false, "2.Default Signal.8.Default Signal 2.", {120, 40, 295, 90}},
        {floating, H::HandleEnd, K::Up, false, "2.Default Signal.8.Default Signal 2.", {123, 40, 300, 85}},
        {floating, H::HandleBegin, K::Right, true, "2.Default Signal.8.Default Signal 2.", {124, 40, 300, 90}},
        {floating, H::HandleMiddle, K::Down, true, "2.Default Signal.8.Default Signal 2.", {123, 41, 300, 91}},
        {anchored, H::HandleBegin, K::Left, false, "1.Default Signal.255.Default Signal 2.", {0, 0, 0, 0}},
        {anchored, H::HandleMiddle, K::Right, false, "3.Default Signal.255.Default Signal 2.", {0, 0, 0, 0}},
        {anchored, H::HandleMiddle, K::Down, false, "2.Default Signal 2.255.Default Signal 3.", {0, 0, 0, 0}},
        {anchored, H::HandleMiddle, K::Up, false, "2.Default Signal.255.Default Signal.", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        list(ListId::Arrows).clear();
        add(ListId::Arrows, c.record);
        list(ListId::Arrows).setSelection(0);
        state().selectionKind = SelectionKind::Arrow;
        state().lastHandle = c.handle;
        key(c.key, c.alt);
        const ArrowRecord a = arrow();
        EXPECT_EQ(a.beginPoint() + a.endPoint(), c.points) << c.record << " " << static_cast<int>(c.key);
        EXPECT_EQ((std::array<int, 4>{a.x1, a.y1, a.x2, a.y2}), c.ends) << c.record << " " << static_cast<int>(c.key);
    }
    // While an end is being re-placed the current record is half made: the keys leave it alone.
    list(ListId::Arrows).replace(0, "2.Default Signal.");
    state().arrowStep = edit::kStepFirstPointPlaced;
    key(K::Right);
    EXPECT_EQ(list(ListId::Arrows).get(0), "2.Default Signal.");
}

TEST_F(AnnotationMouse, LabelKeysMoveItsOffsetAndTheChosenEnd)
{
    using K = edit::KeyPress::Key;
    using H = edit::Hover;
    struct Case {
        H handle;
        K key;
        std::string record; // afterwards
        int snapshots;
    };
    const Case cases[] = {
        {H::HandleBegin, K::Left, "0.Default Signal.4.Default Signal 2.2.0.0.0.0.0.0.1.", 0},
        {H::HandleEnd, K::Right, "1.Default Signal.5.Default Signal 2.2.0.0.0.0.0.0.1.", 0},
        {H::HandleMiddle, K::Left, "0.Default Signal.3.Default Signal 2.2.0.0.0.0.0.0.1.", 0},
        {H::HandleMiddle, K::Up, "1.Default Signal.4.Default Signal 2.2.0.-1.0.0.0.0.1.", 0},
    };
    for (const Case& c : cases) {
        list(ListId::Labels).clear();
        add(ListId::Labels, "1.Default Signal.4.Default Signal 2.2.0.0.0.0.0.0.1.");
        list(ListId::Labels).setSelection(0);
        state().selectionKind = SelectionKind::Label;
        state().lastHandle = c.handle;
        const int snapshots = d.snapshots;
        key(c.key);
        EXPECT_EQ(list(ListId::Labels).get(0), c.record);
        EXPECT_EQ(d.snapshots - snapshots, c.snapshots);
        // The run of nudges is one undo step, taken when it ends.
        d.editor.settleRun();
        EXPECT_EQ(d.snapshots - snapshots, 1);
    }
    // Never below column 0.
    key(K::Left);
    key(K::Left);
    EXPECT_EQ(model::fields::intField(list(ListId::Labels).get(0), 0), 0);
}

TEST_F(AnnotationMouse, PreviewsFollowThePointerWhileMakingAndDragging)
{
    const render::Point a = anchor(2, 0), b = anchor(8, 1), pointer{400, 130};
    struct Case {
        const char* what;
        std::function<void()> start; // leaves the button held or a first point placed
        std::optional<render::Piece> band;
        std::optional<int> labelY;
    };
    const Case cases[] = {
        {"a new arrow's first point",
         [&] {
             d.editor.execute(edit::cmd::ToolStraightArrow);
             d.click(a.x, a.y + 1);
             d.hover(pointer.x, pointer.y);
         },
         render::Piece{{a.x, a.y + 1}, pointer}, std::nullopt},
        {"an arrow's end re-placed",
         [&] {
             add(ListId::Arrows, "2.Default Signal.8.Default Signal 2.0.0.1.0.0.0.0.0.0.0.");
             d.click((a.x + b.x) / 2, (a.y + b.y) / 2);
             d.hover(b.x, b.y);
             d.press(b.x, b.y);
             d.moveHeld(pointer.x, pointer.y);
         },
         render::Piece{a, pointer}, std::nullopt},
        {"an anchored arrow moved",
         [&] {
             add(ListId::Arrows, "2.Default Signal.8.Default Signal 2.0.0.1.0.0.0.0.0.0.0.");
             const render::Point m{(a.x + b.x) / 2, (a.y + b.y) / 2};
             d.click(m.x, m.y);
             d.hover(m.x, m.y);
             d.press(m.x, m.y);
             d.moveHeld(m.x + 10, m.y + 20);
         },
         render::Piece{{a.x + 10, a.y + 20}, {b.x + 10, b.y + 20}}, std::nullopt},
        {"a label's middle handle",
         [&] {
             add(ListId::Labels, "2.Default Signal.8.Default Signal 2.2.0.0.0.0.0.0.1.");
             d.click(a.x + 1, a.y + 3);
             const render::LabelHit l = *d.editor.annotationHits().label(0);
             d.hover((a.x + b.x) / 2, l.measureY);
             d.press((a.x + b.x) / 2, l.measureY);
             d.moveHeld(pointer.x, pointer.y);
         },
         std::nullopt, pointer.y},
    };
    for (const Case& c : cases) {
        list(ListId::Arrows).clear();
        list(ListId::Labels).clear();
        c.start();
        const render::AnnotationSelection shown = d.editor.annotationSelection();
        EXPECT_EQ(shown.rubberBand, c.band) << c.what;
        EXPECT_EQ(shown.labelDragY, c.labelY) << c.what;
        d.release(pointer.x, pointer.y);
        d.ui.answers = {true}; // abandon a half-made arrow
        d.editor.execute(edit::cmd::ModeEdit);
    }
}

TEST_F(AnnotationMouse, BrokenAnnotationsStayUsableAndRoundTrip)
{
    using K = edit::KeyPress::Key;
    struct Case {
        const char* what;
        std::function<void()> make;
        ListId list;
        int records;
    };
    const Case cases[] = {
        {"an arrow whose rows were deleted",
         [&] {
             add(ListId::Arrows, "2.Default Signal 2.8.Default Signal 3.0.0.1.0.0.0.0.0.0.0.");
             list(ListId::Signals).remove(2);
             list(ListId::Signals).remove(1);
         },
         ListId::Arrows, 1},
        {"a label whose caption was deleted",
         [&] {
             add(ListId::Labels, "2.Default Signal.8.Default Signal 2.2.0.0.0.0.0.0.1.");
             add(ListId::Texts, "0.0.20.10.tsu.WFLabel*0*.0.Arial.8.0.0.0.0.0.0.0.");
             list(ListId::Texts).remove(0);
         },
         ListId::Labels, 1},
        {"256 time breaks down one column",
         [&] {
             d.addSignals(model::kMaxRows - list(ListId::Signals).count());
             d.editor.execute(edit::cmd::ToolTimeBreak);
             d.ui.answers = {true};
             d.click(anchor(4, 0).x, anchor(4, 0).y);
             d.editor.execute(edit::cmd::ModeEdit);
         },
         ListId::TimeBreaks, model::kMaxRows},
    };
    for (const Case& c : cases) {
        c.make();
        d.editor.refresh();
        // Click over everything the annotation could be on, drag from there and press the arrow keys.
        for (int row = 0; row < 3; ++row) {
            for (int cell = 0; cell < 10; cell += 2) {
                const render::Point p = anchor(cell, row);
                drag(p, {p.x + 30, p.y + 44});
                d.click(p.x, p.y);
                for (K k : {K::Left, K::Right, K::Up, K::Down})
                    key(k);
            }
        }
        EXPECT_EQ(list(c.list).count(), c.records) << c.what;
        std::string bytes, again;
        io::writeNativeFile(d.editor.diagram(), bytes);
        model::Diagram reopened;
        ASSERT_EQ(io::readNativeFile(bytes, reopened).status, io::ReadResult::Status::Ok) << c.what;
        io::writeNativeFile(reopened, again);
        EXPECT_EQ(again, bytes) << c.what;
        EXPECT_EQ(reopened.store.list(c.list).records(), list(c.list).records()) << c.what;
    }
}

