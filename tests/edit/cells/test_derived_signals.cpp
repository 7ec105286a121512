#include <gtest/gtest.h>

#include "edit/cells/DerivedSignal.h"
#include "edit/Editor.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "render/RecordingSurface.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fields = model::fields;

namespace {

std::string repeat(std::string_view unit)
{
    std::string cells;
    while (cells.size() < 600)
        cells += unit;
    return cells.substr(0, 600);
}

// A signal row with the given cells, delay and derivation expression.
std::string row(std::string_view name, std::string_view cells, int delay = 0, std::string_view expression = "N/A")
{
    std::string record = model::buildRowRecord(model::NewRowKind::Signal, name, 1);
    record = model::signal::withDataField(record, model::signalfield::Waveform, cells);
    record = model::signal::withDataField(record, model::signalfield::Delay, delay);
    return model::signal::withDataField(record, model::signalfield::FreeText, expression);
}

struct DerivedFixture : ::testing::Test {
    model::Diagram diagram;
    void add(const std::string& record) { diagram.store.signals().append(record); }
    edit::DerivedResult eval(std::string_view expression) { return edit::evaluateDerivation(diagram, expression); }
};

} // namespace

TEST_F(DerivedFixture, AndOfClockAndEnableIsHighOnlyWhereBothAre)
{
    add(row("clk", repeat("01")));
    add(row("en", repeat("0011")));
    auto r = eval("clk AND en");
    ASSERT_TRUE(r.value);
    EXPECT_EQ(r.value->waveform, repeat("0001"));
    EXPECT_EQ(r.value->delay, 0);
}

TEST_F(DerivedFixture, TruthTablesOfAndAndOr)
{
    // Every pair of the usual values 0, 1, 2 side by side: a runs 000111222, b runs 012012012.
    add(row("a", repeat("000111222"), 7));
    add(row("b", repeat("012012012"), 9));
    auto both = eval("a AND b");
    auto either = eval("A OR B"); // names match ignoring case
    ASSERT_TRUE(both.value && either.value);
    EXPECT_EQ(both.value->waveform.substr(0, 9), "000012022");
    EXPECT_EQ(either.value->waveform.substr(0, 9), "012111212");
    EXPECT_EQ(both.value->delay, 0); // AND and OR carry no delay
    EXPECT_EQ(either.value->delay, 0);
}

TEST_F(DerivedFixture, BusValuesAndSeparatorsAsOperands)
{
    add(row("bus", repeat("34")));
    add(model::fields::joinRow("sep", "SEP_0.0.1.Arial.0.1.0.0.0.1."));
    add(row("one", repeat("1")));
    // 3 and 4 are their digit values: AND gives 2, OR of anything above 2 gives 1.
    EXPECT_EQ(eval("bus AND one").value->waveform.substr(0, 2), "22");
    EXPECT_EQ(eval("bus OR one").value->waveform.substr(0, 2), "11");
    // A separator is an empty operand: its cells count as 0.
    EXPECT_EQ(eval("sep AND one").value->waveform, std::string(600, '0'));
    EXPECT_EQ(eval("sep OR one").value->waveform, std::string(600, '1'));
}

TEST_F(DerivedFixture, DelayedReferencesAddTheirDelays)
{
    add(row("d", repeat("0011"), 5));
    add(row("e", repeat("1"), 0, "d{3}"));
    add(row("f", repeat("1"), 0, "e{4}"));
    struct Case {
        const char* expression;
        int delay;
    };
    const Case cases[] = {
        {"d{10}", 15},          // the delay plus d's own delay
        {"e{1}", 1 + 3 + 5},    // through e to d
        {"f{2}", 2 + 4 + 3 + 5}, // through f and e to d
        {"d{abc}", 5},          // no number: 0
        {"d{-3}", 2},
        {"d{7", 12},            // no closing brace: up to the end
    };
    for (const Case& c : cases) {
        auto r = eval(c.expression);
        ASSERT_TRUE(r.value) << c.expression;
        EXPECT_EQ(r.value->waveform, repeat("0011")) << c.expression;
        EXPECT_EQ(r.value->delay, c.delay) << c.expression;
    }
}

TEST_F(DerivedFixture, HugeDelaysSaturate)
{
    add(row("d", repeat("01")));
    add(row("e", repeat("1"), 0, "d{99999999999999999999}"));
    EXPECT_EQ(eval("d{99999999999999999999}").value->delay, edit::kMaxDerivedDelay);
    EXPECT_EQ(eval("e{99999999999}").value->delay, edit::kMaxDerivedDelay);
    EXPECT_EQ(eval("d{-99999999999}").value->delay, -edit::kMaxDerivedDelay);
}

TEST_F(DerivedFixture, ExpressionsThatDeriveNothing)
{
    add(row("self", repeat("1"), 0, "self{5}"));
    add(row("a", repeat("1"), 0, "b{1}"));
    add(row("b", repeat("1"), 0, "a{1}"));
    add(row("c", repeat("1"), 0, "a AND b"));
    add(row("plain", repeat("0")));
    struct Case {
        const char* expression;
        bool missing;
    };
    const Case cases[] = {
        {"N/A", false}, {"", false},          {"plain", false},   // not a form
        {"self{5}", false}, {"a{2}", false},                       // loops
        {"c{1}", false},                                           // reaches a row derived otherwise
        {"ghost{1}", true}, {"ghost AND plain", true}, {"plain OR ghost", true},
    };
    for (const Case& c : cases) {
        auto r = eval(c.expression);
        EXPECT_FALSE(r.value) << c.expression;
        EXPECT_EQ(r.missingRow, c.missing) << c.expression;
    }
}

TEST_F(DerivedFixture, ShortWaveformsArePaddedWithTheirLastCell)
{
    diagram.settings.cellCount = 8;
    add(row("s", "0110"));
    add(row("one", repeat("1")));
    auto r = eval("s AND one");
    ASSERT_TRUE(r.value);
    EXPECT_EQ(r.value->waveform.substr(0, 10), "0110000000");
}

TEST(DerivedPreview, TheMovedRowIsDrawnDerivedAndAMissingRowIsToldOnce)
{
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    model::RecordList& rows = editor.diagram().store.signals();
    rows.append(row("clk", repeat("01")));
    rows.append(row("en", repeat("0011")));
    rows.append(row("x", repeat("1"), 0, "clk AND en"));
    rows.append(row("y", repeat("1"), 0, "nobody{4}"));

    editor.movePreview = render::MovePreview{2, 200, {}};
    auto derived = editor.redrawOptions().movePreview->derived(2);
    ASSERT_TRUE(derived);
    EXPECT_EQ(derived->first, repeat("0001"));
    // The full redraw's own rows keep their cells.
    EXPECT_EQ(model::signal::waveform(rows.get(2)), repeat("1"));

    editor.movePreview = render::MovePreview{3, 200, {}};
    render::RecordingSurface surface({1200, 900});
    editor.redraw(surface);
    editor.redraw(surface);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, edit::kProblemFindingSignal);
}
