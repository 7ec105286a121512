#include <gtest/gtest.h>

#include <filesystem>

#include "io/base/DiagramBuilder.h"
#include "io/base/DrawnColumns.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;

namespace {

const fs::path kExamples = fs::path(SIGMORA_SOURCE_DIR) / "examples";

// Columns 0 .. count-1 of a row: characters 1 .. count of its waveform.
std::string columns(const model::Diagram& d, int row, int count)
{
    return std::string(model::signal::waveform(d.store.signals().get(row)).substr(1, static_cast<size_t>(count)));
}

// Columns the drawing shows.
int drawn(const model::Diagram& d) { return io::drawnColumnCount(render::Layout::from(d.settings)); }

std::string hatchedColumns(const model::Diagram& d, int row, int count)
{
    std::string out;
    for (int k = 0; k < count; ++k)
        out += d.store.floodStyles().get(row, k) != 0 ? '#' : '.';
    return out;
}

io::ImportResult import(std::string_view text, model::Diagram& d)
{
    test::FixedMeasurer measurer;
    return io::readWaveJson(text, d, measurer);
}

struct LaneCase {
    const char* name;
    const char* lane; // one lane object
    const char* cells;
    const char* hatched;
    bool clock;
};

void PrintTo(const LaneCase& c, std::ostream* os) { *os << c.name; }

class WaveJsonLane : public testing::TestWithParam<LaneCase> {};

TEST_P(WaveJsonLane, BecomesTheseCells)
{
    const LaneCase& c = GetParam();
    model::Diagram d;
    const io::ImportResult r = import(std::string("{signal: [") + c.lane + "]}", d);
    ASSERT_TRUE(r.ok) << r.error;
    const int count = static_cast<int>(std::string_view(c.cells).size());
    EXPECT_EQ(d.settings.cellCount, count + 1); // the drawing shows one column fewer than its cells
    EXPECT_EQ(columns(d, 0, count), c.cells);
    EXPECT_EQ(hatchedColumns(d, 0, count), c.hatched);
    EXPECT_EQ(model::isClockData(fields::dataOfRow(d.store.signals().get(0))), c.clock);
}

INSTANTIATE_TEST_SUITE_P(
    Waves, WaveJsonLane,
    testing::Values(LaneCase{"PosClock", "{name:'c', wave:'p...'}", "10101010", "........", true},
                    LaneCase{"NegClock", "{wave:'n..'}", "010101", "......", true},
                    LaneCase{"GatedClock", "{wave:'hlp.'}", "11001010", "........", true},
                    LaneCase{"ClockLevels", "{wave:'hlx.'}", "11002222", "....####", true},
                    LaneCase{"DataLevels", "{wave:'hl1.'}", "11001111", "........", false},
                    LaneCase{"Levels", "{wave:'01.x'}", "00111122", "......##", false},
                    LaneCase{"TriState", "{wave:'z1'}", "2211", "....", false},
                    LaneCase{"Gap", "{wave:'0|1'}", "000011", "......", false},
                    LaneCase{"HalfPeriod", "{wave:'0101', period:0.5}", "0101", "....", false},
                    LaneCase{"DoublePeriod", "{wave:'01', period:2}", "00001111", "........", false},
                    LaneCase{"Phase", "{wave:'01.', phase:0.5}", "01111", ".....", false},
                    LaneCase{"PhaseEndingUndefined", "{wave:'01x', phase:0.5}", "01122", "...##", false},
                    LaneCase{"Buses", "{wave:'=.=', data:'a b'}", "444433", "......", false},
                    LaneCase{"BusAfterX", "{wave:'x2', data:['v']}", "2244", "##..", false},
                    LaneCase{"UnknownIsX", "{wave:'1u'}", "1122", "..##", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Bus values sit in the middle of their runs at the size of the row's name; one wider than its
// run less the crossings starts clear of the first crossing.
TEST(WaveJsonImport, BusValuesSitInTheMiddleOfTheirRunsAtTheNameSize)
{
    model::Diagram d;
    ASSERT_TRUE(import("{signal: [{name: 'd.q', wave: '=.3.4', data: ['A.1', 7, 'far too wide']}]}", d).ok);
    const auto& texts = d.store.list(model::ListId::Texts);
    ASSERT_EQ(texts.count(), 3);
    const int origin = d.settings.nameMargin + d.settings.nameColumnWidth;
    const int cw = d.settings.cellWidth;
    const struct {
        const char* message;
        int left;  // from the waveform's start
        int width; // 7 pixels a character
    } expected[] = {{"A~QorWFPeriod~1", (4 * cw - 21) / 2, 21}, {"7", 4 * cw + (4 * cw - 7) / 2, 7},
                    {"far too wide", 8 * cw, 84}}; // wider than its run: from the run's start
    for (int i = 0; i < 3; ++i) {
        const std::string& t = texts.get(i);
        EXPECT_EQ(fields::textField(t, 4), expected[i].message) << i;
        EXPECT_EQ(fields::textField(t, 5), "d~QorWFPeriod~q") << i; // attached to the row
        EXPECT_EQ(fields::intField(t, 0) - origin, expected[i].left) << i;
        EXPECT_EQ(fields::intField(t, 2) - fields::intField(t, 0), expected[i].width) << i;
        EXPECT_EQ(fields::textField(t, 7), "Arial") << i;
        EXPECT_EQ(fields::intField(t, 8), 10) << i; // the row name's size, not the text default of 8
    }
}

TEST(WaveJsonImport, GroupsSpacersEdgesHeadAndFoot)
{
    model::Diagram d;
    const char* text = R"({signal: [
        {name: 'clk', wave: 'P...', node: '.a..'},
        {},
        ['Master', ['ctrl', {name: 'w', wave: '01.0', node: '..b'}]],
        {name: 'plain'}
      ],
      edge: ['a~>b setup', 'a-|>z', 'b<->a'],
      head: {text: ['tspan', {class: 'h'}, 'Title ', ['tspan', 'here']]},
      foot: {text: 'end'},
      config: {hscale: 2}, unknownKey: [1, 2]})";
    const io::ImportResult r = import(text, d);
    ASSERT_TRUE(r.ok) << r.error;
    const auto& rows = d.store.signals();
    ASSERT_EQ(rows.count(), 7);
    // The foot has a blank row of its own below the last lane.
    const char* names[] = {"clk", "", "Master", "ctrl", "w", "plain", ""};
    const int separatorKinds[] = {-1, 0, 1, 1, -1, 0, 0};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(fields::nameOfRow(rows.get(i)), names[i]) << i;
        EXPECT_EQ(model::rowKind(rows.get(i)) == model::kRowKindSeparator, separatorKinds[i] >= 0) << i;
        if (separatorKinds[i] >= 0) {
            EXPECT_EQ(fields::intField(fields::dataOfRow(rows.get(i)), 4), separatorKinds[i]) << i;
        }
    }
    EXPECT_EQ(model::signal::risingArrows(rows.get(0)), 1);
    const auto& arrows = d.store.list(model::ListId::Arrows);
    ASSERT_EQ(arrows.count(), 2);
    // start cycle, start row, end cycle, end row, head, colour, line kind
    // start cycle, start row, end cycle, end row, head, colour, line kind, bend, both anchors
    EXPECT_EQ(arrows.get(0).rfind("2.clk.4.w.0.0.0.0.0.0.", 0), 0u) << arrows.get(0);
    EXPECT_EQ(arrows.get(1).rfind("4.w.2.clk.2.0.1.0.0.0.", 0), 0u) << arrows.get(1);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_NE(r.notes[0].find("1 edge"), std::string::npos);
    // The title above the cycle numbers, with room of its own; the group names on the lines of
    // their separator rows; the edge's caption; the foot on its row, inside the frame.
    const int defaultTop = model::DiagramSettings{}.topMargin;
    EXPECT_EQ(d.settings.topMargin, defaultTop + 16 + 4);
    const int pitch = 2 * d.settings.signalHeight + d.settings.signalSpacing;
    struct Box {
        std::string message, attachment;
        int left, top;
    };
    std::vector<Box> boxes;
    for (const std::string& t : d.store.list(model::ListId::Texts).records())
        boxes.push_back({std::string(*fields::textField(t, 4)), std::string(*fields::textField(t, 5)), fields::intField(t, 0),
                         fields::intField(t, 1)});
    const int origin = d.settings.nameMargin + d.settings.nameColumnWidth;
    const int captionTop = d.settings.signalHeight / 2 - 16; // on the separator's line
    ASSERT_EQ(boxes.size(), 5u);
    const Box expected[] = {{"Title here", "SigmoraNone", origin, 2},
                            {"Master", "Master", origin + 2, d.settings.topMargin + 2 * pitch + captionTop},
                            {"ctrl", "ctrl", origin + 2, d.settings.topMargin + 3 * pitch + captionTop},
                            {"setup", "SigmoraNone", boxes[3].left, boxes[3].top},
                            {"end", "SigmoraNone", origin, d.settings.topMargin + 6 * pitch}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(boxes[i].message, expected[i].message) << i;
        EXPECT_EQ(boxes[i].attachment, expected[i].attachment) << i;
        EXPECT_EQ(boxes[i].left, expected[i].left) << i;
        EXPECT_EQ(boxes[i].top, expected[i].top) << i;
    }
    // The title ends above the cycle numbers (drawn from topMargin - 20).
    EXPECT_LE(2 + 16, d.settings.topMargin - 20);
}

struct BadCase {
    const char* name;
    std::string text;
    const char* says;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class WaveJsonRefused : public testing::TestWithParam<BadCase> {};

TEST_P(WaveJsonRefused, WithAClearMessage)
{
    model::Diagram d;
    const io::ImportResult r = import(GetParam().text, d);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind("This is not a WaveJSON file: ", 0), 0u) << r.error;
    EXPECT_NE(r.error.find(GetParam().says), std::string::npos) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Bad, WaveJsonRefused,
    testing::Values(BadCase{"Empty", "", "empty"}, BadCase{"NoSignal", "{a: 1}", "no \"signal\" list"},
                    BadCase{"SignalNotList", "{signal: 'x'}", "no \"signal\" list"},
                    BadCase{"TopArray", "[{wave: '0'}]", "no \"signal\" list"},
                    BadCase{"NoLanes", "{signal: [1, 'a']}", "no lanes"},
                    BadCase{"Truncated", "{signal: [{name: 'a', wave: '01'}", "ends early"},
                    BadCase{"Trailing", "{signal: []} x", "after the end"},
                    BadCase{"Deep", "{signal: " + std::string(200, '[') + std::string(200, ']') + "}", "nesting"},
                    BadCase{"NotUtf8", "{signal: [{name: '\xff', wave: '0'}]}", "not UTF-8"},
                    BadCase{"OpenString", "{signal: [{name: 'a}]}", "not closed"},
                    BadCase{"BadNumber", "{signal: [{wave: '0', period: 1.2.3}]}", "not a number"},
                    BadCase{"Binary", std::string("\x00\x01\x02", 3), "unexpected character"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveJsonImport, CutsLanesAndCellsPastTheLimitsAndSaysSo)
{
    std::string text = "{signal: [{name: 'long', wave: '" + std::string(400, '1') + "'}";
    for (int i = 1; i < 300; ++i)
        text += ", {name: 'l" + std::to_string(i) + "', wave: '01'}";
    text += "]}";
    model::Diagram d;
    const io::ImportResult r = import(text, d);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(d.store.signalCount(), 256);
    EXPECT_EQ(d.settings.cellCount, io::kMaxImportedColumns + 1);
    ASSERT_EQ(r.notes.size(), 2u);
    EXPECT_NE(r.notes[0].find("44 lane(s) past the 256th"), std::string::npos) << r.notes[0];
    EXPECT_NE(r.notes[1].find("after the 599th"), std::string::npos) << r.notes[1];
    EXPECT_NE(r.notes[1].find("\"long\""), std::string::npos) << r.notes[1];
}

// Rows for the writer: name, kind, the waveform's columns (the entering level is the first column),
// in a diagram that draws `count` columns (one cell more).
model::Diagram diagramOf(std::initializer_list<std::tuple<const char*, model::NewRowKind, std::string>> rows, int count)
{
    model::Diagram d;
    d.settings.cellCount = count + 1;
    d.settings.waveformWidth = d.settings.cellCount * d.settings.cellWidth;
    for (const auto& [name, kind, cells] : rows) {
        std::string r = model::buildRowRecord(kind, fields::encodePeriods(name), 1);
        if (!cells.empty())
            r = model::signal::withDataField(r, model::signalfield::Waveform, cells.substr(0, 1) + cells);
        d.store.signals().append(r);
    }
    return d;
}

struct WriteCase {
    const char* name;
    model::NewRowKind kind;
    std::string cells;
    const char* lane;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WaveJsonExport : public testing::TestWithParam<WriteCase> {};

TEST_P(WaveJsonExport, WritesThisLane)
{
    const WriteCase& c = GetParam();
    const model::Diagram d = diagramOf({{"s", c.kind, c.cells}}, 8);
    EXPECT_EQ(io::waveJsonText(d), std::string("{\"signal\": [\n  ") + c.lane + "\n]}\n");
}

using K = model::NewRowKind;
INSTANTIATE_TEST_SUITE_P(
    Rows, WaveJsonExport,
    testing::Values(WriteCase{"NewClock", K::Clock, "", R"({"name": "s", "wave": "P..."})"},
                    WriteCase{"StoppedClock", K::Clock, "1010110011", R"({"name": "s", "wave": "P.hl"})"},
                    WriteCase{"TriStateClock", K::Clock, "1022101011", R"({"name": "s", "wave": "10z.1010", "period": 0.5})"},
                    WriteCase{"WholeCycles", K::Signal, "0011112222", R"({"name": "s", "wave": "01.z"})"},
                    WriteCase{"HalfShifted", K::Signal, "0111100000", R"({"name": "s", "wave": "01.0.", "phase": 0.5})"},
                    WriteCase{"PerCell", K::Signal, "0100111111", R"({"name": "s", "wave": "010.1...", "period": 0.5})"},
                    WriteCase{"Bus", K::Bus, "4433334444", R"({"name": "s", "wave": "==.=", "data": ["", "", ""]})"},
                    WriteCase{"NewBus", K::Bus, "", R"({"name": "s", "wave": "=...", "data": [""]})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveJsonExport, NamesSeparatorsHatchAndBusLabels)
{
    model::Diagram d = diagramOf({{"a.b\\nc \"q\"", K::Bus, "4433334444"}, {"x", K::Signal, "2222000000"}}, 8);
    d.store.signals().append("sep\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    d.store.signals().append("\t\t\t\t\tSEP_0.0.1.Arial.0.1.0.0.0.1.");
    for (int k = 0; k < 4; ++k)
        d.store.floodStyles().set(1, k, 2);
    // A text box over the second bus value (columns 2-5) of row 0, one on nothing, a label caption.
    const int x = d.settings.nameMargin + d.settings.nameColumnWidth + 2 * d.settings.cellWidth + 4;
    auto& texts = d.store.list(model::ListId::Texts);
    texts.append(std::to_string(x) + ".22." + std::to_string(x + 20) + ".34.v~QorWFPeriod~2.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts.append("1000.22.1020.34.far.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    texts.append(std::to_string(x) + ".22." + std::to_string(x + 20) + ".34.cap.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    EXPECT_EQ(io::waveJsonText(d), "{\"signal\": [\n"
                                   "  {\"name\": \"a.b c \\\"q\\\"\", \"wave\": \"==.=\", \"data\": [\"\", \"v.2\", \"\"]},\n"
                                   "  {\"name\": \"x\", \"wave\": \"x.0.\"},\n"
                                   "  [\"sep\"],\n"
                                   "  {}\n]}\n");
}

// WaveJSON as this program writes it: reading it and writing it again gives back every lane as it
// was, a lane shifted by half a cycle included, whether it ends half a cycle before the others,
// with them or half a cycle after them.
class WaveJsonLanesBack : public testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(WaveJsonLanesBack, AsTheyWereRead)
{
    const std::string& text = GetParam().second;
    model::Diagram d;
    const io::ImportResult r = import(text, d);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(io::waveJsonText(d), text);
}

std::string corpusFile(const char* name)
{
    const io::FileBytes f = io::readWholeFile((fs::path(SIGMORA_SOURCE_DIR) / "fuzz/corpus/wavejson" / name).string());
    return std::string(f.bytes.begin(), f.bytes.end());
}

INSTANTIATE_TEST_SUITE_P(
    Lanes, WaveJsonLanesBack,
    testing::Values(
        std::pair{"ShiftedEndsEarly", std::string(R"({"signal": [
  {"name": "clk", "wave": "p..."},
  {"name": "a", "wave": "01.x", "phase": 0.5},
  {"name": "b", "wave": "0.1.", "phase": 0.5}
]}
)")},
        std::pair{"ShiftedEndsLate", std::string(R"({"signal": [
  {"name": "clk", "wave": "P..."},
  {"name": "a", "wave": "01.0.", "phase": 0.5},
  {"name": "d", "wave": "=.=.", "data": ["1", "2"]}
]}
)")},
        std::pair{"ShiftedChangesAtTheEnd", std::string(R"({"signal": [
  {"name": "clk", "wave": "p..."},
  {"name": "a", "wave": "0.10.", "phase": 0.5}
]}
)")},
        std::pair{"ShiftedAlone", std::string(R"({"signal": [
  {"name": "a", "wave": "z1.0", "phase": 0.5}
]}
)")},
        std::pair{"Annotated", corpusFile("annotated.json")}, std::pair{"Handshake", corpusFile("handshake.json")},
        std::pair{"Spi", corpusFile("spi.json")}),
    [](const auto& info) { return std::string(info.param.first); });

// Every example exports, and importing the export gives back the same cells on every drawn column
// the format carries (a hatched column as undefined, whatever its value); an odd number of
// half-cycles comes back half a cycle longer, which the export says; from then on the export is
// stable.
TEST(WaveJsonRoundTrip, ExamplesComeBackCellForCell)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".sgm")
            continue;
        const io::FileBytes file = io::readWholeFile(entry.path().string());
        model::Diagram original;
        ASSERT_EQ(io::readAnyVersion(file.bytes, original).status, io::ReadResult::Status::Ok) << entry.path();
        const std::string text = io::waveJsonText(original);
        model::Diagram back;
        const io::ImportResult r = import(text, back);
        ASSERT_TRUE(r.ok) << entry.path() << ": " << r.error;
        EXPECT_TRUE(r.notes.empty()) << entry.path();
        // Text below the last row comes back on a blank row of its own below the last lane.
        const int footRow = text.find("\"foot\"") != std::string::npos ? 1 : 0;
        ASSERT_EQ(back.store.signalCount(), original.store.signalCount() + footRow) << entry.path();
        const int count = drawn(original);
        const std::vector<std::string> notes = io::waveJsonExport(original).notes;
        const bool longer = std::find(notes.begin(), notes.end(),
                                      "The diagram's " + std::to_string(count) +
                                          " half-cycles are written as whole cycles: read back, the diagram is half a "
                                          "cycle longer.") != notes.end();
        EXPECT_EQ(drawn(back), count + (longer ? 1 : 0)) << entry.path();
        for (int i = 0; i < original.store.signalCount(); ++i) {
            const std::string& row = original.store.signals().get(i);
            EXPECT_EQ(model::rowKind(back.store.signals().get(i)), model::rowKind(row)) << entry.path() << " row " << i;
            if (model::rowKind(row) == model::kRowKindSeparator)
                continue;
            std::string want = columns(original, i, count), got = columns(back, i, count);
            // A hatched column is undefined: it comes back as hatched tri-state.
            std::string hatches(static_cast<std::size_t>(count), '.');
            for (int k = 0; k < count; ++k)
                if (io::hatchesColumn(original.store.floodStyles().get(i, k))) {
                    want[static_cast<size_t>(k)] = '2';
                    hatches[static_cast<size_t>(k)] = '#';
                }
            for (std::string* s : {&want, &got}) // bus phases may differ; their boundaries may not
                for (char& c : *s)
                    c = c == '3' ? '4' : c;
            if (want.find('4') == std::string::npos) {
                EXPECT_EQ(got, want) << entry.path() << " row " << i;
            }
            EXPECT_EQ(hatchedColumns(back, i, count), hatches) << entry.path() << " row " << i;
        }
        if (!longer) {
            EXPECT_EQ(io::waveJsonText(back), text) << entry.path();
        }
        // Read again and written again, the text stays as it is.
        const std::string second = io::waveJsonText(back);
        model::Diagram again;
        ASSERT_TRUE(import(second, again).ok) << entry.path();
        EXPECT_EQ(io::waveJsonText(again), second) << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

} // namespace


namespace {

// A read burst of four on DQ, one value a half-cycle, centred on DQS's edges (the data eye moved
// by a quarter of a cell, as a datasheet draws it), and DQS toggling with it.
model::Diagram readBurst()
{
    model::Diagram d;
    const test::FixedMeasurer measurer;
    io::DiagramBuilder b(d, measurer);
    io::ImportedRow dqs;
    dqs.name = "DQS";
    dqs.cells = "22221010222";
    io::ImportedRow dq;
    dq.name = "DQ";
    dq.cells = "22224343222";
    dq.values = {{4, "D0"}, {5, "D1"}, {6, "D2"}, {7, "D3"}};
    b.addRow(dqs);
    const int row = b.addRow(dq);
    b.finish(11);
    // The burst is drawn a quarter of a cell later (the change into column k moves by the entries
    // 0 to k + 1): its text boxes moved with it, the tri-state after it is shorter.
    d.store.edgeOffsets().set(row, 5, 8);
    d.store.edgeOffsets().set(row, 10, -8);
    model::RecordList& texts = d.store.list(model::ListId::Texts);
    for (int i = 0; i < texts.count(); ++i) {
        std::string r = texts.get(i);
        const int left = fields::intField(r, 0), right = fields::intField(r, 2);
        r = fields::withIntField(fields::withIntField(r, 0, left + 8), 2, right + 8);
        texts.replace(i, r);
    }
    return d;
}

} // namespace

// Every value of a burst keeps its own label, in order, as the stimulus exports have it; no lane
// goes past the last drawn column.
TEST(WaveJsonExport, ABurstKeepsItsLabelsInOrderAndEndsWithTheDrawing)
{
    const model::Diagram d = readBurst();
    ASSERT_EQ(io::drawnColumnCount(render::Layout::from(d.settings)), 11);
    const std::string text = io::waveJsonText(d);
    EXPECT_NE(text.find(R"({"name": "DQS", "wave": "z...1010z..", "period": 0.5})"), std::string::npos) << text;
    EXPECT_NE(text.find(R"({"name": "DQ", "wave": "z...====z..", "data": ["D0", "D1", "D2", "D3"], "period": 0.5})"),
              std::string::npos)
        << text;
}

// A bus run hatched as undefined is an x, not a value with an empty label; the other runs keep
// their labels in order.
TEST(WaveJsonExport, AHatchedBusRunIsUndefined)
{
    model::Diagram d = diagramOf({{"bus", K::Bus, "3344334433"}}, 10);
    for (int k = 2; k < 4; ++k)
        d.store.floodStyles().set(0, k, 3); // the second run, backward diagonal
    EXPECT_EQ(io::waveJsonText(d), "{\"signal\": [\n"
                                   "  {\"name\": \"bus\", \"wave\": \"=x===\", \"data\": [\"\", \"\", \"\", \"\"]}\n]}\n");
}

TEST(WaveJsonRichText, SubscriptsAndOverlinesBecomeMarksAndLeaveAsWaveDromTspans)
{
    struct Case {
        const char* json; // the head's text as WaveDrom writes it
        const char* marked; // the text box the import makes
        const char* written; // the head's text the export writes again
    };
    const Case cases[] = {
        {R"(['tspan', 't', ['tspan', {'baseline-shift': 'sub'}, 'SU'], ' of ', ['tspan', {'text-decoration': 'overline'}, 'CS']])",
         "t_{SU} of ~{CS}",
         R"(["tspan", "t", ["tspan", {"baseline-shift": "sub"}, "SU"], " of ", ["tspan", {"text-decoration": "overline"}, "CS"]])"},
        // Other styles and a subscript holding a closing brace stay plain text.
        {R"(['tspan', ['tspan', {class: 'h1'}, 'big'], ['tspan', {'baseline-shift': 'sub'}, 'a}b']])", "biga}b", R"("biga}b")"},
        {R"('plain _{not a tspan}')", "plain _{not a tspan}",
         R"(["tspan", "plain ", ["tspan", {"baseline-shift": "sub"}, "not a tspan"]])"},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        ASSERT_TRUE(import(std::string("{signal: [{name: 'a', wave: '01'}], head: {text: ") + c.json + "}}", d).ok) << c.json;
        const auto& texts = d.store.list(model::ListId::Texts);
        ASSERT_EQ(texts.count(), 1) << c.json;
        EXPECT_EQ(*fields::textField(texts.get(0), 4), c.marked);
        const std::string out = io::waveJsonText(d);
        EXPECT_NE(out.find(std::string("\"head\": {\"text\": ") + c.written + "}"), std::string::npos) << out;
        // Read back, the marks are the same.
        model::Diagram back;
        ASSERT_TRUE(import(out, back).ok);
        EXPECT_EQ(*fields::textField(back.store.list(model::ListId::Texts).get(0), 4), c.marked);
    }
}
