#include <gtest/gtest.h>

#include <functional>

#include "edit/session/CommandIds.h"
#include "edit/mouse/KeyInput.h"
#include "edit/mouse/SelectionSteps.h"
#include "edit/annotations/TextBoxes.h"
#include "io/native/NativeFileWriter.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
using edit::KeyPress;
using Key = KeyPress::Key;
using Asked = test::FakeUiPort::Asked;

namespace {

std::string textRecord(int left, int top, const std::string& message, const std::string& attachment = "SigmoraNone")
{
    return std::to_string(left) + "." + std::to_string(top) + "." + std::to_string(left + 40) + "." +
           std::to_string(top + 16) + "." + message + "." + attachment + ".     0.Arial.8.0.0.0.0.0.0.0.";
}

struct Selection : ::testing::Test, test::EditorDriver {
    void SetUp() override { addSignals(3); }
    model::RecordList& list(model::ListId id) { return editor.diagram().store.list(id); }
    bool key(Key k, bool shift = false, bool ctrl = false, bool alt = false, char c = 0)
    {
        KeyPress p;
        p.key = k;
        p.character = c;
        p.shift = shift;
        p.ctrl = ctrl;
        p.alt = alt;
        return edit::keyDown(editor, p);
    }
    void selectText(int index)
    {
        editor.state().selectionKind = edit::SelectionKind::TextBox;
        editor.state().currentTool = edit::Tool::Select;
        editor.state().textSelected[index] = true;
    }
    int textField(int index, int field) { return model::fields::intField(list(model::ListId::Texts).get(index), field); }
    std::string name(int row) const { return std::string(model::fields::nameOfRow(record(row))); }
};

} // namespace

TEST_F(Selection, TextStepsSnapToTheGridOrMoveOnePixelWithAlt)
{
    const struct {
        Key key;
        bool alt;
        int top;
    } cases[] = {{Key::Up, false, 16}, {Key::Down, false, 24}, {Key::Up, true, 21}, {Key::Down, true, 23}};
    for (const auto& c : cases) {
        list(model::ListId::Texts).clear();
        list(model::ListId::Texts).append(textRecord(200, 22, "note"));
        selectText(0);
        EXPECT_TRUE(key(c.key, false, false, c.alt));
        EXPECT_EQ(textField(0, 1), c.top);
        EXPECT_EQ(textField(0, 3), c.top + 16);
    }
}

TEST_F(Selection, TextStepsLeftAndRightAreAQuarterCell)
{
    list(model::ListId::Texts).append(textRecord(200, 60, "note"));
    selectText(0);
    key(Key::Left);
    EXPECT_EQ(textField(0, 0), 193);
    key(Key::Right);
    key(Key::Right);
    EXPECT_EQ(textField(0, 0), 207);
    EXPECT_EQ(textField(0, 2), 247);
    // A box that would go above the top margin stays where it is.
    list(model::ListId::Texts).replace(0, textRecord(200, 17, "high"));
    key(Key::Up);
    EXPECT_EQ(textField(0, 1), 17);
}

TEST_F(Selection, ArrowheadToggleTable)
{
    const int begin[] = {2, 3, 0, 1};
    const int end[] = {3, 2, 1, 0};
    for (int code = 0; code < 4; ++code) {
        EXPECT_EQ(edit::toggledArrowhead(code, true), begin[code]);
        EXPECT_EQ(edit::toggledArrowhead(code, false), end[code]);
    }
    auto& arrows = list(model::ListId::Arrows);
    arrows.setSelection(arrows.append("1.Default Signal.3.Default Signal 2.0.0.0.0.0.0.0.0.0.0."));
    EXPECT_TRUE(key(Key::Character, true, false, false, ','));
    EXPECT_EQ(model::fields::intField(arrows.get(0), 4), 2);
    EXPECT_TRUE(key(Key::Character, true, false, false, '.'));
    EXPECT_EQ(model::fields::intField(arrows.get(0), 4), 1);
}

TEST_F(Selection, TabWrapsThroughTheArrows)
{
    auto& arrows = list(model::ListId::Arrows);
    arrows.append("1.Default Signal.3.Default Signal 2.0.");
    arrows.append("2.Default Signal.4.Default Signal 2.0.");
    editor.state().selectionKind = edit::SelectionKind::Arrow;
    for (int expected : {0, 1, 0}) {
        key(Key::Tab);
        EXPECT_EQ(arrows.selection(), expected);
    }
    key(Key::Tab, true);
    EXPECT_EQ(arrows.selection(), 1);
}

TEST_F(Selection, TabStepsTheTextSelection)
{
    for (int i = 0; i < 3; ++i)
        list(model::ListId::Texts).append(textRecord(200 + 50 * i, 60, "t"));
    selectText(2);
    ASSERT_TRUE(editor.execute(cmd::TabNextSelection));
    EXPECT_TRUE(editor.state().textSelected[0]);
    EXPECT_FALSE(editor.state().textSelected[2]);
    key(Key::Tab, true);
    EXPECT_TRUE(editor.state().textSelected[2]);
    EXPECT_EQ(edit::selectedTextCount(editor), 1);
}

TEST_F(Selection, ShiftArrowsScrollWithinTheirLimits)
{
    editor.diagram().settings.verticalScroll = 480;
    key(Key::Down, true);
    EXPECT_EQ(editor.diagram().settings.verticalScroll, 480);
    key(Key::Up, true);
    EXPECT_EQ(editor.diagram().settings.verticalScroll, 478);
    key(Key::Left, true);
    EXPECT_EQ(editor.diagram().settings.firstVisibleCell, 0);
    key(Key::Right, true);
    EXPECT_EQ(editor.diagram().settings.firstVisibleCell, 2);
}

TEST_F(Selection, SignalsMoveWithTheirTextsAndGrids)
{
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const std::string first = name(0), second = name(1);
    const int pitch = layout().rowPitch();
    list(model::ListId::Texts).append(textRecord(200, 60, "on first", first));
    list(model::ListId::Texts).append(textRecord(200, 100, "on second", second));
    editor.diagram().store.floodStyles().set(0, 5, 3);
    editor.selectRow(0);
    key(Key::Up); // the first row cannot move up
    EXPECT_EQ(name(0), first);
    const int snapshotsBefore = snapshots;
    key(Key::Down);
    EXPECT_EQ(name(0), second);
    EXPECT_EQ(name(1), first);
    EXPECT_EQ(editor.state().selectedRow, 1);
    EXPECT_EQ(textField(0, 1), 60 + pitch);
    EXPECT_EQ(textField(1, 1), 100 - pitch);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(1, 5), 3);
    EXPECT_EQ(editor.diagram().store.floodStyles().get(0, 5), 0);
    EXPECT_EQ(snapshots, snapshotsBefore + 1);
}

TEST_F(Selection, DraggingANameMovesTheSignal)
{
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const std::string first = name(0);
    const render::Layout l = layout();
    const int x = l.nameMargin + 10;
    hover(x, l.middleLevel(l.signalTop(0)));
    press(x, l.middleLevel(l.signalTop(0)));
    ASSERT_EQ(editor.state().drag.kind, edit::Drag::SignalMove);
    moveHeld(x, l.signalTop(2) + 2);
    ASSERT_TRUE(editor.movePreview.has_value());
    release(x, l.signalTop(2) + 2);
    EXPECT_EQ(name(2), first);
    EXPECT_FALSE(editor.movePreview.has_value());
}

TEST_F(Selection, DeletingASignalAsksAndTakesItsAnnotations)
{
    const std::string victim = name(1), later = name(2);
    list(model::ListId::Arrows).append("1." + victim + ".3." + name(0) + ".0.");
    list(model::ListId::Arrows).append("1." + name(0) + ".3." + later + ".0.");
    list(model::ListId::TimeBreaks).append("4." + victim + ".");
    list(model::ListId::Texts).append(textRecord(200, 60, "mine", victim));
    list(model::ListId::Texts).append(textRecord(200, 100, "later", later));
    editor.diagram().store.edgeOffsets().set(2, 3, 7);
    editor.selectRow(1);
    editor.state().selectionKind = edit::SelectionKind::Signal;
    ui.answers = {false};
    key(Key::Delete);
    EXPECT_EQ(ui.questions.back(), (Asked{"Delete the signal: " + victim, "Are you sure?"}));
    EXPECT_EQ(editor.diagram().store.signalCount(), 3);
    ui.answers = {true};
    const int snapshotsBefore = snapshots;
    ASSERT_TRUE(editor.execute(cmd::ctx::Delete));
    EXPECT_EQ(editor.diagram().store.signalCount(), 2);
    EXPECT_EQ(name(1), later);
    EXPECT_EQ(list(model::ListId::Arrows).count(), 1);
    EXPECT_EQ(list(model::ListId::TimeBreaks).count(), 0);
    ASSERT_EQ(list(model::ListId::Texts).count(), 1);
    EXPECT_EQ(textField(0, 1), 100 - layout().rowPitch());
    EXPECT_EQ(editor.diagram().store.edgeOffsets().get(1, 3), 7);
    EXPECT_EQ(editor.state().selectedRow, -1);
    EXPECT_EQ(snapshots, snapshotsBefore + 1);
}

TEST_F(Selection, DeletingALabelRenumbersTheCaptions)
{
    auto& labels = list(model::ListId::Labels);
    for (int i = 0; i < 3; ++i)
        labels.append(std::to_string(i) + ".Default Signal." + std::to_string(i + 2) + ".Default Signal.2.0.0.0.0.0.0.1.");
    list(model::ListId::Texts).append(textRecord(10, 60, "a", "WFLabel*0*"));
    list(model::ListId::Texts).append(textRecord(10, 60, "b", "WFLabel*1*"));
    list(model::ListId::Texts).append(textRecord(10, 60, "c", "WFLabel*2*"));
    labels.setSelection(1);
    editor.state().selectionKind = edit::SelectionKind::Label;
    ui.answers = {true};
    key(Key::Delete);
    EXPECT_EQ(ui.questions.back(), (Asked{"Delete the currently selected label?", "Are you sure?"}));
    EXPECT_EQ(labels.count(), 2);
    ASSERT_EQ(list(model::ListId::Texts).count(), 2);
    EXPECT_EQ(*model::fields::textField(list(model::ListId::Texts).get(0), 5), "WFLabel*0*");
    EXPECT_EQ(*model::fields::textField(list(model::ListId::Texts).get(1), 5), "WFLabel*1*");
    EXPECT_EQ(labels.selection(), 0);
}

TEST_F(Selection, DeletingTimeBreaksByTheirRow)
{
    auto& breaks = list(model::ListId::TimeBreaks);
    breaks.append("4." + name(0) + ".");
    breaks.append("4." + name(1) + ".");
    breaks.append("6." + name(1) + ".");
    editor.state().selectionKind = edit::SelectionKind::TimeBreak;
    breaks.setSelection(0);
    ui.answers = {false};
    key(Key::Delete);
    EXPECT_EQ(ui.questions.back(),
              (Asked{"Do you want to delete each TIMEBREAK down the entire column (on all the signals)?", "Column Delete?"}));
    EXPECT_EQ(breaks.count(), 3);
    ui.answers = {true};
    key(Key::Delete);
    EXPECT_EQ(breaks.count(), 1);
    ui.answers = {true};
    key(Key::Delete);
    EXPECT_EQ(ui.questions.back(), (Asked{"Delete the currently selected time break?", "Are you sure?"}));
    EXPECT_EQ(breaks.count(), 0);
    key(Key::Delete); // nothing left: nothing asked
    EXPECT_EQ(ui.questions.size(), 3u);
}

TEST_F(Selection, DeletingTextBoxesAsksByCount)
{
    list(model::ListId::Texts).append(textRecord(200, 60, "a~QorWFPeriod~b"));
    list(model::ListId::Texts).append(textRecord(300, 60, "c"));
    selectText(0);
    ui.answers = {true};
    ASSERT_TRUE(editor.execute(cmd::EditCut));
    EXPECT_EQ(ui.questions.back(), (Asked{"Delete the text box message?\na.b", "Are you sure?"}));
    ASSERT_EQ(list(model::ListId::Texts).count(), 1);
    list(model::ListId::Texts).append(textRecord(400, 60, "d"));
    selectText(0);
    selectText(1);
    ui.answers = {false};
    key(Key::Delete);
    EXPECT_EQ(ui.questions.back(), (Asked{"Delete the selected text boxes?", "Are you sure?"}));
    EXPECT_EQ(list(model::ListId::Texts).count(), 2);
}

TEST_F(Selection, EscapeEndsEverythingHalfDoneAndChoosesTheSelectTool)
{
    auto& arrows = list(model::ListId::Arrows);
    arrows.setSelection(arrows.append("1.Default Signal."));
    editor.state().currentTool = edit::Tool::Arrow;
    editor.state().arrowStep = edit::kStepFirstPointPlaced;
    editor.state().rectangle.active = true;
    key(Key::Escape);
    EXPECT_EQ(arrows.count(), 0);
    EXPECT_EQ(editor.state().arrowStep, edit::kStepIdle);
    EXPECT_FALSE(editor.state().rectangle.active);
    EXPECT_EQ(editor.state().currentTool, edit::Tool::Select);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(Selection, KeysWithNothingSelectedChangeNothing)
{
    editor.deselectRow();
    editor.state().selectionKind = edit::SelectionKind::None;
    const std::string before = record(0) + record(1) + record(2);
    for (Key k : {Key::Left, Key::Right, Key::Up, Key::Down, Key::Tab, Key::Delete, Key::Insert})
        key(k);
    key(Key::Character, true, false, false, ',');
    key(Key::Character, false, true, false, 'A');
    EXPECT_EQ(record(0) + record(1) + record(2), before);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(Selection, CtrlArrowsNudgeTheNameColumnAndItsTexts)
{
    list(model::ListId::Texts).append(textRecord(200, 60, "free"));
    const int width = editor.diagram().settings.nameColumnWidth;
    key(Key::Right, false, true);
    key(Key::Right, false, true);
    key(Key::Left, false, true);
    EXPECT_EQ(editor.diagram().settings.nameColumnWidth, width + 1);
    EXPECT_EQ(textField(0, 0), 201);
}

// A saved diagram, a text box stepped by keys or the Move commands: the diagram is modified (Exit
// asks to save). A command is one undo step; a key starts a run of nudges that makes one undo
// step when it ends (the next thing done), none before.
TEST_F(Selection, TextMovesMarkTheDiagramModifiedAndTakeTheirSnapshots)
{
    const struct {
        const char* what;
        Key key;
        bool alt;
        int command; // 0: the key
        bool shift;
        int dx, dy;
        int snapshots;
    } cases[] = {
        {"Right key", Key::Right, false, 0, false, 7, 0, 0},
        {"Left key with Alt", Key::Left, true, 0, false, -1, 0, 0},
        {"Up key", Key::Up, false, 0, false, 0, -4, 0},
        {"Down key", Key::Down, false, 0, false, 0, 4, 0},
        {"Move right", Key::Right, false, cmd::MoveTextRight, false, 7, 0, 1},
        {"Move up", Key::Up, false, cmd::MoveUp, false, 0, -4, 1},
        // Shift repeats the step once per text box in the diagram (two here), one snapshot.
        {"Move left with Shift", Key::Left, false, cmd::MoveTextLeft, true, -14, 0, 1},
        {"Move down with Shift", Key::Down, false, cmd::MoveDown, true, 0, 8, 1},
    };
    for (const auto& c : cases) {
        list(model::ListId::Texts).clear();
        list(model::ListId::Texts).append(textRecord(200, 60, "note"));
        list(model::ListId::Texts).append(textRecord(300, 60, "other"));
        editor.state().clearTextSelection();
        selectText(0);
        editor.diagram().modified = false; // just saved
        const int before = snapshots;
        editor.shiftHeld = c.shift;
        if (c.command != 0)
            ASSERT_TRUE(editor.execute(c.command)) << c.what;
        else
            key(c.key, false, false, c.alt);
        editor.shiftHeld = false;
        EXPECT_EQ(textField(0, 0), 200 + c.dx) << c.what;
        EXPECT_EQ(textField(0, 1), 60 + c.dy) << c.what;
        EXPECT_EQ(textField(1, 0), 300) << c.what; // not selected
        EXPECT_TRUE(editor.diagram().modified) << c.what;
        EXPECT_EQ(snapshots - before, c.snapshots) << c.what;
        editor.settleRun();
        EXPECT_EQ(snapshots - before, 1) << c.what << ": one undo step once the run ends";
        // Key steps on a free box leave its drag distances alone.
        EXPECT_EQ(textField(0, 9), 0) << c.what;
        EXPECT_EQ(textField(0, 10), 0) << c.what;
    }
}

// A plain click on a text box only selects it: nothing to undo. A drag takes one snapshot and
// adds the distance, with its sign, to the box's drag distances.
TEST_F(Selection, ClickingATextBoxTakesASnapshotOnlyWhenItMoved)
{
    list(model::ListId::Texts).append(textRecord(200, 60, "note"));
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const int before = snapshots;
    click(210, 68);
    EXPECT_TRUE(editor.state().textSelected[0]);
    EXPECT_EQ(snapshots, before);
    press(210, 68);
    for (int step = 1; step <= 4; ++step)
        moveHeld(210 - 5 * step, 68 - 10 * step);
    release(190, 28);
    EXPECT_EQ(snapshots, before + 1);
    EXPECT_EQ(textField(0, 0), 180);
    EXPECT_EQ(textField(0, 1), 20);
    EXPECT_EQ(textField(0, 9), -20);
    EXPECT_EQ(textField(0, 10), -40);
}

// A label's caption is moved by its drag distances: they go below zero when it moves left or up,
// and a step back right from there is one step, not a jump.
TEST_F(Selection, LabelCaptionsMoveLeftAndUpWithSignedOffsets)
{
    drawOnRefresh();
    list(model::ListId::Labels).append("2." + name(0) + ".6." + name(1) + ".2.0.0.0.0.0.0.0.");
    list(model::ListId::Texts).append("0.0.0.0.cap.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    editor.refresh();
    const auto rect = edit::textBoxScreenRect(editor, 0);
    ASSERT_TRUE(rect.has_value());
    const int x = (rect->left + rect->right) / 2, y = (rect->top + rect->bottom) / 2;
    click(x, y); // the first click on a caption selects its label
    ASSERT_EQ(editor.state().selectionKind, edit::SelectionKind::Label);
    press(x, y);
    ASSERT_TRUE(editor.state().textSelected[0]);
    for (int step = 1; step <= 4; ++step)
        moveHeld(x, y - 10 * step); // dragged 40 pixels up in four moves
    release(x, y - 40);
    EXPECT_EQ(textField(0, 10), -40);
    for (int i = 0; i < 3; ++i)
        key(Key::Left);
    EXPECT_EQ(textField(0, 9), -21);
    key(Key::Right);
    EXPECT_EQ(textField(0, 9), -14);
    // The caption is drawn where its offsets say.
    const auto moved = edit::textBoxScreenRect(editor, 0);
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(moved->left, rect->left - 14);
    EXPECT_EQ(moved->top, rect->top - 40);
}

// The window's keys for New, Open, Save As, Print and Exit mean nothing to the diagram view,
// whatever is selected: the view leaves them to the window and changes nothing.
TEST_F(Selection, TheWindowsFileKeysAreNoKeysOfTheView)
{
    list(model::ListId::Texts).append(textRecord(200, 22, "note"));
    list(model::ListId::Arrows).append("3.Signal.9.Signal.0.0.1.0.0.0.0.0.0.0.");
    struct Keys {
        const char* name;
        char character;
        bool shift;
    };
    const Keys keys[] = {{"Ctrl+N", 'N', false}, {"Ctrl+O", 'O', false}, {"Ctrl+Shift+S", 'S', true},
                         {"Ctrl+P", 'P', false}, {"Ctrl+Q", 'Q', false}};
    const std::function<void()> selections[] = {
        [&] { selectText(0); },
        [&] {
            list(model::ListId::Arrows).setSelection(0);
            editor.state().selectionKind = edit::SelectionKind::Arrow;
        },
        [&] {
            editor.state().currentTool = edit::Tool::Select;
            editor.selectRow(1);
        },
    };
    for (const auto& select : selections) {
        select();
        for (const Keys& k : keys) {
            SCOPED_TRACE(k.name);
            const std::string before = io::nativeFileBytes(editor.diagram());
            EXPECT_FALSE(key(Key::Character, k.shift, true, false, k.character));
            EXPECT_TRUE(io::nativeFileBytes(editor.diagram()) == before);
        }
    }
}
