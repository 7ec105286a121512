#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "io/exchange/SvgFixtures.h"
#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "io/exchange/CsvFormat.h"
#include "io/exchange/SvgReader.h"
#include "io/exchange/XmlFormat.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "model/Utf8Text.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// What the exchange formats make of text and of waveforms that do not fit the diagram: every
// SVG and XML file written is UTF-8, and a waveform longer than the diagram is read cut, with a
// note saying so.

using namespace sigmora;
using model::ListId;
namespace fs = std::filesystem;

namespace {

const std::string kLatin1Name = "d\xb5s";               // "dµs" in Latin-1, as older diagrams hold it
const std::string kUtf8Name = "\xc2\xb5" "A";           // "µA", already UTF-8
const std::string kLatin1Message = "caf\xe9~QorWFPeriod~"; // "café."

model::Diagram diagramWithSingleByteText()
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, kLatin1Name, 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, kUtf8Name, 1));
    d.store.list(ListId::Texts).append("200.60.240.76." + kLatin1Message + "." + kUtf8Name +
                                       ".     0.Arial.8.0.0.0.0.0.0.0.");
    return d;
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(ExchangeText, SvgAndXmlAreUtf8WhateverTheStoredText)
{
    const model::Diagram d = diagramWithSingleByteText();
    struct Case {
        const char* format;
        std::string document;
        std::size_t names;     // how often the Latin-1 row name stands in the document
        std::size_t utf8Names; // and the UTF-8 one, which the text is attached to
    };
    // SVG: the names drawn, the records in the data comments (the text's too); XML: the signal
    // elements.
    const Case cases[] = {{"svg", test::svgOf(d), 2, 3}, {"xml", io::xmlDocument(d), 1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(model::invalidUtf8Offset(c.document), std::string::npos) << c.format;
        EXPECT_EQ(occurrences(c.document, "d\xc2\xb5s"), c.names) << c.format;
        // The name that was UTF-8 already is not converted a second time.
        EXPECT_EQ(occurrences(c.document, kUtf8Name), c.utf8Names) << c.format;
        EXPECT_EQ(occurrences(c.document, "\xc3\x82"), 0u) << c.format;
        EXPECT_NE(c.document.find("caf\xc3\xa9"), std::string::npos) << c.format;
    }

    // Read back, the text keeps its letters, now in UTF-8; every other field is unchanged.
    model::Diagram fromSvg;
    ASSERT_EQ(io::readSvgDiagram(test::svgOf(d), fromSvg).status, io::SvgReadResult::Status::Ok);
    EXPECT_EQ(model::fields::nameOfRow(fromSvg.store.signals().get(0)), "d\xc2\xb5s");
    EXPECT_EQ(model::fields::dataOfRow(fromSvg.store.signals().get(0)), model::fields::dataOfRow(d.store.signals().get(0)));
    EXPECT_EQ(fromSvg.store.signals().get(1), d.store.signals().get(1));
    EXPECT_EQ(fromSvg.store.list(ListId::Texts).get(0).rfind("200.60.240.76.caf\xc3\xa9~QorWFPeriod~." + kUtf8Name + ".", 0), 0u);
    model::Diagram fromXml;
    ASSERT_TRUE(io::readXmlDiagram(io::xmlDocument(d), fromXml).ok());
    EXPECT_EQ(model::fields::nameOfRow(fromXml.store.signals().get(0)), "d\xc2\xb5s");
}

// A waveform longer than the diagram, read by the Import commands as a user runs them: the row
// keeps the level entering it and its first 600 cells, what was attached to the cells left out
// goes with them, and the user is told.
TEST(ExchangeText, LongWaveformsKeepTheirFirst600CellsAndSaySo)
{
    const std::string longCells = "0" + std::string(599, '1') + "2" + std::string(99, '3'); // 700 cells
    const std::string kept = longCells.substr(0, 601);
    struct Case {
        int command;
        const char* file;
        std::string content;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {edit::cmd::ImportXml, "long.xml",
         "<waveform><signal name=\"short\"><data value=\"01\"></data></signal>"
         "<signal name=\"a.b\"><data value=\"" + longCells + "\"></data>"
         "<flood cycle=\"599\" value=\"1\"></flood><flood cycle=\"650\" value=\"1\"></flood>"
         "<timebreak cycle=\"690\"></timebreak><text cycle=\"640\" value=\"gone\"></text></signal>"
         "<signal name=\"c\"><data value=\"" + longCells + "\"></data></signal></waveform>",
         {"short", "a~QorWFPeriod~b", "c"}},
        {edit::cmd::ImportCsv, "long.csv", "short, 01\na.b, " + longCells + "\nc, " + longCells + "\n",
         {"short", "a~QorWFPeriod~b", "c"}},
    };
    const fs::path dir = fs::temp_directory_path() / ("sigmora-long-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const Case& c : cases) {
        test::FakeUiPort ui;
        test::FixedMeasurer measurer;
        edit::Editor editor(ui, measurer);
        const fs::path file = dir / c.file;
        std::ofstream(file, std::ios::binary) << c.content;
        ui.fileNames = {file.string()};
        editor.execute(c.command);

        const model::RecordList& rows = editor.diagram().store.signals();
        ASSERT_EQ(rows.count(), 3) << c.file;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(model::fields::nameOfRow(rows.get(i)), c.names[static_cast<std::size_t>(i)]) << c.file;
        EXPECT_EQ(model::signal::waveform(rows.get(1)), kept) << c.file;
        EXPECT_EQ(model::signal::waveform(rows.get(2)), kept) << c.file;
        EXPECT_EQ(ui.messages,
                  (std::vector<test::FakeUiPort::Asked>{{"The diagram was imported, but not all of it:\n"
                                                         "Cells after the 600th were left out (first in row \"a.b\").",
                                                         "Sigmora"}}))
            << c.file;
        EXPECT_EQ(editor.diagram().store.floodStyles().get(1, 599), c.command == edit::cmd::ImportXml ? 1 : 0);
        EXPECT_EQ(editor.diagram().store.list(ListId::TimeBreaks).count(), 0) << c.file;
        EXPECT_EQ(editor.diagram().store.list(ListId::Texts).count(), 0) << c.file;
    }
    fs::remove_all(dir);
}

TEST(ExchangeText, ACutRowWithoutANameIsNotedToo)
{
    const std::string cells(602, '1');
    struct Case {
        const char* format;
        io::ExchangeReadResult (*read)(std::string_view, model::Diagram&);
        std::string content;
    };
    const Case cases[] = {
        {"xml", io::readXmlDiagram, "<data value=\"" + cells + "\"></data>"},
        {"csv", io::readCsvDiagram, "," + cells + "\n"},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        const io::ExchangeReadResult result = c.read(c.content, d);
        ASSERT_TRUE(result.ok()) << c.format << ": " << result.problem;
        EXPECT_EQ(result.notes, std::vector<std::string>{"Cells after the 600th were left out (first in row \"\")."})
            << c.format;
        EXPECT_EQ(model::signal::waveform(d.store.signals().get(0)).size(), 601u) << c.format;
    }
}
