#include <gtest/gtest.h>

#include <array>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/annotations/TextBoxValues.h"
#include "edit/annotations/TextCommands.h"
#include "edit/grid/GridMapping.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
using edit::TextAttributes;
using edit::TextBoxValues;
namespace cmd = edit::cmd;

namespace {

struct TextFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7}; // 7 pixels a character, 16 a line
    Editor editor{ui, measurer};
    int snapshots = 0;

    void SetUp() override { editor.onSnapshot = [this] { ++snapshots; }; }
    model::RecordList& texts() { return editor.diagram().store.list(model::ListId::Texts); }
    TextBoxValues box(int i) { return TextBoxValues::read(texts().get(i)); }
    void select(std::initializer_list<int> indices)
    {
        editor.state().textSelected.fill(false);
        for (int i : indices)
            editor.state().textSelected[static_cast<size_t>(i)] = true;
    }
    TextAttributes answer(std::string message)
    {
        TextAttributes a;
        a.message = std::move(message);
        return a;
    }
};

} // namespace

TEST(TextMessages, EditedAndStoredFormsConvertBothWays)
{
    struct Case {
        const char* stored;
        const char* edited;
    };
    const Case cases[] = {
        {"one\\ntwo\\nthree", "one\ntwo\nthree"},
        {"v1~QorWFPeriod~2 ns", "v1.2 ns"},
        {"\"quoted\"~QorWFPeriod~\\n~QorWFPeriod~", "\"quoted\".\n."},
        {"Größe 信号", "Größe 信号"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(edit::messageForEditing(c.stored), c.edited) << c.stored;
        EXPECT_EQ(edit::storedMessage(c.edited), c.stored) << c.stored;
    }
    EXPECT_EQ(edit::storedMessage("a\r\nb"), "a\\nb");
}

TEST(TextBoxValues, RecordsRoundTripAndShortRecordsReadDefaults)
{
    const std::string full = "240.20.261.36.a~QorWFPeriod~b.Clock.   255.Courier.12.3.4.1.2.1.0.1.";
    EXPECT_EQ(TextBoxValues::read(full).write(), full);
    const TextBoxValues shortBox = TextBoxValues::read("10.20.30.");
    EXPECT_EQ(shortBox.face, "Arial");
    EXPECT_EQ(shortBox.size, 8);
    EXPECT_EQ(shortBox.write(), "10.20.30.0...     0.Arial.8.0.0.0.0.0.0.0.");
}

// A new box lands where it was clicked: its text centred on the click's height, and across it
// starts at the boundary of the clicked cell (left), is centred on the nearest half-cell point
// (centre: the middle of a data eye of one or two cells) or ends at the next boundary (right),
// counted from the waveforms' origin (105 here) and the scroll. Beside the rows it never lies
// under the name column or the last column, which are painted over it; below the rows it may.
TEST_F(TextFixture, PlacingATextBoxLandsWhereItIsClicked)
{
    struct Case {
        const char* what;
        int cellWidth;
        int firstVisibleCell;
        int justification;
        int x, y;
        int attachedIndex;
        int expectedLeft; // in diagram coordinates
        int expectedTop;
    };
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    const int below = edit::GridMapping::of(editor.diagram()).bottom() + 40;
    const int o = edit::GridMapping::of(editor.diagram()).layout().waveOriginX(); // 108: names of 14 x 7
    const Case cases[] = {
        {"left, scrolled by 4", 30, 4, 0, o + 32, 77, -1, o + 30 + 120, 69},
        {"left, just left of the origin", 30, 0, 0, o - 1, 77, -1, o, 69},
        {"centre, on a cell boundary", 30, 0, 1, o + 45, 77, -1, o + 45 - 10, 69},
        {"centre, in the middle of a cell", 30, 0, 1, o + 31, 77, -1, o + 30 - 10, 69},
        {"right", 30, 0, 2, o + 32, 77, -1, o + 60 - 21, 69},
        {"right, in the last cell", 30, 0, 2, o + 598, 77, -1, o + 570 - 21, 69},
        {"left, below the rows in the name column", 30, 0, 0, o - 85, below, -1, o - 90, below - 8},
        {"attached to row 1", 10, 0, 0, o + 32, 77, 1, o + 30, 44 + 16 / 4 + 20},
    };
    for (const Case& c : cases) {
        texts().clear();
        editor.diagram().settings.cellWidth = c.cellWidth;
        editor.diagram().settings.firstVisibleCell = c.firstVisibleCell;
        TextAttributes a = answer("Hi~QorWFPeriod~");
        a.attachedIndex = c.attachedIndex;
        a.face = "Courier";
        a.size = 12;
        a.colour = 255;
        a.bold = true;
        a.outline = 2;
        a.justification = c.justification;
        ui.textAnswers = {a};
        ASSERT_TRUE(edit::placeTextBox(editor, c.x, c.y));
        const TextBoxValues b = box(0);
        EXPECT_EQ(b.left, c.expectedLeft) << c.what;
        EXPECT_EQ(b.top, c.expectedTop) << c.what;
        EXPECT_EQ(b.right, b.left + 3 * 7);
        EXPECT_EQ(b.bottom, b.top + 16);
        EXPECT_EQ(b.attachment, c.attachedIndex < 0 ? "SigmoraNone" : "Default Signal");
        EXPECT_EQ(texts().get(0).substr(texts().get(0).find("Hi")),
                  std::string("Hi~QorWFPeriod~.") + b.attachment + ".   255.Courier.12.0.0." +
                      std::to_string(c.justification) + ".2.1.0.0.")
            << c.what;
    }
    editor.diagram().settings.cellWidth = 30;
    editor.diagram().settings.firstVisibleCell = 0;
    // The dialog offered the row names and, the next time, the defaults the last box chose.
    ASSERT_EQ(ui.textDialogs.size(), std::size(cases));
    EXPECT_EQ(ui.textDialogs[0].rowNames, (std::vector<std::string>{"Clock", "Default Signal"}));
    EXPECT_EQ(ui.textDialogs[0].face, "Arial");
    EXPECT_EQ(ui.textDialogs[1].face, "Courier");
    EXPECT_EQ(ui.textDialogs[1].size, 12);
    EXPECT_EQ(ui.textDialogs[1].colour, 255u);
    EXPECT_EQ(editor.state().selectionKind, edit::SelectionKind::TextBox);
    EXPECT_TRUE(editor.state().textSelected[0]);
    EXPECT_EQ(editor.state().selectedRow, -1);
}

// Cancel, or OK on an empty text, makes no box, and no undo step that would undo nothing.
TEST_F(TextFixture, CancelOrAnEmptyTextMakesNothingToUndo)
{
    ui.textAnswers = {std::nullopt, answer("")};
    EXPECT_FALSE(edit::placeTextBox(editor, 200, 50));
    EXPECT_EQ(snapshots, 0);
    EXPECT_FALSE(edit::placeTextBox(editor, 200, 50));
    EXPECT_EQ(snapshots, 0);
    EXPECT_EQ(texts().count(), 0);
    EXPECT_FALSE(editor.commandState(cmd::EditUndo)->enabled);
}

TEST_F(TextFixture, LongTextsArePlacedAndMeasured)
{
    TextAttributes a = answer(std::string(10000, 'x'));
    ui.textAnswers = {a};
    ASSERT_TRUE(edit::placeTextBox(editor, 300, 50));
    EXPECT_EQ(box(0).right - box(0).left, 70000);
    EXPECT_EQ(box(0).message.size(), 10000u);
}

TEST_F(TextFixture, EditTextPropertiesIsEnabledOnlyWithASelectedTextBox)
{
    texts().append("10.10.20.20.a.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    EXPECT_FALSE(editor.commandState(cmd::ctx::EditTextProperties)->enabled);
    select({0});
    EXPECT_TRUE(editor.commandState(cmd::ctx::EditTextProperties)->enabled);
}

TEST_F(TextFixture, EditingGivesEverySelectedBoxTheStyleAndThePrimaryTheMessage)
{
    editor.addRow(model::NewRowKind::Clock);
    texts().append("10.10.17.26.a.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts().append("10.40.24.56.bb.Clock.     0.Arial.8.5.6.0.0.0.0.0.");
    texts().append("10.80.31.96.ccc.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts().append("10.90.31.96.untouched.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    const std::string untouched = texts().get(3);
    select({0, 1, 2});
    const int before = snapshots;
    TextAttributes a = answer("one\\ntwo~QorWFPeriod~");
    a.size = 14;
    a.face = "Courier";
    a.attachedIndex = 0;
    ui.textAnswers = {a};
    editor.execute(cmd::ctx::EditTextProperties);
    ASSERT_EQ(ui.textDialogs.size(), 1u);
    EXPECT_EQ(ui.textDialogs[0].message, "ccc") << "the primary box is the last selected one";
    EXPECT_EQ(ui.textDialogs[0].attachedIndex, -1);
    const TextBoxValues primary = box(2);
    EXPECT_EQ(primary.message, "one\\ntwo~QorWFPeriod~");
    EXPECT_EQ(primary.attachment, "Clock");
    EXPECT_EQ(primary.right, 10 + 4 * 7);
    EXPECT_EQ(primary.bottom, 80 + 2 * 16);
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(box(i).size, 14) << i;
        EXPECT_EQ(box(i).face, "Courier") << i;
    }
    EXPECT_EQ(box(0).message, "a");
    EXPECT_EQ(box(1).message, "bb");
    EXPECT_EQ(box(1).attachment, "Clock");
    EXPECT_EQ(box(1).dragX, 5);
    EXPECT_EQ(box(1).right, 10 + 14);
    EXPECT_EQ(texts().get(3), untouched);
    EXPECT_EQ(editor.diagram().settings.textSize, 14);
    EXPECT_EQ(snapshots - before, 1);
}

TEST_F(TextFixture, EditingWithAnEmptyMessageOrCancelKeepsThePrimary)
{
    editor.addRow(model::NewRowKind::Clock);
    texts().append("10.10.17.26.a~QorWFPeriod~.clock.     0.Arial.8.0.0.0.0.0.0.0.");
    editor.takeSnapshot();
    const std::string before = texts().get(0);
    select({0});
    const int snapshotsBefore = snapshots;
    ui.textAnswers = {std::nullopt};
    editor.execute(cmd::ctx::EditTextProperties);
    EXPECT_EQ(texts().get(0), before);
    EXPECT_EQ(ui.textDialogs[0].attachedIndex, 0) << "attachment found ignoring case";
    EXPECT_EQ(snapshots, snapshotsBefore);
    TextAttributes a = answer("");
    a.face = "Courier";
    a.size = 24;
    ui.textAnswers = {a};
    editor.execute(cmd::ctx::EditTextProperties);
    EXPECT_EQ(texts().get(0), before);
    // Nothing was kept, so the next text box is offered the face and size it was offered before.
    EXPECT_EQ(editor.diagram().settings.textFace, "Arial");
    EXPECT_EQ(editor.diagram().settings.textSize, 8);
}

TEST_F(TextFixture, APlacedBoxReachesPastItsTextByTheFontsExternalLeading)
{
    measurer.leading = 3;
    editor.addRow(model::NewRowKind::Signal);
    ui.textAnswers = {answer("abcd")};
    ASSERT_TRUE(edit::placeTextBox(editor, 210, 77));
    EXPECT_EQ(box(0).right, box(0).left + 4 * 7 + 3);
    EXPECT_EQ(box(0).bottom, box(0).top + 16);
    // Editing measures the message alone.
    select({0});
    ui.textAnswers = {answer("ab")};
    editor.execute(cmd::ctx::EditTextProperties);
    EXPECT_EQ(box(0).right, box(0).left + 2 * 7);
}

TEST_F(TextFixture, LabelCaptionsHideTheAttachChoiceAndKeepTheirLabel)
{
    texts().append("10.10.17.26.a.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    select({0});
    ui.textAnswers = {answer("setup")};
    editor.execute(cmd::ctx::EditTextProperties);
    EXPECT_TRUE(ui.textDialogs[0].attachHidden);
    EXPECT_EQ(box(0).attachment, "WFLabel*0*");
    EXPECT_EQ(box(0).message, "setup");
}

TEST_F(TextFixture, AlignEdgesMovesTheOtherSelectedBoxesToTheCurrentOne)
{
    struct Case {
        int command;
        int expected[3][4];
    };
    const Case cases[] = {
        {cmd::ctx::AlignLeft, {{50, 10, 90, 26}, {50, 40, 70, 56}, {50, 80, 110, 96}}},
        {cmd::ctx::AlignRight, {{50, 10, 90, 26}, {70, 40, 90, 56}, {30, 80, 90, 96}}},
        {cmd::ctx::AlignTop, {{50, 10, 90, 26}, {20, 10, 40, 26}, {200, 10, 260, 26}}},
        {cmd::ctx::AlignBottom, {{50, 10, 90, 26}, {20, 10, 40, 26}, {200, 10, 260, 26}}},
    };
    for (const Case& c : cases) {
        texts().clear();
        texts().append("50.10.90.26.a.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
        texts().append("20.40.40.56.b.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
        texts().append("200.80.260.96.c.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
        texts().setSelection(0);
        select({0, 1, 2});
        editor.execute(c.command);
        for (int i = 0; i < 3; ++i) {
            const TextBoxValues b = box(i);
            EXPECT_EQ((std::array<int, 4>{b.left, b.top, b.right, b.bottom}),
                      (std::array<int, 4>{c.expected[i][0], c.expected[i][1], c.expected[i][2], c.expected[i][3]}))
                << c.command << " box " << i;
        }
    }
    // Nothing selected but the reference: nothing moves and no snapshot.
    const int before = snapshots;
    select({});
    editor.execute(cmd::ctx::AlignLeft);
    EXPECT_EQ(snapshots, before);
}
