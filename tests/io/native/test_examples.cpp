#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/files/FileCommands.h"
#include "edit/grid/GridMapping.h"
#include "edit/annotations/TextBoxValues.h"
#include "edit/annotations/TextCommands.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/TimeRuler.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// The diagrams in examples/ are made here with the editor and saved by its Save As. Run with
// SIGMORA_WRITE_EXAMPLES=1 to write them again; otherwise each is checked to be exactly what the
// editor saves today, to open cleanly and to save again byte for byte.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(SIGMORA_SOURCE_DIR) / "examples";

std::string cells(std::string_view pattern)
{
    std::string out;
    while (out.size() < 600)
        out += pattern;
    out.resize(600);
    return out;
}

void setWaveform(edit::Editor& editor, int row, const std::string& waveform)
{
    auto& rows = editor.diagram().store.signals();
    rows.replace(row, model::signal::withDataField(rows.get(row), model::signalfield::Waveform, waveform));
}

void rename(edit::Editor& editor, int row, std::string_view name)
{
    auto& rows = editor.diagram().store.signals();
    rows.replace(row, model::fields::joinRow(model::fields::encodePeriods(name), model::fields::dataOfRow(rows.get(row))));
}

void addText(edit::Editor& editor, std::string record)
{
    editor.diagram().store.list(model::ListId::Texts).append(std::move(record));
}

// A text placed with the text tool as a user places it: a click at (x, y), the message typed in
// the dialog and, for a value, the row chosen under "Attach to Signal" (which sets the row's
// height). The tool puts the box at the start of the clicked cell; it is then dragged so that its
// middle lies on centreX.
void placeCentred(edit::Editor& e, test::FakeUiPort& ui, int centreX, int y, const std::string& message,
                  int attachedRow = -1, bool bold = false)
{
    edit::TextAttributes a;
    a.message = model::fields::encodePeriods(message);
    a.attachedIndex = attachedRow;
    a.bold = bold;
    ui.textAnswers.push_back(a);
    ASSERT_TRUE(edit::placeTextBox(e, centreX, y)) << message;
    auto& texts = e.diagram().store.list(model::ListId::Texts);
    const int last = texts.count() - 1;
    std::string record = texts.get(last);
    const int left = model::fields::intField(record, model::textfield::Left);
    const int right = model::fields::intField(record, model::textfield::Right);
    const int dx = centreX - (left + right) / 2;
    record = model::fields::withIntField(record, model::textfield::Left, left + dx);
    record = model::fields::withIntField(record, model::textfield::Right, right + dx);
    if (attachedRow < 0) {
        // A box of its own with its top at y (the text tool centres a box on the click's height).
        const int top = model::fields::intField(record, model::textfield::Top);
        const int bottom = model::fields::intField(record, model::textfield::Bottom);
        record = model::fields::withIntField(record, model::textfield::Top, y);
        record = model::fields::withIntField(record, model::textfield::Bottom, bottom + y - top);
    }
    texts.replace(last, record);
}

// The middle x of the cells first ... last of the waveforms.
int runCentre(const edit::Editor& e, int first, int last)
{
    const render::Layout l = edit::GridMapping::of(e.diagram()).layout();
    return l.waveOriginX() + (first + last + 1) * l.cellWidth / 2;
}

// The middle x of all the waveforms, and a y below the last row for a caption.
int waveformsCentre(const edit::Editor& e)
{
    const render::Layout l = edit::GridMapping::of(e.diagram()).layout();
    return l.waveOriginX() + e.diagram().settings.waveformWidth / 2;
}
int captionY(const edit::Editor& e)
{
    const render::Layout l = edit::GridMapping::of(e.diagram()).layout();
    return l.signalTop(e.diagram().store.signalCount() - 1) + l.signalHeight + 6;
}

// A clock and a four-phase handshake, one step each clock cycle: the data is driven, req rises,
// ack answers, req falls, ack falls and the data is let go. Each transfer's value is written on
// its bus run.
void buildHandshake(edit::Editor& e, test::FakeUiPort& ui)
{
    e.addRow(model::NewRowKind::Clock);
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Bus);
    rename(e, 1, "req");
    rename(e, 2, "ack");
    rename(e, 3, "data[7:0]");
    setWaveform(e, 1, "0" + cells("00111100000011110000"));
    setWaveform(e, 2, "0" + cells("00001111000000111100"));
    setWaveform(e, 3, "2" + cells("23333333222444444422"));
    model::fitNameColumn(e.diagram(), e.measurer());
    placeCentred(e, ui, runCentre(e, 1, 7), 0, "0x3A", 3);
    placeCentred(e, ui, runCentre(e, 11, 17), 0, "0x3B", 3);
    placeCentred(e, ui, waveformsCentre(e), captionY(e), "Four-phase handshake.", -1, true);
}

// Annotations of every kind: arrows, a setup label with its caption, a time break, a flooded
// (invalid) region, a separator and a delayed signal.
void buildAnnotated(edit::Editor& e, test::FakeUiPort&)
{
    e.addRow(model::NewRowKind::Clock);
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Bus);
    e.addRow(model::NewRowKind::Signal);
    rename(e, 1, "valid");
    rename(e, 2, "addr");
    rename(e, 3, "strobe");
    setWaveform(e, 1, "0" + cells("0000111100001111"));
    setWaveform(e, 2, "4" + cells("4444333344443333"));
    setWaveform(e, 3, "1" + cells("1111111011111110"));
    auto& rows = e.diagram().store.signals();
    rows.replace(3, model::signal::withDataField(rows.get(3), model::signalfield::Delay, 6));
    rows.insert(3, "separator" + std::string(5, '\t') + "SEP_0.0.1.Arial.1.1.0.0.0.1.");
    auto& store = e.diagram().store;
    for (int cell = 8; cell < 12; ++cell)
        store.floodStyles().set(2, cell, 2);
    store.list(model::ListId::Arrows).append("4.Clock.8.valid.0.255.0.0.0.0.0.0.0.0.");
    store.list(model::ListId::Arrows).append("12.valid.15.strobe.0.0.1.0.0.0.0.0.0.0.");
    store.list(model::ListId::Labels).append("4.valid.8.valid.2.0.0.1.0.0.0.1.");
    addText(e, "200.56.230.68.tSU.WFLabel*0*.     0.Arial.8.0.0.1.0.0.0.0.");
    store.list(model::ListId::TimeBreaks).append("16.addr.");
    // Every other kind: the solid fill and the other hatches, an angled wire with heads at both
    // ends and a Bezier arrow with its head at the begin, an outward hold label with only its
    // begin extension line, and text boxes without outline, framed and rounded on two lines, under
    // the separator's line.
    for (int style = 1; style <= 7; ++style)
        store.floodStyles().set(4, style - 1, style == 2 ? 1 : style);
    store.list(model::ListId::Arrows).append("1.valid.3.addr.2.32768.2.1.0.0.0.0.0.0.");
    store.list(model::ListId::Arrows).append("17.Clock.19.addr.1.16711680.0.1.0.0.0.0.0.0.");
    store.list(model::ListId::Labels).append("16.strobe.18.strobe.2.0.0.0.1.0.0.0.");
    addText(e, "560.200.600.212.tHD.WFLabel*1*.     0.Arial.8.0.0.1.0.0.0.0.");
    addText(e, "140.165.210.179.plain note.SigmoraNone.   255.Arial.8.0.0.0.0.0.1.0.");
    addText(e, "300.165.380.179.framed.SigmoraNone.     0.Arial.8.0.0.1.1.1.0.0.");
    addText(e, "450.165.530.193.rounded\\ntwo lines.SigmoraNone.     0.Arial.8.0.0.2.2.0.0.1.");
    e.diagram().settings.periodLineMode = 1;
}

// An SPI transfer in mode 0: a chip select that is active low, the serial clock, and the two
// data lines with their bit numbers, most significant bit first.
void buildSpi(edit::Editor& e, test::FakeUiPort& ui)
{
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Clock);
    e.addRow(model::NewRowKind::Bus);
    e.addRow(model::NewRowKind::Bus);
    rename(e, 0, "CS");
    rename(e, 1, "SCLK");
    rename(e, 2, "MOSI");
    rename(e, 3, "MISO");
    auto& rows = e.diagram().store.signals();
    rows.replace(0, model::signal::withDataField(rows.get(0), model::signalfield::ActiveLow, 1));
    setWaveform(e, 0, "1" + std::string(2, '1') + std::string(16, '0') + std::string(582, '1'));
    setWaveform(e, 1, "0" + std::string(3, '0') + cells("10").substr(0, 16) + std::string(581, '0'));
    setWaveform(e, 2, "2" + std::string(2, '2') + "3344334433443344" + std::string(582, '2'));
    setWaveform(e, 3, "2" + std::string(2, '2') + "4433443344334433" + std::string(582, '2'));
    model::fitNameColumn(e.diagram(), e.measurer());
    for (int row : {2, 3})
        for (int bit = 7; bit >= 0; --bit) {
            const int first = 2 + 2 * (7 - bit);
            placeCentred(e, ui, runCentre(e, first, first + 1), 0, std::to_string(bit), row);
        }
    placeCentred(e, ui, waveformsCentre(e), captionY(e), "Mode 0: MOSI and MISO change on the falling edge of SCLK.");
}

// Moves the edge at the left of column `cell` of a row later by `pixels`, as Add Signal Delay
// does pixel by pixel: the edge's entry up, the next one down.
void delayEdge(edit::Editor& e, int row, int cell, int pixels)
{
    model::CellGrid& offsets = e.diagram().store.edgeOffsets();
    offsets.set(row, cell + 1, offsets.get(row, cell + 1) + pixels);
    offsets.set(row, cell + 2, offsets.get(row, cell + 2) - pixels);
}

model::TimingParameter timingParameter(const char* symbol, const char* description, std::optional<double> min,
                                       std::optional<double> typ, std::optional<double> max, int label)
{
    model::TimingParameter p;
    p.symbol = symbol;
    p.description = description;
    p.min = min;
    p.typ = typ;
    p.max = max;
    p.label = label;
    return p;
}

// A DDR read burst at 200 MHz (2.5 ns a cell): the differential clock CLK and CLK#, the command (ACTIVATE 3'b011
// then READ 3'b101 on RAS#, CAS#, WE#; 3'b111 is NOP), the row and column address, the data strobe
// with its preamble and a burst of four data words that follow the clock by the access time.
// Labels measure tCK, tRCD, CL and tAC (their symbols with subscripts); the table holds them, and the data come 0.75 ns after the
// clock where tAC allows 0.7 ns: one violation, drawn red on the screen.
void buildDdrRead(edit::Editor& e, test::FakeUiPort& ui)
{
    // Room for the time ruler above the cycle labels, and a period line at every rising edge.
    e.diagram().settings.topMargin = render::rulerTopMargin(true);
    e.diagram().settings.periodLineMode = 1;
    // Cells wide enough for a data word each.
    e.diagram().settings.cellWidth = 40;
    e.diagram().settings.waveformWidth = e.diagram().settings.cellCount * 40;
    e.addRow(model::NewRowKind::Clock);
    e.addRow(model::NewRowKind::Clock);
    for (int i = 0; i < 4; ++i)
        e.addRow(i == 2 ? model::NewRowKind::Signal : model::NewRowKind::Bus);
    rename(e, 0, "CLK");
    rename(e, 1, "CLK#");
    rename(e, 2, "CMD[2:0]");
    rename(e, 3, "A[12:0]");
    rename(e, 4, "DQS");
    rename(e, 5, "DQ[7:0]");
    setWaveform(e, 0, "0" + cells("10"));
    setWaveform(e, 1, "1" + cells("01"));
    // NOP, ACTIVATE at column 2, NOP, READ at column 8, NOP.
    setWaveform(e, 2, "3" + std::string(2, '3') + "44" + "3333" + "44" + std::string(590, '3'));
    setWaveform(e, 3, "2" + std::string(2, '2') + "33" + "2222" + "44" + std::string(590, '2'));
    // Hi-Z, the preamble (low for one clock) two cells before the data, then one edge a word.
    setWaveform(e, 4, "2" + std::string(12, '2') + "00" + "1010" + std::string(582, '2'));
    setWaveform(e, 5, "2" + std::string(14, '2') + "3434" + std::string(582, '2'));
    model::fitNameColumn(e.diagram(), e.measurer());
    // The data follow the clock by the access time: 12 of 40 pixels, 0.75 ns.
    for (int cell = 14; cell <= 18; ++cell)
        delayEdge(e, 5, cell, 12);
    placeCentred(e, ui, runCentre(e, 0, 1), 0, "3'b111", 2);
    placeCentred(e, ui, runCentre(e, 2, 3), 0, "3'b011", 2);
    placeCentred(e, ui, runCentre(e, 4, 7), 0, "3'b111", 2);
    placeCentred(e, ui, runCentre(e, 8, 9), 0, "3'b101", 2);
    placeCentred(e, ui, runCentre(e, 2, 3), 0, "0x1A2", 3);
    placeCentred(e, ui, runCentre(e, 8, 9), 0, "0x040", 3);
    // Each word centred on its run as drawn, the access time later.
    for (int word = 0; word < 4; ++word)
        placeCentred(e, ui, runCentre(e, 14 + word, 14 + word) + 12, 0, "0xD" + std::to_string(word), 5);
    auto& store = e.diagram().store;
    store.list(model::ListId::Labels).append("2.CLK.4.CLK.2.0.44.1.0.0.0.1.");
    addText(e, "0.0.0.0.t_{CK} {t}.WFLabel*0*.     0.Arial.8.0.0.1.0.0.0.0.");
    store.list(model::ListId::Labels).append("2.CMD[2:0].8.CMD[2:0].2.0.0.1.0.0.0.1.");
    addText(e, "0.0.0.0.t_{RCD} {t}.WFLabel*1*.     0.Arial.8.0.0.1.0.0.0.0.");
    store.list(model::ListId::Labels).append("8.CMD[2:0].14.DQS.2.0.0.1.0.0.0.1.");
    addText(e, "0.0.0.0.CL {t}.WFLabel*2*.     0.Arial.8.0.0.1.0.0.0.0.");
    store.list(model::ListId::Labels).append("14.CLK.14.DQ[7:0].2.0.0.0.0.0.0.1.");
    // The caption stands right of its narrow label, clear of the clock's edge.
    addText(e, "0.0.0.0.t_{AC} {t}.WFLabel*3*.     0.Arial.8.44.0.1.0.0.0.0.");
    model::DiagramExtension& x = e.diagram().extension;
    x.halfPeriodFs = 2'500'000;
    x.timeRuler = true;
    x.parameterTable = true;
    x.parameters = {
        timingParameter("t_{CK}", "Clock cycle time", 5, std::nullopt, 8, 0),
        timingParameter("t_{RCD}", "ACTIVATE to READ delay", 15, std::nullopt, std::nullopt, 1),
        timingParameter("CL", "CAS latency (3 clocks)", std::nullopt, 15, std::nullopt, 2),
        timingParameter("t_{AC}", "DQ output access time from CLK", -0.7, std::nullopt, 0.7, 3),
    };
}

struct Example {
    const char* file;
    void (*build)(edit::Editor&, test::FakeUiPort&);
};
const Example kExampleDiagrams[] = {
    {"handshake.sgm", buildHandshake},
    {"annotated.sgm", buildAnnotated},
    {"spi.sgm", buildSpi},
    {"ddr-read.sgm", buildDdrRead},
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(Examples, AreWhatTheEditorSavesAndOpenAgainByteForByte)
{
    const bool write = std::getenv("SIGMORA_WRITE_EXAMPLES") != nullptr;
    const fs::path scratch = fs::temp_directory_path() / ("sigmora-examples-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    for (const Example& example : kExampleDiagrams) {
        test::FakeUiPort ui;
        test::FixedMeasurer measurer;
        edit::Editor editor(ui, measurer);
        example.build(editor, ui);
        model::fitNameColumn(editor.diagram(), measurer);
        const fs::path saved = write ? kExamples / example.file : scratch / example.file;
        ui.fileNames = {saved.string()};
        ui.answers = {true};
        ASSERT_TRUE(edit::saveDiagramAs(editor)) << example.file;
        const std::string bytes = readFile(saved);
        EXPECT_TRUE(readFile(kExamples / example.file) == bytes) << example.file << " differs from what is saved now";

        edit::Editor reader(ui, measurer);
        reader.openNamedFile((kExamples / example.file).string());
        EXPECT_TRUE(ui.messages.empty()) << example.file;
        EXPECT_EQ(reader.diagram().store.signalCount(), editor.diagram().store.signalCount());
        EXPECT_TRUE(io::nativeFileBytes(reader.diagram()) == bytes) << example.file;
    }
    fs::remove_all(scratch);
}

// What a reader of the examples sees: a value written on a row stands at the height the text tool
// gives that row, a value on a bus is centred on the run of the bus value under it, and every
// text lies inside the picture.
TEST(Examples, ValuesSitOnTheirRowsCentredOnTheirRuns)
{
    int values = 0;
    for (const Example& example : kExampleDiagrams) {
        test::FakeUiPort ui;
        test::FixedMeasurer measurer;
        edit::Editor reader(ui, measurer);
        reader.openNamedFile((kExamples / example.file).string());
        const model::Diagram& d = reader.diagram();
        const render::Layout l = edit::GridMapping::of(d).layout();
        const int pictureRight = l.waveOriginX() + d.settings.waveformWidth;
        const int pictureBottom = l.rowTop(d.store.signalCount());
        for (const std::string& record : d.store.list(model::ListId::Texts).records()) {
            const edit::TextBoxValues box = edit::TextBoxValues::read(record);
            const std::string where = std::string(example.file) + ": " + box.message;
            EXPECT_GE(box.left, 0) << where;
            EXPECT_LE(box.right, pictureRight) << where;
            EXPECT_LE(box.bottom, pictureBottom) << where;
            int row = -1;
            for (int i = 0; i < d.store.signalCount() && row < 0; ++i)
                if (model::fields::nameOfRow(d.store.signals().get(i)) == box.attachment)
                    row = i;
            if (row < 0) // a free text or a label's caption
                continue;
            ++values;
            EXPECT_EQ(box.top, l.signalTop(row) + l.signalHeight / 4) << where;
            const std::string_view waveform = model::signal::waveform(d.store.signals().get(row));
            const int middle = (box.left + box.right) / 2;
            const int cell = (middle - l.waveOriginX()) / l.cellWidth;
            const char value = waveform[static_cast<std::size_t>(cell) + 1];
            if (value != '3' && value != '4')
                continue;
            int first = cell;
            int last = cell;
            while (first > 0 && waveform[static_cast<std::size_t>(first)] == value)
                --first;
            while (static_cast<std::size_t>(last) + 2 < waveform.size() && waveform[static_cast<std::size_t>(last) + 2] == value)
                ++last;
            // The run as drawn: its changes moved by the row's edge offsets (entries 0 to k + 1).
            const auto offset = [&](int column) {
                int sum = 0;
                for (int k = 0; k <= column + 1 && k < model::kMaxCells; ++k)
                    sum += d.store.edgeOffsets().get(row, k);
                return sum;
            };
            EXPECT_NEAR(middle,
                        l.waveOriginX() + ((first + last + 1) * l.cellWidth + offset(first) + offset(last + 1)) / 2, 1)
                << where;
        }
    }
    EXPECT_GE(values, 18);
}
