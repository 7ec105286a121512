#include <gtest/gtest.h>

#include "io/exchange/CsvFormat.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"

using namespace sigmora;

namespace {

std::string plain(const std::string& name, const std::string& cells)
{
    return model::fields::joinRow(name, "DATA_0_." + cells + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
}

std::string padded(const std::string& cells, char fill)
{
    return cells + std::string(600 - cells.size(), fill);
}

} // namespace

TEST(CsvFormat, ExportWritesNameCommaBlankAndTheWholeWaveform)
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "clk~QorWFPeriod~0", 1));
    d.store.signals().append(plain("data", padded("0122", '3')));
    const std::string clock(model::signal::waveform(d.store.signals().get(0)));
    EXPECT_EQ(io::csvDocument(d), "clk~QorWFPeriod~0, " + clock + "\ndata, " + padded("0122", '3') + "\n");
}

TEST(CsvFormat, ImportLines)
{
    struct Case {
        const char* name;
        std::string csv;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"commas between cells", "a,1,0", {plain("a", padded("10", '0'))}},
        {"blank after the comma", "b, 01\n", {plain("b", padded("01", '1'))}},
        {"both spellings", "clk, 010101\nclk,0,1,0,1,0,1\n",
         {plain("clk", padded("010101", '1')), plain("clk", padded("010101", '1'))}},
        {"empty name", ",34\n", {plain("", padded("34", '4'))}},
        {"no cells", "n,\n", {plain("n", padded("", '1'))}},
        {"windows line ends and empty lines", "x, 0\r\n\r\n\ny, 1\r\n", {plain("x", padded("0", '0')), plain("y", padded("1", '1'))}},
        {"final line without a comma is dropped", "x, 0\ntrailing", {plain("x", padded("0", '0'))}},
        {"a NUL ends the file", std::string("x, 0\n") + '\0' + "y, 1\n", {plain("x", padded("0", '0'))}},
        {"other characters stand as they are", "z, 0x9\n", {plain("z", padded("0x9", '9'))}},
        {"periods in a name are kept as markers", "a.b, 1\n", {plain("a~QorWFPeriod~b", padded("1", '1'))}},
        {"the entering level and 600 cells", "w, " + std::string(601, '2'), {plain("w", std::string(601, '2'))}},
        {"quoted name", "\"a,b\", 01\n", {plain("a,b", padded("01", '1'))}},
        {"quoted name with quotes and blanks before the comma", "\"say \"\"hi\"\", ok\"  ,1\n",
         {plain("say \"hi\", ok", padded("1", '1'))}},
        {"a quote that opens no quoted name", "\"x, 0\n", {plain("\"x", padded("0", '0'))}},
        {"a quote inside an unquoted name", "say \"hi\", 0\n", {plain("say \"hi\"", padded("0", '0'))}},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        const io::ExchangeReadResult result = io::readCsvDiagram(c.csv, d);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.problem;
        EXPECT_EQ(d.store.signals().records(), c.rows) << c.name;
    }
}

TEST(CsvFormat, BadInputIsRefusedWithItsReason)
{
    std::string rows257;
    for (int i = 0; i < 257; ++i)
        rows257 += "s" + std::to_string(i) + ", 01\n";
    struct Case {
        const char* name;
        std::string csv;
        std::string problem;
    };
    const Case cases[] = {
        {"257 rows", rows257, "more than 256 rows"},
        {"line without a comma before others", "a, 1\nno comma here\nb, 0\n", "line 2 has no comma after its name"},
        {"separator among the cells", "a, 1.0\n", "line 1 holds characters no name or cell can have"},
        {"control character in a name", "a\x1b, 1\n", "line 1 holds characters no name or cell can have"},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        EXPECT_EQ(io::readCsvDiagram(c.csv, d).problem, c.problem) << c.name;
    }
}

TEST(CsvFormat, RoundTripKeepsNamesAndWaveformsOnly)
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "clk", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, "bus~QorWFPeriod~x", 1));
    model::Diagram back;
    ASSERT_TRUE(io::readCsvDiagram(io::csvDocument(d), back).ok());
    ASSERT_EQ(back.store.signals().count(), 2);
    for (int i = 0; i < 2; ++i) {
        const std::string& before = d.store.signals().get(i);
        const std::string& after = back.store.signals().get(i);
        EXPECT_EQ(model::fields::nameOfRow(after), model::fields::nameOfRow(before));
        EXPECT_EQ(model::signal::waveform(after), model::signal::waveform(before));
    }
    // Clocks come back as plain signals.
    EXPECT_FALSE(model::isClockData(model::fields::dataOfRow(back.store.signals().get(0))));
    EXPECT_EQ(io::csvDocument(back), io::csvDocument(d));
}

TEST(CsvFormat, NamesWithCommasAndQuotesAreQuotedAndReadBack)
{
    struct Case {
        std::string name;
        std::string written; // what stands before ", " on the line
    };
    const Case cases[] = {
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {",", "\",\""},
        {"plain name", "plain name"},
        {"d~QorWFPeriod~q", "d~QorWFPeriod~q"},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        d.store.signals().append(plain(c.name, padded("01", '1')));
        const std::string csv = io::csvDocument(d);
        EXPECT_EQ(csv, c.written + ", " + padded("01", '1') + "\n");
        model::Diagram back;
        const io::ExchangeReadResult result = io::readCsvDiagram(csv, back);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.problem;
        EXPECT_EQ(back.store.signals().records(), d.store.signals().records()) << c.name;
    }
}
