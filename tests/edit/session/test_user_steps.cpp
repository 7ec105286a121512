// The user's own sequences through the editor: every change is an undo step of its own, a run of
// nudges is one, the row menu acts on the row right-clicked, and a click that changes nothing
// leaves the diagram unmodified.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "edit/files/FileCommands.h"
#include "edit/mouse/KeyInput.h"
#include "edit/mouse/ToolCommands.h"
#include "edit/session/CommandIds.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
using Key = edit::KeyPress::Key;

namespace {

struct UserSteps : test::EditorDriver, ::testing::Test {
    UserSteps() { drawOnRefresh(); }

    model::RecordList& texts() { return editor.diagram().store.list(model::ListId::Texts); }
    model::RecordList& labels() { return editor.diagram().store.list(model::ListId::Labels); }
    int textLeft(int index)
    {
        model::ReaderReport ignored;
        return model::textbox::left(texts().get(index), ignored);
    }
    void key(Key k, bool ctrl = false)
    {
        edit::KeyPress press;
        press.key = k;
        press.ctrl = ctrl;
        edit::keyDown(editor, press);
    }
    // Ctrl+Z and Ctrl+Y reach the editor as the commands their menu items are.
    void undo() { ASSERT_TRUE(editor.execute(cmd::EditUndo)); }
    void redo() { ASSERT_TRUE(editor.execute(cmd::EditRedo)); }
    bool undoEnabled() const { return editor.commandState(cmd::EditUndo)->enabled; }
    bool redoEnabled() const { return editor.commandState(cmd::EditRedo)->enabled; }
    // A text placed with the text tool at a point of the bus row, answered in the dialog.
    void placeText(const std::string& message, int x, int y)
    {
        ASSERT_TRUE(editor.execute(cmd::ToolText));
        edit::TextAttributes a;
        a.message = message;
        ui.textAnswers = {a};
        click(x, y);
    }
    int nameX() const { return layout().waveOriginX() / 2; }
    int rowMiddle(int row) const { return layout().middleLevel(layout().signalTop(row)); }
};

} // namespace

// Add a bus, place a text "X1", select it, Right four times, Ctrl+Z: the box goes back to where it
// was placed (the nudges are undone, not its creation); Ctrl+Z again removes it; Ctrl+Y twice
// brings it back and then nudged. The same for Alt's single pixels, Up and Down.
TEST_F(UserSteps, ARunOfTextNudgesIsOneUndoStep)
{
    const struct {
        const char* what;
        Key key;
        bool alt;
        int dx, dy;
    } cases[] = {
        {"Right x4", Key::Right, false, 4 * 7, 0},
        {"Left x4 with Alt", Key::Left, true, -4, 0},
        {"Down x4", Key::Down, false, 0, 16},
        {"Up x4", Key::Up, false, 0, -16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor.newDiagram();
        editor.addRow(model::NewRowKind::Bus);
        placeText("X1", cellX(6), rowMiddle(0) + 60); // below the bus, clear of the diagram's bottom edge
        ASSERT_EQ(texts().count(), 1);
        ASSERT_TRUE(editor.execute(cmd::ModeEdit));
        const std::string placed = texts().get(0);
        model::ReaderReport ignored;
        const int left = textLeft(0), top = model::textbox::top(placed, ignored);
        click(left + 4, top + 8); // select it
        ASSERT_EQ(editor.state().selectionKind, edit::SelectionKind::TextBox);
        for (int i = 0; i < 4; ++i) {
            edit::KeyPress k;
            k.key = c.key;
            k.alt = c.alt;
            edit::keyDown(editor, k);
        }
        const std::string nudged = texts().get(0);
        EXPECT_EQ(textLeft(0), left + c.dx);
        EXPECT_EQ(model::textbox::top(nudged, ignored), top + c.dy);
        EXPECT_TRUE(undoEnabled());
        EXPECT_FALSE(redoEnabled());

        undo();
        ASSERT_EQ(texts().count(), 1) << "Ctrl+Z took back the box's creation with its nudges";
        EXPECT_EQ(texts().get(0), placed);
        undo();
        EXPECT_EQ(texts().count(), 0);
        redo();
        ASSERT_EQ(texts().count(), 1);
        EXPECT_EQ(texts().get(0), placed);
        redo();
        EXPECT_EQ(texts().get(0), nudged) << "the nudges are kept for good";
        EXPECT_FALSE(redoEnabled());
    }
}

// The same for a label: Up, Up, Left as one run; a nudge run of another kind (the name column by
// Ctrl+Right) is a step of its own.
TEST_F(UserSteps, LabelNudgesAndNameColumnNudgesAreARunEach)
{
    addSignals(2);
    labels().append("1.Default Signal.4.Default Signal 2.2.0.0.0.0.0.0.1.");
    editor.takeSnapshot();
    const std::string before = labels().get(0);
    labels().setSelection(0);
    editor.state().selectionKind = edit::SelectionKind::Label;
    editor.state().lastHandle = edit::Hover::HandleMiddle;
    const int width = editor.diagram().settings.nameColumnWidth;
    const int snapshotsBefore = snapshots;
    key(Key::Up);
    key(Key::Up);
    key(Key::Left);
    const std::string nudged = labels().get(0);
    EXPECT_EQ(nudged, "0.Default Signal.3.Default Signal 2.2.0.-2.0.0.0.0.1.");
    key(Key::Right, true);
    key(Key::Right, true);
    EXPECT_EQ(editor.diagram().settings.nameColumnWidth, width + 2);
    EXPECT_EQ(snapshots - snapshotsBefore, 1) << "the label's run ended when the name column's began";
    undo();
    EXPECT_EQ(editor.diagram().settings.nameColumnWidth, width);
    EXPECT_EQ(labels().get(0), nudged);
    undo();
    EXPECT_EQ(labels().get(0), before);
}

// With "Clock" selected, a right-click on the name of "Clock 2" and Invert: "Clock 2" is inverted,
// "Clock" is not. Ctrl+Z undoes only the invert, and Ctrl+Y brings it back.
TEST_F(UserSteps, TheRowMenuActsOnTheRowRightClickedAndIsOneUndoStep)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Clock);
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    click(nameX(), rowMiddle(0)); // select "Clock"
    ASSERT_EQ(editor.state().selectedRow, 0);
    const std::string clock = wave(0), clock2 = wave(1);

    edit::rightButton(editor, nameX(), rowMiddle(1), 500, 400);
    ASSERT_EQ(ui.popups.size(), 1u);
    EXPECT_EQ(ui.popups[0].menu, edit::ContextMenuKind::Signal);
    EXPECT_EQ(editor.state().selectedRow, 1);
    ASSERT_TRUE(editor.execute(cmd::ctx::Invert));
    EXPECT_EQ(wave(0), clock);
    EXPECT_NE(wave(1), clock2);
    const std::string inverted = wave(1);

    undo();
    EXPECT_EQ(wave(0), clock);
    EXPECT_EQ(wave(1), clock2);
    EXPECT_EQ(editor.diagram().store.signalCount(), 2) << "Ctrl+Z undid the change before the invert too";
    redo();
    EXPECT_EQ(wave(1), inverted);
    EXPECT_FALSE(redoEnabled());
}

// A right-click on a row's cells opens the row menu for that row, unless it falls on the
// highlighted cells, which the menu's cell commands then act on.
TEST_F(UserSteps, ARightClickOnCellsKeepsTheHighlightedCells)
{
    addSignals(3);
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    press(cellX(2), rowMiddle(0));
    moveHeld(cellX(4), rowMiddle(1));
    release(cellX(4), rowMiddle(1));
    ASSERT_TRUE(editor.state().rectangle.active);

    edit::rightButton(editor, cellX(3), rowMiddle(1), 0, 0);
    EXPECT_TRUE(editor.state().rectangle.active) << "inside the highlighted cells";
    edit::rightButton(editor, cellX(3), rowMiddle(2), 0, 0);
    EXPECT_FALSE(editor.state().rectangle.active);
    EXPECT_EQ(editor.state().selectedRow, 2);
    ASSERT_EQ(ui.popups.size(), 2u);
    EXPECT_EQ(ui.popups[1].menu, edit::ContextMenuKind::Signal);
}

// Open a diagram with a text box, click the box (no drag): closing asks nothing, and there is
// nothing to undo. A drag that moves it marks the diagram modified and is one undo step.
TEST_F(UserSteps, AClickThatChangesNothingLeavesTheDiagramUnmodified)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / ("sigmora-click-" + std::to_string(getpid()) + ".sgm");
    addSignals(1);
    texts().append("200.80.240.96.note.SigmoraNone.0.Arial.8.0.0.0.0.0.0.0.");
    ASSERT_TRUE(edit::writeDiagramFile(editor, file.string()));
    editor.openNamedFile(file.string());
    fs::remove(file);
    ASSERT_FALSE(editor.diagram().modified);
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const int snapshotsBefore = snapshots;

    click(210, 88);
    ASSERT_EQ(editor.state().selectionKind, edit::SelectionKind::TextBox);
    EXPECT_FALSE(editor.diagram().modified);
    click(20, 300); // below the rows: deselects
    EXPECT_FALSE(editor.diagram().modified);
    EXPECT_TRUE(edit::askToSaveChanges(editor));
    EXPECT_TRUE(ui.cancellable.empty()) << "closing asked to save";
    EXPECT_FALSE(undoEnabled());
    EXPECT_EQ(snapshots, snapshotsBefore);

    click(210, 88);
    press(210, 88);
    moveHeld(230, 92);
    release(230, 92);
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(snapshots, snapshotsBefore + 1);
    EXPECT_TRUE(undoEnabled());
}

// Tab with nothing to step through does nothing, and the status bar says why.
TEST_F(UserSteps, TabWithNothingSelectedSaysWhyInTheStatusBar)
{
    std::vector<std::string> notes;
    editor.onStatus = [&notes](const std::string& text) { notes.push_back(text); };
    addSignals(2);
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    key(Key::Tab);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], "Tab steps through arrows, labels, time breaks or text boxes: select one of them (or choose "
                        "its tool) first");
    ASSERT_TRUE(editor.execute(cmd::ToolTimeBreak));
    ASSERT_TRUE(editor.execute(cmd::TabNextSelection));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1], "Tab: the diagram has no time breaks");
    // With something to step to, Tab steps and says nothing.
    editor.diagram().store.list(model::ListId::TimeBreaks).append("3.Default Signal.");
    key(Key::Tab);
    EXPECT_EQ(notes.size(), 2u);
    EXPECT_EQ(editor.diagram().store.list(model::ListId::TimeBreaks).selection(), 0);
}

// A label drawn on the first row puts its measure line below the row, not on the diagram's
// frame over the cycle labels; elsewhere the measure line stays above its begin anchor.
TEST_F(UserSteps, ANewLabelOnTheFirstRowKeepsClearOfTheFrame)
{
    addSignals(3);
    const struct {
        int row;
        bool below;
    } cases[] = {{0, true}, {2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        labels().clear();
        texts().clear();
        ASSERT_TRUE(editor.execute(cmd::ToolLabelOutward));
        edit::TextAttributes caption;
        caption.message = "tCK";
        ui.textAnswers = {caption};
        click(cellX(2), rowMiddle(c.row));
        click(cellX(6), rowMiddle(c.row));
        ASSERT_EQ(labels().count(), 1);
        editor.refresh();
        const render::LabelHit* hit = editor.annotationHits().label(0);
        ASSERT_TRUE(hit);
        const render::Layout l = layout();
        if (c.below) {
            EXPECT_GT(hit->measureY, hit->begin.y);
            EXPECT_LT(hit->measureY, l.signalTop(c.row + 1));
        } else {
            EXPECT_LT(hit->measureY, hit->begin.y);
        }
        EXPECT_GE(hit->measureY, l.topMargin) << "on the frame, over the cycle labels";
        // The caption goes with the line.
        const render::TextBoxHit* text = editor.annotationHits().textBox(0);
        ASSERT_TRUE(text);
        EXPECT_GE(text->drawn.top, l.topMargin);
    }
}

// A label is selected by any of its drawn parts: a leg, its measure line or its caption. A click
// on the caption of the selected label takes the caption itself, to move or edit it.
TEST_F(UserSteps, ALabelIsSelectedByItsLineAndItsCaption)
{
    addSignals(3);
    ASSERT_TRUE(editor.execute(cmd::ToolLabelOutward));
    edit::TextAttributes caption;
    caption.message = "tRCD";
    ui.textAnswers = {caption};
    click(cellX(2), rowMiddle(1));
    click(cellX(10), rowMiddle(1));
    ASSERT_EQ(labels().count(), 1);
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const render::LabelHit hit = *editor.annotationHits().label(0);
    const render::Rect text = editor.annotationHits().textBox(0)->drawn;
    const int emptyY = layout().signalTop(3) + 60; // below the rows: deselects
    const struct {
        const char* what;
        int x, y;
    } parts[] = {
        {"begin leg", hit.begin.x, (hit.begin.y + hit.measureY) / 2},
        {"measure line", hit.begin.x + (hit.end.x - hit.begin.x) / 5, hit.measureY},
        {"measure line near its end", hit.end.x - 8, hit.measureY + 2},
        {"caption", (text.left + text.right) / 2, (text.top + text.bottom) / 2},
    };
    for (const auto& p : parts) {
        click(20, emptyY);
        ASSERT_NE(editor.state().selectionKind, edit::SelectionKind::Label) << p.what;
        click(p.x, p.y);
        EXPECT_EQ(editor.state().selectionKind, edit::SelectionKind::Label) << p.what;
        EXPECT_EQ(labels().selection(), 0) << p.what;
    }
    // Selected: the caption itself.
    click((text.left + text.right) / 2, (text.top + text.bottom) / 2);
    EXPECT_EQ(editor.state().selectionKind, edit::SelectionKind::TextBox);
    EXPECT_TRUE(editor.state().textSelected[0]);
}

// The mouse finds a text box where its text is drawn, whatever rectangle its record stored when
// it was made: a click on the letters selects the box, a click on the stored rectangle beside them
// reaches the row under it.
TEST_F(UserSteps, ATextBoxIsFoundWhereItsTextIsDrawn)
{
    addSignals(3);
    // Stored 30 pixels high above its letters: the drawn text is one line, 7 pixels a character.
    texts().append("300.60.360.96.D0 D1.SigmoraNone.0.Arial.8.0.0.1.0.0.0.0.");
    editor.refresh();
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    const render::Rect drawn = editor.annotationHits().textBox(0)->drawn;
    EXPECT_EQ(drawn.left, 300);
    EXPECT_EQ(drawn.top, 60);
    EXPECT_LT(drawn.bottom, 96);

    click(drawn.left + 10, (drawn.top + drawn.bottom) / 2);
    EXPECT_EQ(editor.state().selectionKind, edit::SelectionKind::TextBox) << "a click on the letters";
    click(20, layout().signalTop(2) + 60); // below the rows: deselects
    click(drawn.left + 10, drawn.bottom + 4); // inside the stored rectangle, below the letters
    EXPECT_NE(editor.state().selectionKind, edit::SelectionKind::TextBox) << "a click beside the letters";
}

// New keeps the cycle-label settings of the diagram before it (prefix "T", start 0), as New leaves
// them; the new diagram's labels follow those settings: "T 0", "T 1", ... as the dialog says,
// and as the diagram shows once saved and opened again.
TEST_F(UserSteps, ANewDiagramKeepsTheCycleLabelSettingsAndShowsThem)
{
    namespace fs = std::filesystem;
    addSignals(1);
    edit::CycleLabelValues labels;
    labels.prefix = "T";
    labels.start = "0";
    labels.increment = "1";
    ui.cycleLabelAnswers = {labels};
    ASSERT_TRUE(editor.execute(cmd::CycleLabelsCustomize));
    ASSERT_EQ(editor.diagram().labelNumbers[0], 0);
    ui.answers = {edit::Answer::No}; // do not save the first diagram
    editor.newDiagram();
    ASSERT_EQ(editor.diagram().store.signalCount(), 0);
    EXPECT_EQ(editor.diagram().settings.labelPrefix, "T");
    EXPECT_EQ(editor.diagram().settings.labelStart, 0);
    EXPECT_EQ(editor.diagram().labelNumbers[0], 0);
    EXPECT_EQ(editor.diagram().labelNumbers[9], 9);

    addSignals(1);
    const fs::path file = fs::temp_directory_path() / ("sigmora-new-labels-" + std::to_string(getpid()) + ".sgm");
    ASSERT_TRUE(edit::writeDiagramFile(editor, file.string()));
    test::FakeUiPort otherUi;
    edit::Editor reopened(otherUi, measurer);
    reopened.openNamedFile(file.string());
    fs::remove(file);
    EXPECT_EQ(reopened.diagram().labelNumbers, editor.diagram().labelNumbers);
}

// A separator inserted above a row that a label reaches down to: the label's end goes down with
// the row, and its measure line stays with the row it was drawn over (here just above the end's
// row, where the user dragged it); a label on that row alone moves whole; a label whose line sits
// where a new label puts it keeps it by its begin.
TEST_F(UserSteps, ASeparatorInsertedAboveALabelledRowTakesItsMeasureLineAlong)
{
    addSignals(4);
    const int pitch = layout().rowPitch();
    // Row 0 to row 2, the line dragged down to just above row 2; row 2 alone; row 0 to row 2 as made.
    labels().append("2.Default Signal.6.Default Signal 3.2.0." + std::to_string(pitch + 8) + ".0.0.0.0.0.");
    labels().append("8.Default Signal 3.12.Default Signal 3.2.0.0.0.0.0.0.0.");
    labels().append("14.Default Signal.16.Default Signal 3.2.0.0.0.0.0.0.0.");
    editor.takeSnapshot();
    editor.refresh();
    struct Seen {
        int line, begin, end;
    };
    auto seen = [this](int i) {
        const render::LabelHit* h = editor.annotationHits().label(i);
        return Seen{h->measureY, h->begin.y, h->end.y};
    };
    const Seen before[] = {seen(0), seen(1), seen(2)};
    ASSERT_TRUE(editor.execute(cmd::ModeEdit));
    editor.selectRow(2);
    ASSERT_TRUE(editor.execute(cmd::InsertSeparatorBlank));
    ASSERT_EQ(model::fields::nameOfRow(editor.diagram().store.signals().get(2)).substr(0, 9), "separator");
    editor.refresh();
    const Seen after[] = {seen(0), seen(1), seen(2)};
    // The ends follow their rows.
    for (int i : {0, 2}) {
        EXPECT_EQ(after[i].begin, before[i].begin) << i;
        EXPECT_EQ(after[i].end, before[i].end + pitch) << i;
    }
    EXPECT_EQ(after[0].line, before[0].line + pitch) << "the line dragged over row 2 goes with row 2";
    EXPECT_EQ(after[1].line, before[1].line + pitch) << "a label on row 2 alone moves whole";
    EXPECT_EQ(after[2].line, before[2].line) << "a line where a new label puts it stays with its begin";
    // One undo step takes it all back.
    undo();
    editor.refresh();
    EXPECT_EQ(seen(0).line, before[0].line);
}
