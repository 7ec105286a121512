#include <gtest/gtest.h>

#include "io/exchange/AsciiView.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"

using namespace sigmora;

namespace {

std::string repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// Upper and lower line of one row, bare.
std::pair<std::string, std::string> bareLines(const std::string& waveform, int cycles = 255)
{
    io::AsciiOptions bare;
    bare.showNames = false;
    bare.includePrefix = false;
    bare.cycles = cycles;
    const std::string text = io::asciiText({{"x", waveform}}, bare);
    const std::size_t end = text.find("\r\n");
    return {text.substr(0, end), text.substr(end + 2, text.size() - end - 4)};
}

std::string lines(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& t : texts)
        out += t + "\r\n";
    return out;
}

} // namespace

TEST(AsciiView, ClockSignalAndBusWithTheDefaultOptions)
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "Default Signal", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, "Default Bus", 1));
    const std::string pad(15, ' ');
    const std::string expected =
        "-- " + pad + repeated(" _  ", 9) + " _\r\n" +
        "-- Clock          " + repeated("| |_", 9) + "| \r\n" +
        "-- " + pad + repeated("__", 19) + "\r\n" +
        "-- Default Signal " + repeated("  ", 19) + "\r\n" +
        "-- " + pad + repeated("__", 19) + "\r\n" +
        "-- Default Bus    " + repeated("__", 19) + "\r\n";
    EXPECT_EQ(io::asciiText(io::asciiRows(d), io::AsciiOptions{}), expected);
}

TEST(AsciiView, CharacterPairs)
{
    struct Case {
        std::string waveform;
        std::string upper;
        std::string lower;
    };
    const Case cases[] = {
        {"0110", " ___  ", "|   |_"},
        {"00", "  ", "__"},      {"02", "  ", "_-"},     {"03", " _", "/_"},
        {"12", "_ ", " -"},      {"14", "__", "\\_"},    {"20", "  ", "-_"},
        {"21", "__", "  "},      {"22", "  ", "--"},     {"24", " _", "<_"},
        {"30", "  ", "\\_"},     {"41", "__", "/ "},     {"32", "  ", ">-"},
        {"33", "__", "__"},      {"34", " _", "X_"},     {"43", " _", "X_"},
        {"x1", " _", "| "},      // a character that is not a digit counts as 0
        {"0510", "  ", "|_"},     // a value above 4 adds nothing
        {"1", "", ""},           {"", "", ""},
    };
    for (const Case& c : cases) {
        const auto [upper, lower] = bareLines(c.waveform);
        EXPECT_EQ(upper, c.upper) << c.waveform;
        EXPECT_EQ(lower, c.lower) << c.waveform;
    }
}

TEST(AsciiView, OptionsChooseNamesPrefixAndCycles)
{
    const std::vector<io::AsciiRow> rows = {{"a", "0110"}, {"long", "1"}};
    struct Case {
        bool names;
        bool prefix;
        int cycles;
        std::string text;
    };
    const std::string blanks(5, ' ');
    const Case cases[] = {
        {true, true, 20, lines({"//" + blanks + " ___  ", "//a    |   |_", "//" + blanks, "//long "})},
        {true, false, 20, lines({blanks + " ___  ", "a    |   |_", blanks, "long "})},
        {false, true, 20, lines({"// ___  ", "//|   |_", "//", "//"})},
        {false, false, 20, lines({" ___  ", "|   |_", "", ""})},
        {false, false, 2, lines({" _", "| ", "", ""})},
    };
    for (const Case& c : cases) {
        io::AsciiOptions o;
        o.showNames = c.names;
        o.includePrefix = c.prefix;
        o.prefix = "//";
        o.cycles = c.cycles;
        EXPECT_EQ(io::asciiText(rows, o), c.text) << c.names << c.prefix << c.cycles;
    }
}

TEST(AsciiView, RowsStartAtTheFirstVisibleCellAndMarkActiveLow)
{
    model::Diagram d;
    d.store.signals().append(model::fields::joinRow("n", "DATA_0_.0123" + std::string(596, '1') +
                                                             ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.1."));
    d.settings.firstVisibleCell = 2;
    const auto rows = io::asciiRows(d);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].label, "n_b");
    EXPECT_EQ(rows[0].waveform, "23" + std::string(251, '1'));
    d.settings.firstVisibleCell = 300;
    EXPECT_EQ(io::asciiRows(d)[0].waveform, "");
}

TEST(AsciiView, NamesAreShownAsOnTheScreenAndPaddedByCharacters)
{
    struct Case {
        const char* stored;
        const char* shown;
        std::size_t pad; // blanks after the name: up to the longest name, 9 characters, and one more
    };
    const Case cases[] = {
        {"a~QorWFPeriod~b", "a.b", 7},
        {"two\\nlines", "two lines", 1},
        {"\xc2\xb5s", "\xc2\xb5s", 8}, // UTF-8 "µs": two characters, three bytes
        {"d\xb5s", "d\xc2\xb5s", 7},  // the same letters as older diagrams store them
    };
    for (const Case& c : cases) {
        model::Diagram d;
        d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, c.stored, 1));
        d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "abcdefghi", 1));
        const auto rows = io::asciiRows(d);
        EXPECT_EQ(rows[0].label, c.shown) << c.stored;
        // Both lower lines start their waveform in the same column: after the longest name and a blank.
        const std::string text = io::asciiText(rows, io::AsciiOptions{});
        const std::string first = text.substr(text.find("\r\n") + 2);
        const std::string second = text.substr(text.find("abcdefghi"));
        EXPECT_EQ(first.substr(0, first.find("\r\n")), "-- " + std::string(c.shown) + std::string(c.pad, ' ') +
                                                          std::string(38, ' '))
            << c.stored;
        EXPECT_EQ(second.substr(0, second.find("\r\n")), "abcdefghi " + std::string(38, ' '));
    }
}
