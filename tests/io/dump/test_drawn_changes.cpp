#include <gtest/gtest.h>

#include "io/base/DiagramBuilder.h"
#include "io/dump/DrawnChanges.h"
#include "io/dump/HalfPeriod.h"
#include "io/dump/HdlNames.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using io::HdlLanguage;

namespace {

constexpr long long kNs = 1'000'000; // femtoseconds

TEST(HalfPeriod, ReadsANumberAndAUnitOrSaysWhatIsWrong)
{
    const struct {
        const char* text;
        long long fs;          // 0: refused
        const char* problem;   // part of the message when refused
    } cases[] = {
        {"5ns", 5 * kNs, ""},           {" 5 ns ", 5 * kNs, ""},     {"2.5ns", 2'500'000, ""},
        {"100ps", 100'000, ""},         {"5NS", 5 * kNs, ""},        {"0.001ps", 1, ""},
        {"1s", 1'000'000'000'000'000, ""}, {"3us", 3'000'000'000, ""}, {"7ms", 7'000'000'000'000, ""},
        {"0ns", 0, "must be above 0"},  {"-5ns", 0, "must be above 0"}, {"0", 0, "must be above 0"},
        {"fast", 0, "not a time"},      {"5", 0, "not a time"},      {"", 0, "not a time"},
        {"5 parsecs", 0, "not a time"}, {"1.5fs", 0, "finer than 1 fs"}, {"2s", 0, "longer than 1 s"},
        {"99999999999999999999ns", 0, "longer than 1 s"}, {"+5ns", 0, "not a time"},
        {"0x5ns", 0, "is not a time"},  {"0 ns", 0, "must be above 0"}, {"00.0ps", 0, "must be above 0"},
    };
    for (const auto& c : cases) {
        const io::HalfPeriodText h = io::parseHalfPeriod(c.text);
        if (c.fs != 0) {
            EXPECT_EQ(h.femtoseconds, c.fs) << c.text;
            EXPECT_EQ(h.error, "") << c.text;
        } else {
            EXPECT_FALSE(h.femtoseconds) << c.text;
            EXPECT_NE(h.error.find(c.problem), std::string::npos) << c.text << ": " << h.error;
        }
    }
    for (long long fs : {5 * kNs, 2'500'000LL, 1LL, 1'000'000'000'000'000LL, 1'500'000'000LL})
        EXPECT_EQ(io::parseHalfPeriod(io::halfPeriodText(fs)).femtoseconds, fs) << io::halfPeriodText(fs);
    EXPECT_EQ(io::halfPeriodText(5 * kNs), "5ns");
    EXPECT_EQ(io::halfPeriodText(2'500'000), "2500ps");
}

TEST(BusNumbers, ReadAnyWidthWithUnknownAndHighImpedanceBits)
{
    const std::string wide80 = "1" + std::string(79, '0'); // 2^79
    const struct {
        const char* text;
        const char* bits; // nullptr: not a number
        int width;
    } cases[] = {
        {"0x3A", "111010", 6},  {"0X3a", "111010", 6},      {"3Ah", "111010", 6},   {"3aH", "111010", 6},
        {"58", "111010", 6},    {" 58 ", "111010", 6},      {"0b111010", "111010", 6}, {"0", "0", 1},
        {"0x0003", "11", 2},    {"x", "x", 1},              {"XX", "x", 1},         {"z", "z", 1},
        {"18446744073709551615", "1111111111111111111111111111111111111111111111111111111111111111", 64},
        {"604462909807314587353088", wide80.c_str(), 80}, // past 64 bits
        {"0x80000000000000000000", wide80.c_str(), 80},
        {"0xz5", "zzzz0101", 8},  {"0xzx", "zzzzxxxx", 8},  {"0x5z", "101zzzz", 7},
        {"8'bzzzz0101", "zzzz0101", 8}, {"8'h3A", "111010", 8}, {"6'd58", "111010", 6},
        {"'b1010", "1010", 4},    {"4'b1", "1", 4},         {"8'hx", "xxxxxxxx", 8}, {"16'h_12_34", "1001000110100", 16},
        {"0xX5", "xxxx0101", 8},  {"12'o7z", "111zzz", 12},
        {"3A", nullptr, 0},       {"idle", nullptr, 0},     {"0x", nullptr, 0},     {"0b102", nullptr, 0},
        {"-1", nullptr, 0},       {"", nullptr, 0},         {"h", nullptr, 0},      {"8'q12", nullptr, 0},
        {"0'b1", nullptr, 0},     {"4'd1x", nullptr, 0},
    };
    for (const auto& c : cases) {
        const io::BusNumber n = io::parseBusNumber(c.text);
        EXPECT_EQ(n.ok, c.bits != nullptr) << c.text;
        if (c.bits) {
            EXPECT_EQ(n.bits, c.bits) << c.text;
            EXPECT_EQ(n.sized.value_or(n.width()), c.width) << c.text;
        }
    }
    // Fitted to a width: cut on the left, extended by 0, or by x and z where the value starts so.
    EXPECT_EQ(io::parseBusNumber("0x3A").fitted(8), "00111010");
    EXPECT_EQ(io::parseBusNumber("0x3A").fitted(4), "1010");
    EXPECT_EQ(io::parseBusNumber("0xz5").fitted(12), "zzzzzzzz0101");
    EXPECT_EQ(io::parseBusNumber("x").fitted(3), "xxx");
    // What the dump import writes reads back as the same bits.
    for (const char* bits : {"00111010", "zzzz0101", "0x01", "xxxxxxxx", "zzzz", "1", "1010xz01"}) {
        const std::string text = io::busNumberText(bits);
        const io::BusNumber back = io::parseBusNumber(text);
        ASSERT_TRUE(back.ok) << text;
        const std::string want = std::string(bits).find_first_of("xz") == std::string::npos ? bits : bits;
        std::string got = back.fitted(static_cast<int>(std::string_view(bits).size()));
        if (std::string(bits) == "1010xz01") // a digit only partly unknown is read as all unknown
            EXPECT_EQ(got, "1010xxxx") << text;
        else if (std::string(bits) == "0x01") // bits 0, x, 0, 1: one digit partly unknown
            EXPECT_EQ(text, "0xX");
        else
            EXPECT_EQ(got, want) << text;
    }
    EXPECT_EQ(io::busNumberText("00111010"), "0x3a");
    EXPECT_EQ(io::busNumberText("zzzz0101"), "0xz5");
    EXPECT_EQ(io::busNumberText("xxxxxxxx"), "x");
}

TEST(BusNumbers, ARangeAtTheEndOfANameIsTheWidth)
{
    const struct {
        const char* name;
        const char* base; // nullptr: no range
        int width;
    } cases[] = {
        {"data[7:0]", "data", 8}, {"q[0:15]", "q", 16}, {"addr [31:16]", "addr", 16}, {"d[3]", nullptr, 0},
        {"data", nullptr, 0},     {"[7:0]", nullptr, 0}, {"x[a:0]", nullptr, 0},       {"w[1023:0]", "w", 1024},
    };
    for (const auto& c : cases) {
        const auto r = io::nameRange(c.name);
        EXPECT_EQ(r.has_value(), c.base != nullptr) << c.name;
        if (r && c.base) {
            EXPECT_EQ(r->base, c.base);
            EXPECT_EQ(r->width, c.width);
        }
    }
}

TEST(HdlNames, RowNamesBecomeLegalIdentifiersOfEachLanguage)
{
    const struct {
        const char* name;
        const char* verilog;
        const char* vhdl;
    } cases[] = {
        {"data", "data", "data"},
        {"data out", "data_out", "data_out"},
        {"a~QorWFPeriod~b", "a_b", "a_b"}, // the stored period
        {"data[7:0]", "data_7_0_", "data_7_0"},
        {"1st", "s_1st", "s_1st"},
        {"_x", "_x", "s_x"},
        {"a__b_", "a__b_", "a_b"},
        {"module", "module_sig", "module"},
        {"signal", "signal", "signal_sig"},
        {"Wait", "Wait", "Wait_sig"}, // Verilog's keywords are lower case; VHDL ignores case
        {"logic", "logic_sig", "logic"},
        {"std_logic", "std_logic", "std_logic_sig"},
        {"", "unnamed", "unnamed"},
        {"   ", "unnamed", "unnamed"},
        {"d\xc2\xb5s", "d__s", "d_s"},
        {"two\\nlines", "two_lines", "two_lines"},
        {"chip_stimulus", "chip_stimulus_sig", "chip_stimulus_sig"}, // the module's own name
        // VHDL's units of time would hide the unit of every wait; Verilog has none
        {"ps", "ps", "ps_sig"},
        {"NS", "NS", "NS_sig"},
        {"fs", "fs", "fs_sig"},
        {"Us", "Us", "Us_sig"},
        {"ms", "ms", "ms_sig"},
        {"sec", "sec", "sec_sig"},
        {"min", "min", "min_sig"},
        {"hr", "hr", "hr_sig"},
        {"psec", "psec", "psec"},
        // an active-low mark stays apart from the row it marks
        {"CLK#", "CLK_n", "CLK_n"},
        {"#RST", "_nRST", "s_nRST"},
        {"A#B", "A_nB", "A_nB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(io::legalIdentifier(c.name, HdlLanguage::Verilog, {"chip_stimulus"}), c.verilog) << c.name;
        EXPECT_EQ(io::legalIdentifier(c.name, HdlLanguage::Vhdl, {"chip_stimulus"}), c.vhdl) << c.name;
    }
}

TEST(HdlNames, DiagramNamesArePrefixesAndOnlyIllegalOnesChangeWithANote)
{
    const struct {
        const char* path;
        const char* base;
        const char* note; // nullptr: no note
    } cases[] = {
        {"/d/module.sgm", "module", nullptr}, // module_stimulus is legal: a keyword in front of _stimulus is not
        {"/d/chip.sgm", "chip", nullptr},
        {"/d/my design.sgm", "my_design", "The diagram's name \"my design\" is written as my_design."},
        {"/d/3bit.sgm", "s_3bit", "The diagram's name \"3bit\" is written as s_3bit."},
        {"", "diagram", nullptr},
    };
    model::Diagram d;
    test::FixedMeasurer measurer;
    io::DiagramBuilder builder(d, measurer);
    io::ImportedRow row;
    row.name = "a";
    row.cells = "0101";
    builder.addRow(row);
    builder.finish(4);
    for (const auto& c : cases)
        for (HdlLanguage language : {HdlLanguage::Verilog, HdlLanguage::Vhdl}) {
            const io::TimedRows timed = io::timedRows(d, c.path, language, 5'000'000);
            ASSERT_TRUE(timed.ok) << timed.error;
            EXPECT_EQ(timed.baseName, c.base) << c.path;
            const bool noted = !timed.renamings.empty() && timed.renamings.front() == (c.note ? c.note : "");
            EXPECT_EQ(noted, c.note != nullptr) << c.path;
            if (!c.note) {
                EXPECT_TRUE(timed.renamings.empty()) << c.path << ": " << timed.renamings.front();
            }
        }
}

TEST(HdlNames, RepeatedNamesAreNumberedAndCollisionsRefused)
{
    const io::RowIdentifiers numbered = io::rowIdentifiers({"a", "A", "a_2", " a ", "b c"}, HdlLanguage::Vhdl);
    ASSERT_TRUE(numbered.ok) << numbered.error;
    EXPECT_EQ(numbered.identifiers, (std::vector<std::string>{"a", "a_3", "a_2", "a_4", "b_c"}));
    EXPECT_EQ(numbered.renamings, (std::vector<std::string>{"The row \"A\" is a_3.", "The row \" a \" is a_4.",
                                                            "The row \"b c\" is b_c."}));
    const struct {
        std::vector<std::string> names;
        HdlLanguage language;
        const char* error;
    } collisions[] = {
        {{"a b", "a~QorWFPeriod~b"}, HdlLanguage::Verilog,
         "The rows \"a b\" and \"a.b\" would both be named a_b in Verilog: rename one of them."},
        {{"x", "a__b", "a_b"}, HdlLanguage::Vhdl, "The rows \"a__b\" and \"a_b\" would both be named a_b in VHDL"},
        {{"Data", "data "}, HdlLanguage::Verilog, nullptr}, // the same row name: numbered
        {{"a__b", "a_b"}, HdlLanguage::Verilog, nullptr},
    };
    for (const auto& c : collisions) {
        const io::RowIdentifiers ids = io::rowIdentifiers(c.names, c.language);
        EXPECT_EQ(ids.ok, c.error == nullptr) << c.names[0];
        if (c.error) {
            EXPECT_EQ(ids.error.substr(0, std::string(c.error).size()), c.error);
        }
    }
}

// A diagram of rows given as their columns (character k + 1 is column k; character 0 repeats
// column 0), built as an import builds one, with the default 30-pixel cells.
struct Rows {
    model::Diagram d;
    test::FixedMeasurer measurer;
    io::DiagramBuilder builder{d, measurer};
    int add(const std::string& name, const std::string& columns, std::vector<std::pair<int, std::string>> values = {},
            bool clock = false)
    {
        io::ImportedRow r;
        r.name = name;
        r.cells = columns;
        r.clock = clock;
        r.values = std::move(values);
        return builder.addRow(r);
    }
    io::TimedRows timed(long long halfPeriod = 5 * kNs, HdlLanguage language = HdlLanguage::Verilog)
    {
        builder.finish(columns); // every column drawn: the entering level and the columns
        return io::timedRows(d, "/some/folder/my-chip.sgm", language, halfPeriod);
    }
    int columns = 8;
};

std::string changes(const io::TimedRow& row)
{
    std::string out;
    for (const io::TimedChange& c : row.changes)
        out += (out.empty() ? "" : " ") + c.value + "@" + std::to_string(c.time);
    return out;
}

// Character k starts at k half-periods; the edge offset entries 0 to k move it by their sum in
// pixels of the 30-pixel cell, rounded to the picosecond. Later changes never come before
// earlier ones.
TEST(DrawnChanges, EdgeOffsetsMoveChangesInTime)
{
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> entries; // (k, pixels)
        long long halfPeriod;
        const char* expected;
    } cases[] = {
        {"no offsets", {}, 5 * kNs, "0@0 1@15000 0@30000 1@40000"},
        {"one edge 10 pixels later", {{3, 10}, {4, -10}}, 5 * kNs, "0@0 1@16667 0@30000 1@40000"},
        {"leading delay moves every edge", {{0, 6}, {1, 9}}, 5 * kNs, "0@0 1@17500 0@32500 1@42500"},
        {"one edge earlier", {{6, -3}, {7, 3}}, 5 * kNs, "0@0 1@15000 0@29500 1@40000"},
        {"more than a whole cell later", {{3, 40}, {4, -40}}, 5 * kNs, "0@0 1@21667 0@30000 1@40000"},
        {"changes of one picosecond fall together: the last wins", {{3, 1}, {4, -1}}, 1, "1@0"},
        {"1.5 ps half-period, rounded half away from 0", {}, 1500, "0@0 1@5 0@9 1@12"},
        {"absurd offsets keep time order", {{3, 2'000'000'000}, {4, -2'000'000'000}}, 5 * kNs, "0@0 0@30000 1@35000"},
    };
    for (const auto& c : cases) {
        Rows r;
        const int row = r.add("s", "00111001");
        for (auto [k, pixels] : c.entries)
            r.d.store.edgeOffsets().set(row, k, pixels);
        const io::TimedRows t = r.timed(c.halfPeriod);
        ASSERT_TRUE(t.ok) << t.error;
        ASSERT_EQ(t.rows.size(), 1u);
        std::string got = changes(t.rows[0]);
        if (std::string(c.what) == "absurd offsets keep time order") {
            // Character 3 cannot come before character 2 nor past the row's end.
            long long last = 0;
            for (const io::TimedChange& ch : t.rows[0].changes) {
                EXPECT_GE(ch.time, last) << c.what;
                last = ch.time;
            }
            EXPECT_LE(last, t.endTime) << c.what;
            continue;
        }
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(DrawnChanges, LevelsHatchesAndLeftOutRows)
{
    Rows r;
    r.columns = 6;
    r.add("clk", "010101", {}, true);
    const int hatched = r.add("h", "011111");
    for (auto [column, style] : {std::pair{1, 1}, {2, 2}, {3, 7}, {4, 8}})
        r.d.store.floodStyles().set(hatched, column, style);
    r.add("t", "012210");
    r.d.store.signals().append(model::fields::joinRow("sep", "SEP_0.0.1.Arial.1.1.0.0.0.1."));
    r.add("nothing", "      ");
    r.add("oddclk", "0a3401", {}, true); // a clock is 1 bit whatever it draws
    const io::TimedRows t = r.timed();
    ASSERT_TRUE(t.ok) << t.error;
    std::vector<std::string> got;
    for (const io::TimedRow& row : t.rows)
        got.push_back(row.identifier + ":" + std::to_string(row.width) + " " + changes(row));
    // Column k is character k + 1; styles 2 to 7 hatch it (x), style 1 is a shade; a 1-bit row
    // shows x where the drawing draws two lines or nothing.
    EXPECT_EQ(got, (std::vector<std::string>{
                       "clk:1 0@0 1@10000 0@15000 1@20000 0@25000 1@30000",
                       "h:1 0@0 1@10000 x@15000 1@25000",
                       "t:1 0@0 1@10000 z@15000 1@25000 0@30000",
                       "oddclk:1 0@0 x@10000 0@25000 1@30000",
                   }));
    EXPECT_EQ(t.endTime, 35000);
    EXPECT_EQ(t.baseName, "my_chip");
}

TEST(DrawnChanges, BusRunsTakeTheNumberOnThemAndFitTheLargest)
{
    Rows r;
    r.add("addr", "23344433", {{1, "0x3A"}, {3, "3h"}, {6, "note"}}); // column 6: within the run 3 (columns 6-7)
    r.add("plain", "44443333");
    r.add("levels", "01433332", {{3, "0b101"}});
    const io::TimedRows bad = r.timed();
    ASSERT_FALSE(bad.ok);
    EXPECT_EQ(bad.error,
              "The bus addr shows \"note\" at cell 6, which is not a number (write 0x3A, 3Ah, 58, 0b111010 or 8'h3A).");

    Rows narrow;
    narrow.add("wide[3:0]", "3333", {{0, "0x1F"}}); // the name gives 4 bits
    const io::TimedRows tooWide = narrow.timed();
    ASSERT_FALSE(tooWide.ok);
    EXPECT_EQ(tooWide.error, "The bus wide[3:0] shows \"0x1F\" at cell 0, a number wider than its 4 bits.");

    // A name's range is the width, and the port is named without it; numbers of any width, with
    // x and z bits, leave as written.
    Rows wide;
    wide.add("dout[7:0]", "33334444", {{0, "0"}, {4, "0xz5"}});
    wide.add("w", "3333", {{0, "0x1234567890ABCDEF12"}}); // 72 bits
    const io::TimedRows widths = wide.timed();
    ASSERT_TRUE(widths.ok) << widths.error;
    EXPECT_EQ(widths.rows[0].identifier, "dout");
    EXPECT_EQ(widths.rows[0].width, 8);
    EXPECT_EQ(changes(widths.rows[0]), "00000000@0 zzzz0101@25000"); // column 4 is character 5
    EXPECT_EQ(widths.rows[1].width, 69); // 0x12... needs 69 bits
    EXPECT_EQ(widths.rows[1].changes.front().value.substr(0, 12), "100100011010");

    Rows good;
    good.add("addr", "23344433", {{1, "0x3A"}, {3, "3h"}, {6, "x"}, {7, "0b1"}}); // second text on a run: not taken
    good.add("plain", "44443333");
    const int levels = good.add("levels", "01433332", {{3, "0b101"}});
    good.d.store.floodStyles().set(levels, 4, 5); // hatched: x within the run of 101
    const io::TimedRows t = good.timed();
    ASSERT_TRUE(t.ok) << t.error;
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0].width, 6); // 0x3A needs 6 bits
    EXPECT_EQ(changes(t.rows[0]), "zzzzzz@0 111010@10000 000011@20000 xxxxxx@35000");
    EXPECT_EQ(t.rows[1].width, 8); // no numbers: 8 bits of x
    EXPECT_EQ(changes(t.rows[1]), "xxxxxxxx@0");
    EXPECT_EQ(t.rows[2].width, 3);
    EXPECT_EQ(changes(t.rows[2]), "000@0 111@10000 xxx@15000 101@20000 xxx@25000 101@30000 zzz@40000");
}

// A derived row exports what the drawing shows: its own cells.
TEST(DrawnChanges, DerivedRowsExportTheirOwnCells)
{
    Rows r;
    r.add("a", "01010101");
    r.add("b", "00110011");
    const int derived = r.add("d", "11111111");
    std::string record = r.d.store.signals().get(derived);
    r.d.store.signals().replace(derived, model::signal::withDataField(record, model::signalfield::FreeText, "a AND b"));
    const io::TimedRows t = r.timed();
    ASSERT_TRUE(t.ok);
    EXPECT_EQ(changes(t.rows[2]), "1@0");
}

TEST(DrawnChanges, NothingDrawnAndCollidingNamesAreRefused)
{
    Rows empty;
    empty.add("blank", "        ");
    EXPECT_EQ(empty.timed().error, "The diagram has no drawn rows to export.");
    Rows colliding;
    colliding.add("a b", "01");
    colliding.add("a.b", "01");
    EXPECT_FALSE(colliding.timed().ok);
    Rows vhdlOnly;
    vhdlOnly.add("a__b", "01");
    vhdlOnly.add("a_b", "01");
    EXPECT_TRUE(vhdlOnly.timed(5 * kNs, HdlLanguage::Verilog).ok);
    EXPECT_FALSE(vhdlOnly.timed(5 * kNs, HdlLanguage::Vhdl).ok);
}

TEST(DrawnChanges, TheBaseNameComesFromTheFile)
{
    const struct {
        const char* path;
        const char* base;
    } cases[] = {{"/a/b/chip.sgm", "chip"}, {"chip", "chip"}, {"", "diagram"}, {"/a/.hidden", ".hidden"},
                 {"C:\\x\\y.z.sgm", "y.z"}, {"/a/b/", "diagram"}};
    for (const auto& c : cases)
        EXPECT_EQ(io::diagramBaseName(c.path), c.base) << c.path;
}

} // namespace

// Stimulus drives each change of a row that is no clock a little after the edge: by the time the
// row's slanted edge takes to draw (10 of 30 pixels of a 5 ns cell), at least 1 ps for an ideal
// edge, or by the delay asked for; the values at time 0 and the clock stay where they are.
TEST(DrawnChanges, OutputDelayDrivesChangesAfterTheEdge)
{
    Rows r;
    r.add("clk", "0101", {}, true);
    r.add("slanted", "0011");
    const int ideal = r.add("ideal", "0011");
    std::string record = r.d.store.signals().get(ideal);
    r.d.store.signals().replace(ideal, model::signal::withDataField(record, model::signalfield::Ideal, 1));
    r.columns = 4;
    const io::TimedRows drawn = r.timed();
    ASSERT_TRUE(drawn.ok) << drawn.error;
    io::TimedRows driven = drawn;
    io::applyOutputDelay(driven, std::nullopt);
    EXPECT_EQ(changes(driven.rows[0]), changes(drawn.rows[0])); // the clock
    EXPECT_EQ(changes(drawn.rows[1]), "0@0 1@15000");
    EXPECT_EQ(changes(driven.rows[1]), "0@0 1@16667"); // 10 / 30 x 5 ns later
    EXPECT_EQ(changes(driven.rows[2]), "0@0 1@15001"); // an ideal edge: 1 ps
    io::TimedRows asked = drawn;
    io::applyOutputDelay(asked, 500);
    EXPECT_EQ(changes(asked.rows[1]), "0@0 1@15500");
    EXPECT_EQ(changes(asked.rows[2]), "0@0 1@15500");
    EXPECT_GE(asked.endTime, 15500);
}
