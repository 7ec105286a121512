#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "edit/CommandIds.h"
#include "edit/Editor.h"
#include "edit/FileCommands.h"
#include "io/NativeFileReader.h"
#include "io/NativeFileWriter.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// The diagrams in examples/ are made here with the editor and saved by its Save As. Run with
// SIGMORA_WRITE_EXAMPLES=1 to write them again; otherwise each is checked to be exactly what the
// editor saves today, to open cleanly and to save again byte for byte.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

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

// A clock, a request/acknowledge handshake and a data bus with its values written on it.
void buildHandshake(edit::Editor& e)
{
    e.addRow(model::NewRowKind::Clock);
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Signal);
    e.addRow(model::NewRowKind::Bus);
    rename(e, 1, "req");
    rename(e, 2, "ack");
    rename(e, 3, "data[7:0]");
    setWaveform(e, 1, "0" + cells("0011111100000000"));
    setWaveform(e, 2, "0" + cells("0000011111100000"));
    setWaveform(e, 3, "4" + cells("2233333344442222"));
    addText(e, "175.110.205.122.0x3A.data[7:0].     0.Arial.8.0.0.1.0.0.0.0.");
    addText(e, "235.110.265.122.0x3B.data[7:0].     0.Arial.8.0.0.1.0.0.0.0.");
    addText(e, "457.174.647.186.Four-phase handshake~QorWFPeriod~.SigmoraNone.     0.Arial.8.0.0.0.0.1.0.0.");
}

// Annotations of every kind: arrows, a setup label with its caption, a time break, a flooded
// (invalid) region, a separator and a delayed signal.
void buildAnnotated(edit::Editor& e)
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
    // begin extension line, and text boxes without outline, framed and rounded on two lines.
    for (int style = 1; style <= 7; ++style)
        store.floodStyles().set(4, style - 1, style == 2 ? 1 : style);
    store.list(model::ListId::Arrows).append("1.valid.3.addr.2.32768.2.1.0.0.0.0.0.0.");
    store.list(model::ListId::Arrows).append("17.Clock.19.addr.1.16711680.0.1.0.0.0.0.0.0.");
    store.list(model::ListId::Labels).append("16.strobe.18.strobe.2.0.0.0.1.0.0.0.");
    addText(e, "560.200.600.212.tHD.WFLabel*1*.     0.Arial.8.0.0.1.0.0.0.0.");
    addText(e, "140.158.210.172.plain note.SigmoraNone.   255.Arial.8.0.0.0.0.0.1.0.");
    addText(e, "300.156.380.170.framed.SigmoraNone.     0.Arial.8.0.0.1.1.1.0.0.");
    addText(e, "450.150.530.178.rounded\\ntwo lines.SigmoraNone.     0.Arial.8.0.0.2.2.0.0.1.");
    e.diagram().settings.periodLineMode = 1;
}

// An SPI transfer: a chip select that is active low, the serial clock, and the two data lines
// with their bit values.
void buildSpi(edit::Editor& e)
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
    for (int bit = 0; bit < 8; ++bit) {
        const int left = 170 + 60 * bit;
        addText(e, std::to_string(left) + ".110." + std::to_string(left + 7) + ".122." + std::to_string(7 - bit) +
                       ".MOSI.     0.Arial.8.0.0.1.0.0.0.0.");
    }
}

struct Example {
    const char* file;
    void (*build)(edit::Editor&);
};
const Example kExampleDiagrams[] = {
    {"handshake.sgm", buildHandshake},
    {"annotated.sgm", buildAnnotated},
    {"spi.sgm", buildSpi},
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
        example.build(editor);
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
