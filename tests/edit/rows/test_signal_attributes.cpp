#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/rows/SignalAttributeCommands.h"
#include "edit/values/SignalAttributes.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fields = model::fields;
namespace cmd = edit::cmd;
using edit::SignalAttributes;
using edit::SignalDialogResult;

namespace {

struct AttributesFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    int snapshots = 0;

    void SetUp() override { editor.onSnapshot = [this] { ++snapshots; }; }
    model::RecordList& list(model::ListId id) { return editor.diagram().store.list(id); }
    model::RecordList& rows() { return editor.diagram().store.signals(); }
    void select(int row) { editor.state().selectedRow = row; }
    // The dialog answers OK after the edit.
    void answerOk(std::function<void(SignalAttributes&)> edit)
    {
        ui.signalDialogScript.push_back([edit](SignalAttributes& v) {
            edit(v);
            return SignalDialogResult::Ok;
        });
    }
};

} // namespace

TEST(SignalAttributeRules, DelayTextOnOk)
{
    struct Case {
        const char* typed;
        int cellWidth;
        const char* kept;
    };
    const Case cases[] = {
        {"40", 30, "20"}, {"-5", 30, "0"}, {"0", 30, "0"},  {" 12 ", 30, "12"},
        {"abc", 30, "abc"}, {"00", 30, "00"}, {"15", 12, "2"}, {"5", 8, "0"},
        {"99999999999", 30, "20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(edit::clampedDelayText(c.typed, c.cellWidth), c.kept) << c.typed;
}

TEST(SignalAttributeRules, DuplicateNamesIgnoreCaseAndBlanksButNotTheEditedRow)
{
    SignalAttributes v;
    v.rowNames = {"Clock", "Data.1", "Bus"};
    v.rowIndex = 1;
    EXPECT_TRUE(edit::nameTakenByOtherRow(v, "clock"));
    EXPECT_TRUE(edit::nameTakenByOtherRow(v, "  BUS "));
    EXPECT_FALSE(edit::nameTakenByOtherRow(v, "Data.1"));
    EXPECT_FALSE(edit::nameTakenByOtherRow(v, "Clock 2"));
    v.rowNames.clear();
    EXPECT_FALSE(edit::nameTakenByOtherRow(v, "Clock"));
}

TEST(SignalAttributeRules, StoredNames)
{
    EXPECT_EQ(edit::storedRowName("  a.b  "), "a~QorWFPeriod~b");
    EXPECT_EQ(edit::storedRowName("x\ty"), "x y");
    EXPECT_EQ(edit::storedRowName("line1\nline2\r"), "line1\\nline2");
    EXPECT_EQ(edit::storedRowName("typed\\nbreak"), "typed\\nbreak");
    EXPECT_EQ(edit::storedRowName(std::string(1000, 'n')).size(), 1000u);
}

TEST(SignalAttributeRules, ClockWaveformsByFrequency)
{
    EXPECT_EQ(edit::clockWaveform(1).substr(0, 7), "0101010");
    EXPECT_EQ(edit::clockWaveform(2).substr(0, 7), "0110011");
    EXPECT_EQ(edit::clockWaveform(3).substr(0, 8), "01110001");
    EXPECT_EQ(edit::clockWaveform(64).substr(0, 66), "0" + std::string(64, '1') + "0");
    for (int k : {0, 1, 7, 64, 1000})
        EXPECT_EQ(edit::clockWaveform(k).size(), 600u);
}

TEST(SignalAttributeRules, DutyOffsetsAreTruncatedFromTheExactProduct)
{
    // With a cell width of 30: 17, 13, 8, 4, 0, then the same magnitudes with the sign turned.
    const int lead[] = {-17, -13, -8, -4, 0, 4, 8, 13, 17};
    model::CellGrid offsets;
    for (int duty = 1; duty <= 9; ++duty) {
        edit::writeDutyOffsets(offsets, 3, duty, 30);
        EXPECT_EQ(offsets.get(3, 0), lead[duty - 1]) << duty;
        EXPECT_EQ(offsets.get(3, 1), -lead[duty - 1]) << duty;
        EXPECT_EQ(offsets.get(3, 598), lead[duty - 1]) << duty;
        EXPECT_EQ(offsets.get(3, 599), -lead[duty - 1]) << duty;
        int sum = 0;
        for (int k = 0; k < 600; ++k)
            sum += offsets.get(3, k);
        EXPECT_EQ(sum, 0);
    }
    EXPECT_EQ(edit::truncatedProduct(0.3, 30), 8);
    EXPECT_EQ(edit::truncatedProduct(-0.3, 30), -8);
    EXPECT_EQ(edit::truncatedProduct(0.5, 30), 15);
}

TEST_F(AttributesFixture, OpeningNeedsASelectedRowAndSkipsSeparators)
{
    editor.execute(cmd::EditSignalAttributes);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], (test::FakeUiPort::Asked{edit::kSelectSignalFirst, edit::kSelectSignalCaption}));
    rows().append(fields::joinRow("separator", "SEP_0.0.1.Arial.0.1.0.0.0.1."));
    select(0);
    editor.execute(cmd::ctx::EditAttributes);
    EXPECT_TRUE(ui.signalDialogsShown.empty());
}

TEST_F(AttributesFixture, TheDialogShowsTheRowAndCancelChangesNothing)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    rows().replace(1, model::signal::withDataField(rows().get(1), model::signalfield::Delay, 7));
    const std::string before = rows().get(1);
    const int snapshotsBefore = snapshots;
    select(1);
    editor.execute(cmd::EditSignalAttributes);
    ASSERT_EQ(ui.signalDialogsShown.size(), 1u);
    const SignalAttributes& shown = ui.signalDialogsShown[0];
    EXPECT_EQ(shown.name, "Default Signal");
    EXPECT_EQ(shown.delayText, "7");
    EXPECT_EQ(shown.fontFace, "Arial");
    EXPECT_EQ(shown.invalidColour, 8421504u);
    EXPECT_EQ(shown.expression, "N/A");
    EXPECT_FALSE(shown.isClock);
    EXPECT_EQ(shown.rowNames, (std::vector<std::string>{"Clock", "Default Signal"}));
    EXPECT_EQ(rows().get(1), before);
    EXPECT_EQ(snapshots, snapshotsBefore + 1); // a snapshot in every case
}

TEST_F(AttributesFixture, DeleteSignalRemovesTheRowAndWhatIsAttachedWithoutAskingAgain)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    editor.addRow(model::NewRowKind::Bus);
    list(model::ListId::Arrows).append("3.Default Signal.5.Clock.0.0.0.0.0.0.10.20.30.40.");
    list(model::ListId::TimeBreaks).append("4.Default Signal.");
    list(model::ListId::TimeBreaks).append("6.Clock.");
    list(model::ListId::Texts).append("150.30.190.46.hi.Default Signal.     0.Arial.8.0.0.0.0.0.0.0.");
    const std::string bus = rows().get(2);
    const int snapshotsBefore = snapshots;
    select(1);
    ui.signalDialogScript.push_back([](SignalAttributes& v) {
        EXPECT_TRUE(v.deleteAvailable);
        return SignalDialogResult::Delete;
    });
    editor.execute(cmd::EditSignalAttributes);
    ASSERT_EQ(rows().count(), 2);
    EXPECT_EQ(rows().get(1), bus);
    EXPECT_EQ(list(model::ListId::Arrows).count(), 0);
    ASSERT_EQ(list(model::ListId::TimeBreaks).count(), 1);
    EXPECT_EQ(list(model::ListId::TimeBreaks).get(0), "6.Clock.");
    EXPECT_EQ(list(model::ListId::Texts).count(), 0);
    EXPECT_TRUE(ui.questions.empty()); // the dialog asked already
    EXPECT_EQ(editor.state().selectedRow, -1);
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(snapshots, snapshotsBefore + 1);
}

TEST_F(AttributesFixture, OkRebuildsTheRecordInFieldOrder)
{
    editor.addRow(model::NewRowKind::Signal);
    rows().replace(0, model::signal::withDataField(rows().get(0), model::signalfield::Kind, "DATA_1_tail"));
    select(0);
    answerOk([](SignalAttributes& v) {
        v.name = "addr.0";
        v.delayText = "40";
        v.ideal = true;
        v.fontFace = "Courier";
        v.fontSize = 14;
        v.fallingArrows = true;
        v.signalColour = 255;
        v.fontColour = 65280;
        v.invalidColour = 16711680;
        v.expression = "a.b AND c";
        v.locked = true;
        v.differential = true;
        v.activeLow = true;
    });
    editor.execute(cmd::EditSignalAttributes);
    const std::string expected = "addr~QorWFPeriod~0\t\t\t\t\tDATA_1_." + std::string(600, '1') +
                                 ".20.1.Courier.14.0.1.255.65280.16711680.a~QorWFPeriod~b AND c.1.0.0.1.1.";
    EXPECT_EQ(rows().get(0), expected);
    EXPECT_EQ(rows().selection(), 0);
    EXPECT_TRUE(editor.diagram().modified);
}

TEST_F(AttributesFixture, RenameReachesEveryRecordThatNamesTheRow)
{
    editor.addRow(model::NewRowKind::Signal); // Default Signal
    editor.addRow(model::NewRowKind::Clock);  // Clock
    rows().replace(1, model::signal::withDataField(rows().get(1), model::signalfield::FreeText, "default signal{4}"));
    list(model::ListId::Arrows).append("3.Default Signal.5.Clock.0.0.0.0.0.0.10.20.30.40.");
    list(model::ListId::Arrows).append("3.Clock.5.DEFAULT SIGNAL.0.0.0.0.0.0.10.20.30.40.");
    list(model::ListId::Labels).append("1.Default Signal.2.Default Signal.2.0.0.1.0.0.0.1.");
    list(model::ListId::TimeBreaks).append("4.Default Signal.");
    list(model::ListId::LegacyRegions).append("2.Default Signal.3.");
    list(model::ListId::Texts).append("150.30.190.46.hi.Default Signal.     0.Arial.8.0.0.0.0.0.0.0.");
    list(model::ListId::Texts).append("150.30.190.46.hi.Clock.     0.Arial.8.0.0.0.0.0.0.0.");
    select(0);
    answerOk([](SignalAttributes& v) { v.name = "Data.In"; });
    editor.execute(cmd::EditSignalAttributes);

    const std::string n = "Data~QorWFPeriod~In";
    EXPECT_EQ(list(model::ListId::Arrows).get(0), "3." + n + ".5.Clock.0.0.0.0.0.0.10.20.30.40.");
    EXPECT_EQ(list(model::ListId::Arrows).get(1), "3.Clock.5." + n + ".0.0.0.0.0.0.10.20.30.40.");
    EXPECT_EQ(list(model::ListId::Labels).get(0), "1." + n + ".2." + n + ".2.0.0.1.0.0.0.1.");
    EXPECT_EQ(list(model::ListId::TimeBreaks).get(0), "4." + n + ".");
    EXPECT_EQ(list(model::ListId::LegacyRegions).get(0), "2." + n + ".3.");
    EXPECT_EQ(fields::textField(list(model::ListId::Texts).get(0), 5).value(), n);
    EXPECT_EQ(fields::textField(list(model::ListId::Texts).get(1), 5).value(), "Clock");
    EXPECT_EQ(model::signal::freeText(rows().get(1)), n + "{4}");
    EXPECT_EQ(fields::nameOfRow(rows().get(0)), n);
}

TEST_F(AttributesFixture, ANewClockFrequencyAsksRewritesCellsAndOffsets)
{
    editor.addRow(model::NewRowKind::Clock);
    select(0);
    ui.answers = {true};
    answerOk([](SignalAttributes& v) { v.clockFrequency = 2; });
    editor.execute(cmd::EditSignalAttributes);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], (test::FakeUiPort::Asked{edit::kClockPeriodQuestion, edit::kClockPeriodCaption}));
    EXPECT_EQ(editor.diagram().settings.periodDivider, 2);
    EXPECT_EQ(model::signal::waveform(rows().get(0)).substr(0, 7), "0110011");
    EXPECT_EQ(model::signal::clockDivisor(rows().get(0)), 2);
    EXPECT_EQ(editor.diagram().store.edgeOffsets().get(0, 0), 0); // 50/50

    // A new duty cycle alone rewrites the offsets and asks nothing.
    ui.questions.clear();
    answerOk([](SignalAttributes& v) { v.clockDuty = 3; });
    editor.execute(cmd::EditSignalAttributes);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(editor.diagram().store.edgeOffsets().get(0, 0), -8);
    EXPECT_EQ(editor.diagram().store.edgeOffsets().get(0, 1), 8);
    EXPECT_EQ(model::signal::waveform(rows().get(0)).substr(0, 7), "0110011");

    // No keeps the period divider.
    ui.answers = {false};
    answerOk([](SignalAttributes& v) { v.clockFrequency = 1; });
    editor.execute(cmd::EditSignalAttributes);
    EXPECT_EQ(editor.diagram().settings.periodDivider, 2);
    EXPECT_EQ(model::signal::waveform(rows().get(0)).substr(0, 5), "01010");
}

TEST_F(AttributesFixture, NamesOfSeveralLinesMakeRoomBelowTheRow)
{
    struct Case {
        const char* name;
        bool separatorBelow;
        int rowsAfter;
    };
    const Case cases[] = {
        {"one line", false, 2},       {"two\\nlines", false, 3},   {"two\\nlines", true, 2},
        {"a\\nb\\nc\\nd", false, 4}, {"a\\nb\\nc\\nd", true, 3},
    };
    for (const Case& c : cases) {
        editor.resetDiagram();
        editor.addRow(model::NewRowKind::Signal);
        if (c.separatorBelow)
            rows().append(fields::joinRow("gap", "SEP_0.0.1.Arial.0.1.0.0.0.1."));
        else
            editor.addRow(model::NewRowKind::Bus);
        select(0);
        const std::string name = c.name;
        answerOk([name](SignalAttributes& v) { v.name = name; });
        editor.execute(cmd::EditSignalAttributes);
        EXPECT_EQ(rows().count(), c.rowsAfter) << c.name;
        for (int i = 1; i < rows().count() - (c.separatorBelow ? 0 : 1); ++i)
            EXPECT_EQ(model::rowKind(rows().get(i)), model::kRowKindSeparator) << c.name << " row " << i;
    }
}
