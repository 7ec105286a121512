#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "io/base/DrawnColumns.h"
#include "io/base/FileAccess.h"
#include "io/dump/DrawnChanges.h"
#include "io/dump/VcdReader.h"
#include "io/dump/VcdTokenizer.h"
#include "io/dump/VcdWriter.h"
#include "io/native/NativeFileReader.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "render/Layout.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;

namespace {

const char* kHeader = "$date today $end\n$version test $end\n$timescale 1 ns $end\n"
                      "$scope module tb $end\n"
                      "$var wire 1 ! clk $end\n$var wire 1 \" d $end\n$var reg 4 # cnt [3:0] $end\n"
                      "$scope module sub $end\n$var real 64 $ r $end\n$var wire 1 ! clk $end\n$upscope $end\n"
                      "$upscope $end\n$enddefinitions $end\n";
const char* kBody = "#0\n$dumpvars\n0!\nx\"\nb0000 #\nr1.5 $\n$end\n"
                    "#5\n1!\n1\"\n#10\n0!\n#12\nz\"\n#15\n1!\nb101 #\n#20\n0!\n#25\n1!\n#30\n0!\n";

struct Imported {
    io::ImportResult result;
    model::Diagram diagram;
    std::string cells(int row) const
    {
        const std::string_view w = model::signal::waveform(diagram.store.signals().get(row));
        // The drawing shows one column fewer than the cell count.
        return std::string(w.substr(1, static_cast<size_t>(diagram.settings.cellCount - 1)));
    }
    std::string name(int row) const { return fields::decodePeriods(fields::nameOfRow(diagram.store.signals().get(row))); }
};

Imported importVcd(const std::string& text, const io::VcdChoice& choice = {})
{
    Imported out;
    std::istringstream in(text);
    test::FixedMeasurer measurer;
    out.result = io::readVcd(in, choice, out.diagram, measurer);
    return out;
}

TEST(VcdImport, SamplesEveryHalfCycleAtItsMiddle)
{
    const Imported r = importVcd(std::string(kHeader) + kBody);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    ASSERT_EQ(r.diagram.store.signalCount(), 4); // clk, d, cnt, sub.clk (an alias); the real is left out
    EXPECT_EQ(r.diagram.settings.cellCount, 6); // five columns drawn
    const char* names[] = {"clk", "d", "cnt[3:0]", "sub.clk"}; // a vector keeps its width in its name
    const char* cells[] = {"10101", "12222", "44333", "10101"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(r.name(i), names[i]);
        EXPECT_EQ(r.cells(i), cells[i]) << names[i];
    }
    EXPECT_TRUE(model::isClockData(fields::dataOfRow(r.diagram.store.signals().get(0))));
    EXPECT_TRUE(model::isClockData(fields::dataOfRow(r.diagram.store.signals().get(3)))); // the clock's alias
    EXPECT_FALSE(model::isClockData(fields::dataOfRow(r.diagram.store.signals().get(1))));
    std::vector<std::string> values;
    for (const std::string& t : r.diagram.store.list(model::ListId::Texts).records())
        values.push_back(std::string(*fields::textField(t, 4)) + "@" + std::string(*fields::textField(t, 5)));
    EXPECT_EQ(values, (std::vector<std::string>{"0x0@cnt[3:0]", "0x5@cnt[3:0]"}));
    ASSERT_EQ(r.result.notes.size(), 1u);
    EXPECT_NE(r.result.notes[0].find("1 real-valued"), std::string::npos);
}

// While dumping is off a simulator writes every variable as x, and the current values again when
// it is back on: a signal shows the gap as tri-state, a bus as a run of x (the clock keeps its
// own edges).
TEST(VcdImport, DumpOffShowsTheGapAsTriState)
{
    const char* header = "$timescale 1 ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n"
                         "$var wire 1 \" d $end\n$var reg 4 # cnt $end\n$upscope $end\n$enddefinitions $end\n";
    const char* body = "#0\n$dumpvars\n0!\n1\"\nb1 #\n$end\n#5\n1!\n#10\n0!\n"
                       "#11\n$dumpoff\nx\"\nbx #\n$end\n#15\n1!\n#20\n0!\n"
                       "#21\n$dumpon\n0\"\nb10 #\n$end\n#25\n1!\n#30\n0!\n#35\n1!\n";
    const Imported r = importVcd(std::string(header) + body);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    ASSERT_EQ(r.diagram.store.signalCount(), 3);
    EXPECT_EQ(r.cells(0), "101010"); // the clock's half-cycles from #5 to #35
    EXPECT_EQ(r.cells(1), "122000"); // d: 1, then x (tri-state) while off, then 0
    EXPECT_EQ(r.cells(2), "433444"); // cnt: 1, then a run of x while off, then 2
    for (int cell = 0; cell < 6; ++cell) // the unknown cells of d are hatched
        EXPECT_EQ(r.diagram.store.floodStyles().get(1, cell) != 0, cell == 1 || cell == 2) << cell;
    std::vector<std::string> values;
    for (const std::string& t : r.diagram.store.list(model::ListId::Texts).records())
        values.push_back(std::string(*fields::textField(t, 4)));
    EXPECT_EQ(values, (std::vector<std::string>{"0x1", "x", "0x2"}));
}

TEST(VcdImport, LeavesOutVectorsTooWideToShowAndSaysSo)
{
    const std::string text = "$var wire 1 ! clk $end\n$var wire 2000 # wide $end\n$var wire 2 $ two $end\n"
                             "$enddefinitions $end\n#0 0! b0 # b01 $ #5 1! #10 0!\n";
    const Imported r = importVcd(text);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    ASSERT_EQ(r.diagram.store.signalCount(), 2);
    EXPECT_EQ(r.name(1), "two[1:0]");
    EXPECT_EQ(r.result.notes, std::vector<std::string>{"1 vector(s) wider than 1024 bits were left out."});
}

struct WindowCase {
    const char* name;
    std::optional<long long> from, to;
    std::vector<std::string> signals;
    const char* clock;
    std::vector<std::string> rows; // name=cells
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class VcdChoices : public testing::TestWithParam<WindowCase> {};

TEST_P(VcdChoices, ShapeTheDiagram)
{
    const WindowCase& c = GetParam();
    const Imported r = importVcd(std::string(kHeader) + kBody, io::VcdChoice{c.clock, c.signals, c.from, c.to});
    ASSERT_TRUE(r.result.ok) << r.result.error;
    std::vector<std::string> rows;
    for (int i = 0; i < r.diagram.store.signalCount(); ++i)
        rows.push_back(r.name(i) + "=" + r.cells(i));
    EXPECT_EQ(rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, VcdChoices,
    testing::Values(WindowCase{"From", 15, {}, {"d"}, "", {"clk=101", "d=222"}},
                    WindowCase{"To", {}, 20, {"cnt"}, "", {"clk=1010", "cnt[3:0]=4433"}},
                    WindowCase{"Both", 10, 15, {"tb.d"}, "clk", {"clk=01", "d=22"}},
                    WindowCase{"SignalsInTheOrderGiven", {}, {}, {"cnt", "d"}, "", {"clk=10101", "cnt[3:0]=44333", "d=12222"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    std::string text;
    io::VcdChoice choice;
    const char* says;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class VcdRefused : public testing::TestWithParam<BadCase> {};

TEST_P(VcdRefused, WithAClearMessage)
{
    const Imported r = importVcd(GetParam().text, GetParam().choice);
    EXPECT_FALSE(r.result.ok);
    EXPECT_NE(r.result.error.find(GetParam().says), std::string::npos) << r.result.error;
    EXPECT_EQ(r.diagram.store.signalCount(), 0);
}

const std::string kOne = "$var wire 1 ! clk $end\n";
const std::string kEnd = "$enddefinitions $end\n";

INSTANTIATE_TEST_SUITE_P(
    Bad, VcdRefused,
    testing::Values(
        BadCase{"Empty", "", {}, "ends before \"$enddefinitions\""},
        BadCase{"Truncated", "$scope module tb $end\n$var wire 1 ! cl", {}, "line 2: the file ends before \"$end\""},
        BadCase{"UnknownHeaderKeyword", "$frobnicate $end\n" + kEnd, {}, "line 1: unknown keyword $frobnicate"},
        BadCase{"UnknownBodyKeyword", kOne + kEnd + "#0\n$dumpsome\n", {}, "line 4: unknown keyword $dumpsome"},
        BadCase{"Undeclared", kOne + kEnd + "#0\n0!\n1?\n", {}, "line 5: the identifier code ? was never declared"},
        BadCase{"Backwards", kOne + kEnd + "#10\n0!\n#5\n1!\n", {}, "line 5: time goes backwards (#5 after #10)"},
        BadCase{"WidthZero", "$var wire 0 ! clk $end\n" + kEnd, {}, "clk is 0 bits wide"},
        BadCase{"WidthHuge", "$var wire 100000 ! bus $end\n" + kEnd, {}, "bus is 100000 bits wide"},
        BadCase{"VectorWithoutCode", kOne + kEnd + "#0\nb0101", {}, "ends inside a value change"},
        BadCase{"NotAChange", kOne + kEnd + "#0\n!hello\n", {}, "\"!hello\" is not a value change"},
        BadCase{"BadTime", kOne + kEnd + "#1x\n", {}, "\"#1x\" is not a time"},
        BadCase{"Binary", std::string("\x7f" "ELF\x01\x02", 6), {}, "outside any keyword"},
        BadCase{"NoEdges", kOne + kEnd + "#0\n0!\n#5\n1!\n", {}, "fewer than two edges"},
        BadCase{"NoClock", "$var wire 1 ! a $end\n" + kEnd + "#0\n0!\n", {}, "no 1-bit signal named like a clock"},
        BadCase{"ClockIsVector", "$var wire 4 ! a $end\n" + kEnd, {"a", {}, {}, {}}, "no 1-bit signal named a"},
        BadCase{"UnknownSignal", kOne + kEnd, {"clk", {"nope"}, {}, {}}, "no signal named nope"},
        BadCase{"CutInsideTheHeader", kOne + "$upscope $end\n$endde", {}, "the file ends inside its header, in \"$endde\""},
        BadCase{"CutAfterADollar", kOne + "$", {}, "the file ends inside its header, in \"$\""},
        BadCase{"WindowBackwards", kOne + kEnd + kBody, {"clk", {}, 20, 10},
                "The time window is empty: it starts at time 20, not before its end at time 10."},
        BadCase{"WindowOfNoTime", kOne + kEnd + kBody, {"clk", {}, 10, 10}, "The time window is empty"},
        BadCase{"AmbiguousName",
                "$scope module top $end\n$var wire 1 ! clk $end\n$scope module rx $end\n$var wire 1 \" busy $end\n"
                "$upscope $end\n$scope module tx $end\n$var wire 1 # busy $end\n$upscope $end\n$upscope $end\n" + kEnd,
                {"clk", {"busy"}, {}, {}},
                "The name busy matches several signals of the dump (top.rx.busy, top.tx.busy): give more of its name."},
        BadCase{"WindowPastTheEnd", kOne + kEnd + "#0\n0!\n#5\n1!\n#10\n0!\n#15\n1!\n", {"clk", {}, 900, {}},
                "The dump ends at time 15, before the window starts at time 900."}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClockCase {
    const char* name;
    std::string vars;
    std::string body;
    const char* clock;
    bool needsCounts; // the header alone cannot name the default clock
};

void PrintTo(const ClockCase& c, std::ostream* os) { *os << c.name; }

class VcdDefaultClock : public testing::TestWithParam<ClockCase> {};

TEST_P(VcdDefaultClock, IsNamedLikeAClockElseTheBusiest)
{
    std::istringstream in(GetParam().vars + kEnd + GetParam().body);
    const io::VcdSurvey s = io::surveyVcd(in);
    ASSERT_TRUE(s.ok) << s.error;
    EXPECT_EQ(io::defaultVcdClock(s), GetParam().clock);

    // The command line reads only the header when it names the clock: the same clock must come.
    std::istringstream again(GetParam().vars + kEnd + GetParam().body);
    const io::VcdSurvey header = io::readVcdHeader(again);
    ASSERT_TRUE(header.ok) << header.error;
    EXPECT_EQ(header.variables.size(), s.variables.size());
    EXPECT_EQ(io::defaultVcdClockNeedsCounts(header), GetParam().needsCounts);
    if (!io::defaultVcdClockNeedsCounts(header)) {
        EXPECT_EQ(io::defaultVcdClock(header), GetParam().clock);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, VcdDefaultClock,
    testing::Values(ClockCase{"Named", "$var wire 1 a fast $end\n$var wire 1 b sys_CLK $end\n",
                              "#0 0a 0b #1 1a #2 0a #3 1a #4 1b", "sys_CLK", false},
                    ClockCase{"BusiestOfTheNamed",
                              "$var wire 1 a clk_slow $end\n$var wire 1 b clk_fast $end\n$var wire 4 c clock $end\n",
                              "#0 0a 0b #1 1b #2 0b #3 1b #4 1a", "clk_fast", true},
                    ClockCase{"Busiest", "$var wire 1 a slow $end\n$var wire 1 b fast $end\n$var wire 8 c v $end\n",
                              "#0 0a 0b b0 c #1 1b b1 c #2 0b b10 c #3 1a 1b b11 c", "fast", true},
                    ClockCase{"None", "$var wire 8 c v $end\n", "#0 b0 c", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// A dump of many blocks read in one pass: only the window is kept, the rows and cells are cut
// at the diagram's limits and the notes say where.
// A window that runs past the dump's end imports what the dump holds and says where it ended; a
// window inside the dump says nothing of the kind.
TEST(VcdImport, ADumpEndingBeforeTheWindowSaysWhereItEnded)
{
    const Imported past = importVcd(std::string(kHeader) + kBody, {"clk", {}, 0, 1000});
    ASSERT_TRUE(past.result.ok) << past.result.error;
    EXPECT_EQ(past.cells(0), importVcd(std::string(kHeader) + kBody, {"clk", {}, 0, {}}).cells(0));
    EXPECT_NE(std::find(past.result.notes.begin(), past.result.notes.end(),
                        "The dump ends at time 30, before the end of the window at time 1000: the diagram holds what "
                        "the dump has up to there."),
              past.result.notes.end());
    const Imported inside = importVcd(std::string(kHeader) + kBody, {"clk", {}, 0, 22});
    ASSERT_TRUE(inside.result.ok) << inside.result.error;
    for (const std::string& note : inside.result.notes)
        EXPECT_EQ(note.find("The dump ends"), std::string::npos) << note;
}

TEST(VcdImport, StreamsLargeDumpsAndCutsAtTheLimits)
{
    std::string text = "$timescale 1ps $end\n$scope module top $end\n$var wire 1 ! clk $end\n";
    for (int i = 0; i < 300; ++i)
        text += "$var wire 16 s" + std::to_string(i) + " v" + std::to_string(i) + " $end\n";
    text += "$upscope $end\n$enddefinitions $end\n";
    std::ostringstream body;
    for (int t = 0; t < 100000; ++t) {
        body << '#' << t * 10 << "\n" << (t % 2) << "!\n";
        if (t % 2 == 0)
            body << 'b' << t / 2 % 2 << " s0\n";
    }
    text += body.str();
    ASSERT_GT(text.size(), io::VcdTokenizer::kBlock);
    const Imported r = importVcd(text, {"", {}, 900000, {}});
    ASSERT_TRUE(r.result.ok) << r.result.error;
    EXPECT_EQ(r.diagram.store.signalCount(), 256);
    EXPECT_EQ(r.diagram.settings.cellCount, 600); // 599 columns drawn
    ASSERT_EQ(r.result.notes.size(), 2u);
    EXPECT_NE(r.result.notes[0].find("45 signal(s) from top.v255 on were left out"), std::string::npos) << r.result.notes[0];
    EXPECT_NE(r.result.notes[1].find("cut at time 905990"), std::string::npos) << r.result.notes[1];
    EXPECT_EQ(r.cells(0).substr(0, 6), "010101"); // the first edge at or after 900000 falls
    EXPECT_EQ(r.cells(1).substr(0, 6), "443344");
}

// Icarus Verilog simulates a counter and writes the dump that is imported.
TEST(VcdImport, CounterSimulatedByIcarusVerilog)
{
    if (std::system("command -v iverilog >/dev/null 2>&1 && command -v vvp >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Icarus Verilog (Debian iverilog) is not installed: run scripts/setup-debian.sh";
    const fs::path dir = fs::temp_directory_path() / ("sigmora-vcd-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path source = fs::path(SIGMORA_SOURCE_DIR) / "tests" / "io" / "data" / "counter_tb.v";
    const std::string command = "cd '" + dir.string() + "' && iverilog -o counter.vvp '" + source.string() +
                                "' && vvp -n counter.vvp >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream surveyed(dir / "counter.vcd", std::ios::binary);
    const io::VcdSurvey survey = io::surveyVcd(surveyed);
    ASSERT_TRUE(survey.ok) << survey.error;
    const std::string clock = io::defaultVcdClock(survey);
    EXPECT_EQ(clock, "tb.clk");
    std::ifstream in(dir / "counter.vcd", std::ios::binary);
    Imported r;
    test::FixedMeasurer measurer;
    r.result = io::readVcd(in, {clock, {}, {}, {}}, r.diagram, measurer);
    fs::remove_all(dir);
    ASSERT_TRUE(r.result.ok) << r.result.error;
    const int cells = r.diagram.settings.cellCount - 1;
    EXPECT_GE(cells, 60);
    int countRow = -1;
    for (int i = 0; i < r.diagram.store.signalCount(); ++i)
        if (r.name(i).rfind("count[", 0) == 0)
            countRow = i;
    ASSERT_GE(countRow, 0);
    EXPECT_EQ(r.name(0), "clk");
    const std::string clk = r.cells(0), count = r.cells(countRow);
    for (int k = 1; k < cells; ++k) {
        EXPECT_NE(clk[static_cast<size_t>(k)], clk[static_cast<size_t>(k - 1)]) << "the clock alternates at cell " << k;
        // The counter changes on rising edges, so a new value starts at every second cell.
        const bool newValue = count[static_cast<size_t>(k)] != count[static_cast<size_t>(k - 1)];
        EXPECT_EQ(newValue, k % 2 == 0) << "cell " << k;
    }
    std::vector<std::string> values;
    for (const std::string& t : r.diagram.store.list(model::ListId::Texts).records())
        if (fields::textField(t, 5)->rfind("count[", 0) == 0)
            values.emplace_back(*fields::textField(t, 4));
    ASSERT_GE(values.size(), 4u);
    for (size_t k = 1; k < values.size(); ++k) // 0x-marked hexadecimal, one more each time
        EXPECT_EQ(std::stoi(values[k], nullptr, 16), std::stoi(values[k - 1], nullptr, 16) + 1) << k;
}

} // namespace

// A signal is found by its name with or without the range of a vector, as GHDL writes it
// ("dout[7:0]") or as Icarus Verilog does ("dout [7:0]"), and by its end after any scope.
TEST(VcdImport, SignalsAreFoundWithOrWithoutTheirRange)
{
    const std::string body = "#0\n0!\nb0 \"\n#5\n1!\nb101 \"\n#10\n0!\n#15\n1!\n";
    for (const char* declaration : {"$var wire 8 \" dout[7:0] $end\n", "$var wire 8 \" dout [7:0] $end\n"})
        for (const char* asked : {"utt.dout", "dout", "dout[7:0]", "tb.utt.dout[7:0]"}) {
            const std::string text = "$scope module tb $end\n$var wire 1 ! clk $end\n$scope module utt $end\n" +
                                     std::string(declaration) + "$upscope $end\n$upscope $end\n" + kEnd + body;
            const Imported r = importVcd(text, {"clk", {asked}, {}, {}});
            ASSERT_TRUE(r.result.ok) << declaration << asked << ": " << r.result.error;
            ASSERT_EQ(r.diagram.store.signalCount(), 2);
            EXPECT_EQ(r.name(1), "utt.dout[7:0]") << declaration << asked;
        }
}


// An unknown value is hatched over the diagram's cells only: widening the diagram draws no hatch
// past the other rows' ends.
TEST(VcdImport, HatchingEndsWithTheDiagram)
{
    const Imported r = importVcd("$var wire 1 ! clk $end\n$var wire 1 \" d $end\n$enddefinitions $end\n"
                                 "#0 0! 0\"\n#5 1!\n#10 0! x\"\n#15 1!\n#20 0!\n");
    ASSERT_TRUE(r.result.ok) << r.result.error;
    const int columns = r.diagram.settings.cellCount - 1;
    ASSERT_EQ(columns, 3);
    EXPECT_EQ(r.cells(1), "022");
    for (int k = 0; k < model::kMaxCells; ++k)
        EXPECT_EQ(r.diagram.store.floodStyles().get(1, k) != 0, k == 1 || k == 2) << "column " << k;
}

// A dump this program wrote ends with the diagram (a last time stamp after the last change):
// read back with the diagram's own clock, every drawn column comes back, the last one too.
TEST(VcdImport, OurOwnDumpComesBackCellForCellWithTheDrawnClock)
{
    for (const char* example : {"handshake.sgm", "annotated.sgm"}) {
        model::Diagram original;
        const io::FileBytes file = io::readWholeFile(std::string(SIGMORA_SOURCE_DIR) + "/examples/" + example);
        ASSERT_EQ(io::readAnyVersion(file.bytes, original).status, io::ReadResult::Status::Ok) << example;
        const io::TimedRows timed = io::timedRows(original, example, io::HdlLanguage::Verilog, 5'000'000);
        ASSERT_TRUE(timed.ok) << timed.error;
        const Imported r = importVcd(io::vcdText(timed), {"Clock", {}, {}, {}});
        ASSERT_TRUE(r.result.ok) << example << ": " << r.result.error;
        const int columns = io::drawnColumnCount(render::Layout::from(original.settings));
        ASSERT_EQ(r.diagram.settings.cellCount - 1, columns) << example;
        const std::string_view clock = model::signal::waveform(original.store.signals().get(0));
        EXPECT_EQ(r.cells(0), std::string(clock.substr(1, static_cast<std::size_t>(columns)))) << example;
    }
}

// The program's own dump says its cell time; read in those cells, every example comes back cell
// for cell on every row, the gated clock of the SPI example included, and a row named like a clock
// is a clock row.
TEST(VcdImport, OurOwnDumpReadInItsCellsComesBackCellForCell)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(SIGMORA_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".sgm")
            continue;
        const std::string example = entry.path().filename().string();
        model::Diagram original;
        const io::FileBytes file = io::readWholeFile(entry.path().string());
        ASSERT_EQ(io::readAnyVersion(file.bytes, original).status, io::ReadResult::Status::Ok) << example;
        const io::TimedRows timed = io::timedRows(original, example, io::HdlLanguage::Verilog, 5'000'000);
        ASSERT_TRUE(timed.ok) << timed.error;
        const std::string dump = io::vcdText(timed);
        std::istringstream header(dump);
        const io::VcdSurvey survey = io::readVcdHeader(header);
        ASSERT_EQ(survey.cellTime, 5000) << example;
        io::VcdChoice choice;
        choice.cellTime = survey.cellTime;
        const Imported r = importVcd(dump, choice);
        ASSERT_TRUE(r.result.ok) << example << ": " << r.result.error;
        const int columns = io::drawnColumnCount(render::Layout::from(original.settings));
        ASSERT_EQ(r.diagram.settings.cellCount - 1, columns) << example;
        int back = 0;
        for (int i = 0; i < original.store.signalCount(); ++i) {
            const model::SignalRow row = model::parseSignalRow(original.store.signals().get(i));
            if (row.separator)
                continue;
            std::string want;
            for (int k = 0; k < columns; ++k) {
                const char c = io::columnValue(row.waveform, k);
                want += io::hatchedColumn(original, i, k) ? '2' : c == '3' ? '4' : c;
            }
            std::string got = r.cells(back);
            for (char& c : got)
                c = c == '3' ? '4' : c; // bus phases may differ
            if (want.find('4') == std::string::npos) { // buses: their values are the stimulus tests'
                EXPECT_EQ(got, want) << example << " row " << row.name;
            }
            EXPECT_EQ(model::isClockData(fields::dataOfRow(r.diagram.store.signals().get(back))), row.clock)
                << example << " row " << row.name;
            ++back;
        }
        ++checked;
    }
    EXPECT_GE(checked, 3);
}
