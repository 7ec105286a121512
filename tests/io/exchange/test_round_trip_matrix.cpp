#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "io/base/DiagramBuilder.h"
#include "io/base/DrawnColumns.h"
#include "io/base/FileAccess.h"
#include "io/dump/DrawnChanges.h"
#include "io/dump/VcdReader.h"
#include "io/dump/VcdWriter.h"
#include "io/exchange/CsvFormat.h"
#include "io/exchange/SvgFixtures.h"
#include "io/exchange/SvgReader.h"
#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"
#include "io/exchange/XmlFormat.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"
#include "support/FixedMeasurer.h"
#include "support/ReferenceClock.h"

// Every file the program writes, it reads back: every example and generated diagrams (rows of every
// kind, floods, moved edges, every annotation kind, non-ASCII and the characters each format marks)
// through every format that goes both ways. The diagram read back equals what the format carries,
// and saved as a diagram file it always reopens as it was saved.
//
// What each format carries:
// - diagram file, SVG: everything (SVG: the waveform width and top margin it is drawn with);
// - XML: names, cells, floods (as style 1), time breaks and the texts on rows: its second export
//   is the first but for the flood styles;
// - CSV: names and cells;
// - WaveJSON: names on one line, every drawn column (a hatched one as undefined, a bus value by
//   its run), half a cycle more when it says so; its second export is stable;
// - the value change dump, read with a reference clock of one edge a cell: every drawn column
//   of the rows that draw something (a bus as defined or not; its numbers are the stimulus
//   tests'), separators left out.

using namespace sigmora;
namespace fs = std::filesystem;
namespace fields = model::fields;

namespace {

constexpr long long kHalfPeriodFs = 5'000'000; // 5 ns
constexpr long long kHalfPeriodPs = 5'000;

struct Named {
    std::string name;
    model::Diagram diagram;
};

std::vector<Named> examples()
{
    std::vector<Named> out;
    for (const auto& entry : fs::directory_iterator(fs::path(SIGMORA_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".sgm")
            continue;
        Named n{entry.path().filename().string(), {}};
        const io::FileBytes file = io::readWholeFile(entry.path().string());
        EXPECT_EQ(io::readAnyVersion(file.bytes, n.diagram).status, io::ReadResult::Status::Ok) << n.name;
        out.push_back(std::move(n));
    }
    return out;
}

// Texts with what each format has to mark or escape, and letters beyond ASCII.
const char* const kTexts[] = {"data",    "Däta µs", "a.b",      "x \"q\" <&>", "日本",  "two\\nlines",
                              "c, d; e", "tab end", "back\\slash", "=x=",     "{[ ]}", "'quoted'"};

// A diagram as a user may draw one: a clock first, then signals, buses with values, separators,
// floods, moved edges, arrows with captions, labels, time breaks, a title and a foot.
Named generated(unsigned seed)
{
    Named out{"generated " + std::to_string(seed), {}};
    model::Diagram& d = out.diagram;
    const test::FixedMeasurer measurer;
    io::DiagramBuilder b(d, measurer);
    std::mt19937 rnd(seed);
    auto pick = [&](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
    const int columns = 8 + pick(24);
    const int titleY = b.makeRoomForTitle();
    b.addFreeText(b.waveOriginX(), titleY, kTexts[pick(12)]);

    io::ImportedRow clock;
    clock.name = "clk";
    clock.clock = clock.risingArrows = true;
    for (int k = 0; k < columns; ++k)
        clock.cells += k % 2 ? '0' : '1';
    clock.entry = '0';
    b.addRow(clock);
    const int rows = 4 + pick(8);
    for (int r = 0; r < rows; ++r) {
        const std::string name = std::string(kTexts[pick(12)]) + " " + std::to_string(r);
        const int kind = pick(5);
        if (kind == 0) {
            b.addSeparator(pick(2) ? name : std::string(), pick(4));
            continue;
        }
        io::ImportedRow row;
        row.name = name;
        row.hatched.assign(static_cast<std::size_t>(columns), false);
        char bus = '3';
        for (int k = 0; k < columns;) {
            const int run = 1 + pick(4);
            char c = kind == 4 ? (bus = bus == '3' ? '4' : '3') : static_cast<char>('0' + pick(3));
            if (kind == 4 && pick(4) == 0)
                c = '2';
            if (kind == 4 && c != '2' && pick(3) != 0)
                row.values.emplace_back(k, pick(2) ? "0x" + std::to_string(10 + pick(80)) : std::to_string(pick(200)));
            for (int j = 0; j < run && k < columns; ++j, ++k) {
                row.cells += c;
                row.hatched[static_cast<std::size_t>(k)] = c == '2' && pick(3) == 0;
            }
        }
        b.addRow(row);
    }
    const int count = b.rowCount();
    for (int a = 0; a < 3; ++a)
        b.addArrow(pick(columns), pick(count), pick(columns), pick(count), pick(4), pick(3), pick(2) ? kTexts[pick(12)] : "");
    for (int t = 0; t < 2; ++t)
        b.addTimeBreak(1 + pick(columns - 1), pick(count));
    b.finish(columns);
    // Floods of every style and moved edges (within half a cell, where a dump still samples the
    // value drawn), on rows that are not separators.
    for (int r = 1; r < count; ++r) {
        if (model::parseSignalRow(d.store.signals().get(r)).separator)
            continue;
        for (int k = 0; k < 3; ++k)
            d.store.floodStyles().set(r, pick(columns), 1 + pick(7));
        const int edge = 2 + pick(columns - 2), shift = 1 + pick(12);
        d.store.edgeOffsets().set(r, edge, shift);
        d.store.edgeOffsets().set(r, edge + 1, -shift);
    }
    // A label between two rows with its caption, and a foot below the last row.
    const std::string from(fields::nameOfRow(d.store.signals().get(0)));
    d.store.list(model::ListId::Labels).append("2." + from + ".4." + from + ".2.0.0.1.0.0.0.1.");
    d.store.list(model::ListId::Texts)
        .append("150.5.190.17." + fields::encodePeriods(kTexts[pick(12)]) + ".WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    b.addFreeText(b.waveOriginX(), b.rowTop(count) + 4, kTexts[pick(12)]);
    return out;
}

std::vector<Named> diagrams()
{
    std::vector<Named> all = examples();
    for (unsigned seed = 1; seed <= 8; ++seed)
        all.push_back(generated(seed));
    return all;
}

// The diagram read back, saved as a diagram file, reopens as it was saved.
void expectNativeReopens(const model::Diagram& d, const std::string& what)
{
    const std::string bytes = io::nativeFileBytes(d);
    model::Diagram reopened;
    const io::ReadResult r = io::readNativeFile(bytes, reopened);
    ASSERT_EQ(r.status, io::ReadResult::Status::Ok) << what << ": " << r.problem;
    EXPECT_EQ(io::nativeFileBytes(reopened), bytes) << what;
}

int drawn(const model::Diagram& d) { return io::drawnColumnCount(render::Layout::from(d.settings)); }

// What a column shows in WaveJSON's terms: 0, 1, z, x (hatched or drawn as nothing), b for the
// first column of a bus value and = for the others.
std::string shown(const model::Diagram& d, int row, int columns)
{
    const std::string_view w = model::signal::waveform(d.store.signals().get(row));
    std::string out;
    for (int k = 0; k < columns; ++k) {
        const char c = io::columnValue(w, k);
        if (io::hatchedColumn(d, row, k))
            out += 'x';
        else if (c == '0' || c == '1')
            out += c;
        else if (c == '2')
            out += 'z';
        else if (c == '3' || c == '4')
            out += k > 0 && io::columnValue(w, k - 1) == c && out.back() != 'x' ? '=' : 'b';
        else
            out += 'x';
    }
    return out;
}

// The same in a dump's terms: a bus column is v where the drawing shows a number on its run
// (the box the writers find by the drawing's rule), else x. The dump import writes its numbers
// in hexadecimal digits without a mark (bareHex).
std::string dumped(const model::Diagram& d, int row, int columns, bool bareHex = false)
{
    std::string out = shown(d, row, columns);
    const std::string_view w = model::signal::waveform(d.store.signals().get(row));
    const render::Layout layout = render::Layout::from(d.settings);
    const io::BusValueBoxes boxes(d, layout);
    const io::ColumnEdges edges(d, layout, row, columns);
    bool number = false;
    for (int k = 0; k < columns; ++k) {
        const char c = io::columnValue(w, k);
        if (c != '3' && c != '4')
            continue;
        if (k == 0 || io::columnValue(w, k - 1) != c) { // a new value, hatched or not
            int end = k + 1;
            while (end < columns && io::columnValue(w, end) == c)
                ++end;
            const io::BusValueBoxes::Box* box = boxes.on(row, edges.changeX(k), edges.changeX(end));
            const std::string text = box ? std::string(model::trimBlanks(box->text)) : std::string();
            const bool hex = bareHex && !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string::npos;
            const io::BusNumber n = io::parseBusNumber(hex ? "0x" + text : text);
            number = n.ok && !n.special;
        }
        char& shownHere = out[static_cast<std::size_t>(k)];
        if (shownHere != 'x')
            shownHere = number ? 'v' : 'x';
    }
    return out;
}

std::vector<int> drawingRows(const model::Diagram& d)
{
    std::vector<int> rows;
    for (int i = 0; i < d.store.signalCount(); ++i)
        if (!model::parseSignalRow(d.store.signals().get(i)).separator)
            rows.push_back(i);
    return rows;
}

std::string nameOf(const model::Diagram& d, int row)
{
    return model::singleLineText(fields::decodePeriods(fields::nameOfRow(d.store.signals().get(row))));
}

} // namespace

TEST(RoundTripMatrix, EveryFormatReadsBackWhatItCarriesAndTheDiagramFileReopens)
{
    const test::FixedMeasurer measurer;
    for (const Named& n : diagrams()) {
        const model::Diagram& d = n.diagram;
        SCOPED_TRACE(n.name);
        expectNativeReopens(d, "diagram file");

        model::Diagram fromSvg;
        ASSERT_EQ(io::readSvgDiagram(test::svgOf(d), fromSvg).status, io::SvgReadResult::Status::Ok);
        model::Diagram sameSize = d;
        sameSize.settings.waveformWidth = fromSvg.settings.waveformWidth;
        sameSize.settings.topMargin = fromSvg.settings.topMargin;
        // The SVG's data comments carry the items of the diagram file's layout and, after them,
        // what a diagram holds beyond them (its time base, timing parameters, dump source).
        EXPECT_EQ(fromSvg.extension, d.extension) << "SVG";
        EXPECT_EQ(io::nativeFileBytes(fromSvg), io::nativeFileBytes(sameSize)) << "SVG";
        expectNativeReopens(fromSvg, "SVG");

        model::Diagram fromXml;
        const std::string xml = io::xmlDocument(d);
        const io::ExchangeReadResult xmlRead = io::readXmlDiagram(xml, fromXml);
        ASSERT_TRUE(xmlRead.ok()) << xmlRead.problem;
        std::string floodsAsOne = xml;
        for (char style = '2'; style <= '7'; ++style)
            for (std::size_t at = 0; (at = floodsAsOne.find("value=\"" + std::string(1, style) + "\"></flood>", at)) !=
                                     std::string::npos;)
                floodsAsOne[at + 7] = '1';
        EXPECT_EQ(io::xmlDocument(fromXml), floodsAsOne) << "XML";
        expectNativeReopens(fromXml, "XML");

        // CSV: every row a signal row of the name and the cells, padded with the last one.
        model::Diagram fromCsv;
        ASSERT_TRUE(io::readCsvDiagram(io::csvDocument(d), fromCsv).ok());
        ASSERT_EQ(fromCsv.store.signalCount(), d.store.signalCount()) << "CSV";
        for (int i = 0; i < d.store.signalCount(); ++i) {
            const std::string& want = d.store.signals().get(i);
            const std::string& got = fromCsv.store.signals().get(i);
            EXPECT_EQ(fields::nameOfRow(got), fields::nameOfRow(want)) << "CSV row " << i;
            std::string cells(model::signal::waveform(want));
            if (!cells.empty())
                cells.resize(std::max<std::size_t>(cells.size(), 600), cells.back());
            EXPECT_EQ(model::signal::waveform(got).substr(0, 200), std::string_view(cells).substr(0, 200))
                << "CSV row " << i;
        }
        model::Diagram csvAgain;
        ASSERT_TRUE(io::readCsvDiagram(io::csvDocument(fromCsv), csvAgain).ok());
        EXPECT_EQ(io::csvDocument(csvAgain), io::csvDocument(fromCsv)) << "CSV, written a third time";
        expectNativeReopens(fromCsv, "CSV");

        // WaveJSON: the rows in order, a blank one more for the foot.
        const io::WaveJsonExport json = io::waveJsonExport(d);
        model::Diagram fromJson;
        const io::ImportResult jsonRead = io::readWaveJson(json.text, fromJson, measurer);
        ASSERT_TRUE(jsonRead.ok) << jsonRead.error;
        const int columns = drawn(d);
        const bool longer =
            std::any_of(json.notes.begin(), json.notes.end(), [](const std::string& s) { return s.find("half a cycle longer") != std::string::npos; });
        EXPECT_EQ(drawn(fromJson), columns + (longer ? 1 : 0)) << "WaveJSON";
        const std::vector<int> rows = drawingRows(d), back = drawingRows(fromJson);
        ASSERT_EQ(back.size(), rows.size()) << "WaveJSON";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(nameOf(fromJson, back[i]), nameOf(d, rows[i])) << "WaveJSON row " << rows[i];
            EXPECT_EQ(shown(fromJson, back[i], columns), shown(d, rows[i], columns))
                << "WaveJSON row " << nameOf(d, rows[i]);
        }
        const std::string second = io::waveJsonText(fromJson);
        model::Diagram again;
        ASSERT_TRUE(io::readWaveJson(second, again, measurer).ok);
        EXPECT_EQ(io::waveJsonText(again), second) << "WaveJSON, written a third time";
        expectNativeReopens(fromJson, "WaveJSON");

        // The value change dump, read with one clock edge a cell.
        const io::TimedRows timed = io::timedRows(d, n.name, io::HdlLanguage::Verilog, kHalfPeriodFs);
        if (!timed.ok)
            continue; // nothing drawn: no dump to write
        std::istringstream dump(test::withReferenceClock(io::vcdText(timed), timed.endTime, kHalfPeriodPs));
        io::VcdChoice choice;
        choice.clock = "sample_clk";
        model::Diagram fromDump;
        const io::ImportResult dumpRead = io::readVcd(dump, choice, fromDump, measurer);
        ASSERT_TRUE(dumpRead.ok) << dumpRead.error;
        EXPECT_EQ(drawn(fromDump), columns) << "dump";
        std::size_t next = 1; // row 0 is the reference clock
        for (int row : rows) {
            const std::string want = dumped(d, row, columns);
            if (want.find_first_not_of('x') == std::string::npos && model::signal::waveform(d.store.signals().get(row)).find_first_of("01234") == std::string_view::npos)
                continue; // draws nothing: left out
            ASSERT_LT(next, static_cast<std::size_t>(fromDump.store.signalCount())) << "dump";
            EXPECT_EQ(dumped(fromDump, static_cast<int>(next), columns, true), want) << "dump row " << nameOf(d, row);
            ++next;
        }
        expectNativeReopens(fromDump, "dump");
    }
}

// Text another program's file holds that a diagram file cannot (control characters) is replaced
// and said; lists past what a diagram file holds are cut and said. What is read always saves and
// reopens.
TEST(RoundTripMatrix, ImportsMakeOnlyDiagramsTheFileHolds)
{
    const test::FixedMeasurer measurer;
    const std::string c = "\\u0001";
    const std::string json = "{\"signal\": [[\"gr" + c + "p\", {\"name\": \"a" + c + "b\", \"wave\": \"=.=.\", \"data\": [\"v" +
                             c + "1\", \"2\"], \"node\": \".a.b\"}]], \"edge\": [\"a->b cap" + c + "\"], \"head\": {\"text\": \"t" +
                             c + "\"}, \"foot\": {\"text\": \"f" + c + "\"}}";
    model::Diagram fromJson;
    const io::ImportResult r = io::readWaveJson(json, fromJson, measurer);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_FALSE(r.notes.empty());
    EXPECT_NE(r.notes.back().find("Control characters in 9 text(s) were replaced"), std::string::npos)
        << testing::PrintToString(r.notes);
    expectNativeReopens(fromJson, "WaveJSON with control characters");
    EXPECT_EQ(nameOf(fromJson, 1), "a\xEF\xBF\xBD" "b");
    for (const std::string& t : fromJson.store.list(model::ListId::Texts).records())
        EXPECT_EQ(t.find('\x01'), std::string::npos) << t;

    // A dump names its variables with any byte but a blank.
    const std::string vcd = "$scope module t\x02op $end\n$var wire 1 ! clk $end\n$var wire 1 \" d\x01x $end\n$upscope $end\n"
                            "$enddefinitions $end\n#0\n0!\n0\"\n#5\n1!\n#10\n0!\n1\"\n#15\n1!\n#20\n0!\n";
    std::istringstream in(vcd);
    model::Diagram fromDump;
    const io::ImportResult d = io::readVcd(in, io::VcdChoice{"clk", {}, {}, {}}, fromDump, measurer);
    ASSERT_TRUE(d.ok) << d.error;
    expectNativeReopens(fromDump, "dump with control characters");
    EXPECT_EQ(nameOf(fromDump, 1), "d\xEF\xBF\xBDx");

    // 65,537 edges: the arrows past 65,536 (and their captions) are cut, and the cut is said.
    std::string many = "{\"signal\": [{\"name\": \"a\", \"wave\": \"0101\", \"node\": \".a.b\"}], \"edge\": [";
    for (int k = 0; k < 65537; ++k)
        many += std::string(k ? "," : "") + "\"a->b\"";
    many += "]}";
    model::Diagram fromMany;
    const io::ImportResult m = io::readWaveJson(many, fromMany, measurer);
    ASSERT_TRUE(m.ok) << m.error;
    EXPECT_EQ(fromMany.store.list(model::ListId::Arrows).count(), 65536);
    ASSERT_FALSE(m.notes.empty());
    EXPECT_EQ(m.notes.back(), "1 arrow(s) past the 65,536 a diagram holds were left out.");
    expectNativeReopens(fromMany, "WaveJSON with 65,537 edges");
}

// A diagram read from an SVG document whose data holds text a diagram file refuses is refused as
// damaged, as the diagram file would be: it is never taken in to fail at the next Save.
TEST(RoundTripMatrix, AnSvgWhoseDataHoldsControlCharactersIsRefused)
{
    model::Diagram d = generated(3).diagram;
    std::string svg = test::svgOf(d);
    const std::string name = nameOf(d, 0);
    const std::size_t at = svg.find("clk\t");
    ASSERT_NE(at, std::string::npos);
    svg.insert(at + 1, "\x01");
    model::Diagram back;
    const io::SvgReadResult r = io::readSvgDiagram(svg, back);
    EXPECT_EQ(r.status, io::SvgReadResult::Status::Damaged);
    EXPECT_EQ(r.problem, "a text holds bytes that are not text");
}
