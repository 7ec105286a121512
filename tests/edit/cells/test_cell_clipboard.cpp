#include <gtest/gtest.h>

#include "edit/annotations/AnnotationShift.h"
#include "edit/cells/CellClipboard.h"
#include "edit/cells/ClipboardCommands.h"
#include "edit/session/CommandIds.h"
#include "edit/rows/SignalOrder.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
namespace fields = model::fields;
using model::ListId;

namespace {

// A diagram of signal rows whose cells are given as short strings (character 0 is the level
// entering column 0; the rest of the 600 cells repeat the last one), with the select tool and
// a highlighted block.
struct ClipboardFixture : ::testing::Test {
    test::EditorDriver d;

    void rowsOf(std::initializer_list<std::string> waves)
    {
        for (const std::string& w : waves) {
            d.addSignals(1);
            const int row = d.editor.diagram().store.signalCount() - 1;
            d.setWave(row, w + std::string(600 - w.size(), w.back()));
        }
        d.editor.execute(cmd::ModeEdit);
        d.editor.state().selectionKind = edit::SelectionKind::Signal;
        d.editor.selectRow(0);
    }
    // Highlights rows first..last and columns from..to (display rows and columns).
    void highlight(int firstRow, int lastRow, int fromCell, int toCell)
    {
        edit::CellRectangle& r = d.editor.state().rectangle;
        r = {firstRow, fromCell, lastRow + 1, toCell + 1, true, false};
    }
    std::string head(int row, size_t n = 10) const { return d.wave(row).substr(0, n); }
    model::RecordList& list(ListId id) { return d.editor.diagram().store.list(id); }
    std::vector<std::string> buffer() { return list(ListId::CopyBuffer).records(); }
    std::string lastMessage() const { return d.ui.messages.empty() ? "" : d.ui.messages.back().text; }
};

} // namespace

TEST_F(ClipboardFixture, BlockCopyEntriesByteForByte)
{
    rowsOf({"0123401234", "1111100000"});
    highlight(0, 1, 2, 4);
    d.editor.execute(cmd::EditCopy);
    EXPECT_EQ(buffer(), (std::vector<std::string>{"partialcopy.", "2.3", "0", "0", "340", "110"}));
    EXPECT_TRUE(d.editor.clipboard.cellsInBuffer);
    EXPECT_FALSE(d.editor.clipboard.cutOrigin);
    // The copied block is outlined until it is pasted elsewhere or dropped.
    EXPECT_TRUE(d.editor.redrawOptions().selection.clipboardMark.has_value());
    EXPECT_EQ(d.editor.commandState(cmd::ctx::InsertCopiedCells)->text, edit::kInsertCopiedCellsText);
    EXPECT_TRUE(d.editor.commandState(cmd::ctx::Paste)->enabled);
}

TEST_F(ClipboardFixture, PartialCopiesOfClocksAndSeparatorsAreRefused)
{
    struct Case {
        std::string dataPart;
        const char* message;
    };
    const Case cases[] = {
        {"CLK_0_.0101.0.1.Arial.10.1.0.0.0.8421504.N/A.0.1.5.0.0.", edit::kClockPartialCopy},
        {"SEP_0.0.1.Arial.0.1.0.0.0.1.", edit::kSeparatorPartialCopy},
    };
    for (const Case& c : cases) {
        d.editor.resetDiagram();
        d.ui.messages.clear();
        rowsOf({"0000", "1111"});
        list(ListId::Signals).replace(1, fields::joinRow("odd", c.dataPart));
        highlight(0, 1, 0, 1);
        d.editor.execute(cmd::EditCopy);
        EXPECT_TRUE(buffer().empty());
        ASSERT_EQ(d.ui.messages.size(), 1u);
        EXPECT_EQ(d.ui.messages[0], (test::FakeUiPort::Asked{c.message, edit::kIllegalCopy}));
        EXPECT_FALSE(d.editor.clipboard.cellsInBuffer);
    }
}

TEST_F(ClipboardFixture, PasteTargets)
{
    struct Case {
        const char* name;
        int rows, cells; // the highlighted target at row 2, cell 4
        bool pasted;
        const char* message;
    };
    const Case cases[] = {
        {"same size", 2, 3, true, ""},
        {"single cell", 1, 1, true, ""},
        {"two by two", 2, 2, false, edit::kPasteSizeMismatch},
    };
    for (const Case& c : cases) {
        d.editor.resetDiagram();
        d.ui.messages.clear();
        rowsOf({"0101010101", "0011001100", "0000000000", "1111111111"});
        highlight(0, 1, 0, 2);
        d.editor.execute(cmd::EditCopy);
        highlight(2, 2 + c.rows - 1, 4, 4 + c.cells - 1);
        d.editor.execute(cmd::EditPaste);
        EXPECT_EQ(head(2), c.pasted ? "0000010100" : "0000000000") << c.name;
        EXPECT_EQ(head(3), c.pasted ? "1111101111" : "1111111111") << c.name;
        EXPECT_EQ(lastMessage(), c.message) << c.name;
    }
}

TEST_F(ClipboardFixture, PasteWithoutABlockOrOntoAnotherSignalType)
{
    rowsOf({"0101", "0000", "1111"});
    highlight(0, 0, 0, 1);
    d.editor.execute(cmd::EditCopy);
    d.editor.state().rectangle.active = false;
    d.editor.execute(cmd::EditPaste);
    EXPECT_EQ(lastMessage(), edit::kPasteSizeMismatch);
    EXPECT_EQ(d.ui.messages.back().caption, edit::kIllegalPaste);

    list(ListId::Signals).replace(2, model::signal::withDataField(list(ListId::Signals).get(2), 0, "DATA_1_"));
    highlight(2, 2, 0, 0);
    d.editor.execute(cmd::EditPaste);
    EXPECT_EQ(lastMessage(), edit::kSignalTypeMismatch);
    EXPECT_EQ(head(2, 4), "1111");
    d.editor.execute(cmd::ctx::InsertCopiedCells);
    EXPECT_EQ(lastMessage(), edit::kSignalTypeMismatch);
    EXPECT_EQ(head(2, 4), "1111");
}

TEST_F(ClipboardFixture, SeparatorsAndLockedRowsInTheTargetAreSkipped)
{
    rowsOf({"0101010101", "0101010101", "0101010101", "0000000000", "0000000000", "0000000000"});
    list(ListId::Signals).replace(4, fields::joinRow("gap", "SEP_0.0.1.Arial.0.1.0.0.0.1."));
    d.setDataField(5, model::signalfield::Locked, "1");
    highlight(0, 2, 0, 3);
    d.editor.execute(cmd::EditCopy);
    highlight(3, 3, 0, 0);
    d.editor.execute(cmd::EditPaste);
    EXPECT_EQ(head(3), "0101000000");
    EXPECT_EQ(head(5), "0000000000");
    EXPECT_EQ(lastMessage(), "");
}

TEST_F(ClipboardFixture, CutRemovesCellsPadsTheEndAndMovesTheAnnotations)
{
    rowsOf({"0000111101"});
    const std::string name(fields::nameOfRow(list(ListId::Signals).get(0)));
    list(ListId::TimeBreaks).append("1." + name + ".");  // before the cut: stays
    list(ListId::TimeBreaks).append("4." + name + ".");  // inside: deleted
    list(ListId::TimeBreaks).append("7." + name + ".");  // after: moves left by 3
    list(ListId::Arrows).append("8." + name + ".1." + name + ".0.0.0.0.0.0.400.20.160.20.");
    d.editor.diagram().store.floodStyles().set(0, 7, 2);
    highlight(0, 0, 3, 5);
    d.editor.execute(cmd::EditCut);
    EXPECT_EQ(d.wave(0).size(), 600u);
    EXPECT_EQ(head(0), "0000101111");
    EXPECT_EQ(d.wave(0).substr(597), "111"); // padded with the final value
    EXPECT_EQ(list(ListId::TimeBreaks).records(), (std::vector<std::string>{"1." + name + ".", "4." + name + "."}));
    // Only the cycle follows the cells; the stored pixels are left as they were.
    EXPECT_EQ(list(ListId::Arrows).get(0), "5." + name + ".1." + name + ".0.0.0.0.0.0.400.20.160.20.");
    EXPECT_EQ(d.editor.diagram().store.floodStyles().get(0, 4), 2);
    EXPECT_EQ(d.editor.diagram().store.floodStyles().get(0, 7), 0);
    EXPECT_EQ(buffer()[3], "111");
    EXPECT_TRUE(d.editor.clipboard.cutOrigin);
    EXPECT_FALSE(d.editor.redrawOptions().selection.clipboardMark.has_value());
}

TEST_F(ClipboardFixture, InsertKeepsTheLengthAndMovesLaterAnnotationsRight)
{
    rowsOf({"0123412341", "0000000000"});
    const std::string name(fields::nameOfRow(list(ListId::Signals).get(1)));
    list(ListId::TimeBreaks).append("1." + name + ".");
    list(ListId::TimeBreaks).append("6." + name + ".");
    const int left = d.layout().waveOriginX() + 6 * 30 + 5;
    list(ListId::Texts).append(std::to_string(left) + ".30." + std::to_string(left + 25) + ".46.t." + name +
                               ".     0.Arial.8.0.0.0.0.0.0.0.");
    std::string tail = d.wave(1);
    tail.replace(595, 5, "01234");
    d.setWave(1, tail);
    highlight(0, 0, 0, 2);
    d.editor.execute(cmd::EditCopy);
    highlight(1, 1, 4, 4);
    d.editor.execute(cmd::ctx::InsertCopiedCells);
    EXPECT_EQ(d.wave(1).size(), 600u);
    EXPECT_EQ(head(1), "0000012300");
    EXPECT_EQ(d.wave(1).substr(594), "000004"); // the three cells before the last fell off
    EXPECT_EQ(list(ListId::TimeBreaks).records(), (std::vector<std::string>{"1." + name + ".", "9." + name + "."}));
    EXPECT_EQ(fields::intField(list(ListId::Texts).get(0), 0), left + 3 * 30);
}

TEST_F(ClipboardFixture, ShiftRightRepeatsTheCellBeforeTheBlock)
{
    rowsOf({"00011"});
    highlight(0, 0, 2, 3);
    EXPECT_EQ(d.editor.commandState(cmd::ctx::InsertCopiedCells)->text, edit::kShiftRightText);
    EXPECT_TRUE(d.editor.commandState(cmd::ctx::InsertCopiedCells)->enabled);
    const int before = d.snapshots;
    d.editor.execute(cmd::ctx::InsertCopiedCells);
    EXPECT_EQ(head(0, 5), "00001"); // columns 0, 0, 1, 1 become 0, 0, 0, 1
    EXPECT_EQ(d.snapshots, before + 1);
    d.editor.state().rectangle.active = false;
    EXPECT_FALSE(d.editor.commandState(cmd::ctx::InsertCopiedCells)->enabled);
}

TEST_F(ClipboardFixture, WholeSignalCopyAndPaste)
{
    rowsOf({"0101"});
    list(ListId::Signals).replace(0, model::signal::withDataField(
                                         fields::joinRow("A", fields::dataOfRow(list(ListId::Signals).get(0))), 1, "0101"));
    list(ListId::Signals).append(fields::joinRow("Copy of A", fields::dataOfRow(list(ListId::Signals).get(0))));
    list(ListId::Texts).append("150.30.190.46.note.A.     0.Arial.8.0.0.0.0.0.0.0.");
    list(ListId::LegacyRegions).append("3.A.2.");
    d.editor.state().rectangle.active = false;
    d.editor.selectRow(0);
    d.editor.execute(cmd::ctx::Copy);
    ASSERT_EQ(buffer().size(), 3u);
    EXPECT_EQ(buffer()[0], "sig." + list(ListId::Signals).get(0));
    EXPECT_EQ(buffer()[1], "3.A.2.");
    EXPECT_EQ(buffer()[2], "qorflood123.150.30.190.46.note.A.     0.Arial.8.0.0.0.0.0.0.0.");
    EXPECT_TRUE(d.editor.clipboard.wholeSignal);

    d.editor.execute(cmd::EditPaste);
    ASSERT_EQ(d.editor.diagram().store.signalCount(), 3);
    EXPECT_EQ(fields::nameOfRow(list(ListId::Signals).get(2)), "Copy of Copy of A");
    EXPECT_EQ(list(ListId::LegacyRegions).get(1), "3.Copy of Copy of A.2.");
    // The text box follows to the new row: its top at the row's high level, its height kept.
    const render::Layout l = d.layout();
    EXPECT_EQ(list(ListId::Texts).get(1), std::to_string(150) + "." + std::to_string(l.topMargin + 2 * l.rowPitch()) +
                                              ".190." + std::to_string(l.topMargin + 2 * l.rowPitch() + 16) +
                                              ".note.Copy of Copy of A.     0.Arial.8.0.0.0.0.0.0.0.");
}

TEST_F(ClipboardFixture, TextBoxAndArrowCopies)
{
    rowsOf({"0000"});
    list(ListId::Texts).append("150.40.190.56.a.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    list(ListId::Texts).append("150.5.190.21.b.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    edit::InteractionState& s = d.editor.state();
    s.selectionKind = edit::SelectionKind::TextBox;
    s.textSelected[0] = s.textSelected[1] = true;
    list(ListId::Texts).setSelection(1);
    d.editor.execute(cmd::EditCopy);
    EXPECT_EQ(buffer().size(), 2u);
    d.editor.execute(cmd::EditPaste);
    // Moved up by its height, or right by its width when it would leave the top.
    EXPECT_EQ(list(ListId::Texts).get(2).substr(0, 13), "150.24.190.40");
    EXPECT_EQ(list(ListId::Texts).get(3).substr(0, 12), "190.5.230.21");

    list(ListId::Arrows).append("1.x.2.x.0.0.0.0.0.0.10.20.30.40.");
    list(ListId::Arrows).setSelection(0);
    s.selectionKind = edit::SelectionKind::Arrow;
    d.editor.execute(cmd::EditCopy);
    EXPECT_EQ(buffer(), (std::vector<std::string>{"qorarrow123.1.x.2.x.0.0.0.0.0.0.10.20.30.40."}));
    d.editor.execute(cmd::EditPaste);
    EXPECT_EQ(list(ListId::Arrows).count(), 2);
    EXPECT_EQ(list(ListId::Arrows).selection(), 1);
    EXPECT_EQ(s.selectionKind, edit::SelectionKind::Arrow);
}

TEST_F(ClipboardFixture, CopyWithNothingSelectedEmptiesTheBuffer)
{
    rowsOf({"0000"});
    list(ListId::CopyBuffer).append("old");
    d.editor.deselectRow();
    d.editor.state().rectangle.active = false;
    d.editor.execute(cmd::EditCopy);
    EXPECT_TRUE(buffer().empty());
}

TEST(LabelDeletion, CaptionsFollowTheirLabels)
{
    model::Diagram diagram;
    auto& labels = diagram.store.list(ListId::Labels);
    auto& texts = diagram.store.list(ListId::Texts);
    for (int i = 0; i < 3; ++i) {
        labels.append("1.a.2.a.2.0.0.1.0.0.0.1.");
        texts.append("1.1.2.2.L" + std::to_string(i) + ".WFLabel*" + std::to_string(i) + "*.     0.Arial.8.0.0.0.0.0.0.0.");
    }
    edit::deleteLabel(diagram, 1);
    EXPECT_EQ(labels.count(), 2);
    ASSERT_EQ(texts.count(), 2);
    EXPECT_EQ(fields::textField(texts.get(0), 5).value(), "WFLabel*0*");
    EXPECT_EQ(fields::textField(texts.get(1), 4).value(), "L2");
    EXPECT_EQ(fields::textField(texts.get(1), 5).value(), "WFLabel*1*");
}

TEST(EdgeOffsetRemoval, TheRemovedWidthIsCarriedForward)
{
    struct Case {
        std::vector<std::int32_t> before;
        int first, count;
        std::vector<std::int32_t> after; // the first entries; the rest are 0
    };
    const Case cases[] = {
        {{0, 0, 5, -5, 0}, 1, 1, {0, 5, -5, 0}},
        {{0, 10, -10, 0}, 1, 1, {0, 0, 0}},
        {{0, 20, 0, 0, 0}, 1, 1, {0, 16, 4, 0}},
        {{0, -30, 0, 0, 0}, 1, 1, {0, -16, -14, 0}},
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> row(600, 0);
        std::copy(c.before.begin(), c.before.end(), row.begin());
        edit::removeEdgeOffsets(row.data(), c.first, c.count);
        for (size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(row[i], c.after[i]) << i;
    }
}

TEST_F(ClipboardFixture, MovingASignalDropsACopiedBlockButKeepsACopiedSignal)
{
    rowsOf({"0101", "1111", "0000"});
    highlight(0, 0, 1, 2);
    d.editor.execute(cmd::EditCopy);
    ASSERT_TRUE(d.editor.clipboard.cellsInBuffer);
    d.editor.state().rectangle.active = false;
    ASSERT_TRUE(edit::moveSignal(d.editor, 1));
    EXPECT_FALSE(d.editor.clipboard.cellsInBuffer);
    EXPECT_TRUE(buffer().empty());
    EXPECT_EQ(d.editor.commandState(cmd::ctx::InsertCopiedCells)->enabled, false);

    d.editor.execute(cmd::ctx::Copy); // the whole selected row
    ASSERT_TRUE(d.editor.clipboard.wholeSignal);
    const std::vector<std::string> copied = buffer();
    ASSERT_TRUE(edit::moveSignal(d.editor, 1));
    EXPECT_EQ(buffer(), copied);
}

TEST_F(ClipboardFixture, CutAndDeleteWithARectangleBelowTheLastRowEndTheRectangle)
{
    for (int command : {cmd::EditCut, cmd::ctx::Delete}) {
        rowsOf({"0101"});
        highlight(3, 4, 1, 2); // rows that no longer exist
        d.ui.answers.push_back(false);
        const int rows = d.editor.diagram().store.signalCount();
        d.editor.execute(command);
        EXPECT_FALSE(d.editor.state().rectangle.active) << command;
        EXPECT_EQ(d.editor.diagram().store.signalCount(), rows) << command; // the question was declined
    }
}

TEST_F(ClipboardFixture, DeleteCellsIsOneUndoStepAndARefusedInsertTakesNone)
{
    rowsOf({"0000111101", "0101010101"});
    d.editor.takeSnapshot(); // the diagram as the user left it
    highlight(0, 0, 3, 5);
    int before = d.snapshots;
    d.editor.execute(cmd::ctx::Delete);
    EXPECT_EQ(head(0), "0000101111");
    EXPECT_EQ(d.snapshots, before + 1);
    EXPECT_TRUE(d.ui.questions.empty()); // cells go without asking
    ASSERT_TRUE(d.editor.execute(cmd::EditUndo));
    EXPECT_EQ(head(0), "0000111101"); // the first Undo brings the cells back

    // Copy three cells, then insert them onto a two-by-two block: refused, nothing to undo.
    highlight(1, 1, 0, 2);
    d.editor.execute(cmd::EditCopy);
    highlight(0, 1, 4, 5);
    before = d.snapshots;
    d.editor.execute(cmd::ctx::InsertCopiedCells);
    EXPECT_EQ(lastMessage(), edit::kInsertSizeMismatch);
    EXPECT_EQ(d.ui.messages.back().caption, edit::kIllegalInsert);
    EXPECT_EQ(d.snapshots, before);
    EXPECT_EQ(head(0), "0000111101");
}

TEST_F(ClipboardFixture, InsertNearTheRowsEndKeepsTheCellsBeforeIt)
{
    struct Case {
        int column;       // the highlighted single cell
        std::string tail; // characters 594 to 599 afterwards
    };
    // Row 1 ends in 2 1 0 1 2 0 (characters 594 to 599); the copied cells are 3 3 3. The cells
    // pushed past the end fall off, the last character stays.
    const Case cases[] = {
        {597, "210130"}, // one copied cell fits before the last character
        {596, "210330"},
        {594, "233310"},
        {598, "210120"}, // the block starts at the last character: all of it falls off
    };
    for (const Case& c : cases) {
        d.editor.resetDiagram();
        rowsOf({"0333", "0000"});
        std::string wave = d.wave(1);
        wave.replace(594, 6, "210120");
        d.setWave(1, wave);
        highlight(0, 0, 0, 2);
        d.editor.execute(cmd::EditCopy);
        highlight(1, 1, c.column, c.column);
        d.editor.execute(cmd::ctx::InsertCopiedCells);
        EXPECT_EQ(d.wave(1).size(), 600u) << c.column;
        EXPECT_EQ(d.wave(1).substr(594), c.tail) << c.column;
        EXPECT_EQ(d.wave(1).substr(0, 594), std::string(594, '0')) << c.column;
    }
}

TEST_F(ClipboardFixture, TheKindTagAloneMakesAClock)
{
    // A plain signal derived from an expression that names a clock is copied like any signal.
    rowsOf({"0101", "1111"});
    d.setDataField(0, model::signalfield::FreeText, "CLK AND en");
    d.setDataField(1, model::signalfield::FontFace, "SEPIA Sans");
    highlight(0, 1, 0, 1);
    d.editor.execute(cmd::EditCopy);
    EXPECT_EQ(lastMessage(), "");
    EXPECT_EQ(buffer(), (std::vector<std::string>{"partialcopy.", "2.2", "0", "0", "10", "11"}));
}

TEST_F(ClipboardFixture, CutAndInsertMoveOnlyTheCyclesOfArrowEnds)
{
    struct Case {
        const char* what;
        int command;
        std::string arrowAfter;
    };
    const Case cases[] = {
        {"cut of three cells", cmd::EditCut, "5.A.1.A.0.0.0.0.1.1.400.20.160.20."},
        {"insert of three cells", cmd::ctx::InsertCopiedCells, "11.A.1.A.0.0.0.0.1.1.400.20.160.20."},
    };
    for (const Case& c : cases) {
        d.editor.resetDiagram();
        rowsOf({"0000111101", "0101"});
        list(ListId::Signals).replace(0, fields::joinRow("A", fields::dataOfRow(list(ListId::Signals).get(0))));
        highlight(1, 1, 0, 2);
        d.editor.execute(cmd::EditCopy);
        // A floating arrow: it is drawn at its stored pixels, which stay where the user put them.
        list(ListId::Arrows).append("8.A.1.A.0.0.0.0.1.1.400.20.160.20.");
        highlight(0, 0, 3, c.command == cmd::EditCut ? 5 : 3);
        d.editor.execute(c.command);
        EXPECT_EQ(list(ListId::Arrows).get(0), c.arrowAfter) << c.what;
    }
}
