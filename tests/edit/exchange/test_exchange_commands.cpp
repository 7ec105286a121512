#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/exchange/SvgCommands.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
using Asked = test::FakeUiPort::Asked;
using Dialog = edit::UiPort::FileDialog;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

const Asked kSaveChanges{"Do you want to save your changes?", "Save Changes?"};
const std::string kMissing = ": No such file or directory";
const Asked kAddSignals{"Please add signals to the waveforms first", ""};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct ExchangeFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    Editor editor{ui, measurer};
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-exchange-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }
    std::string diagramBytes() const { return io::nativeFileBytes(editor.diagram()); }
    void addRows()
    {
        editor.addRow(model::NewRowKind::Clock);
        editor.addRow(model::NewRowKind::Bus);
    }
    // Runs a command that answers one file dialog with name.
    void runWithFile(int command, const std::string& name)
    {
        ui.fileNames.push_back(name);
        editor.execute(command);
    }
};

} // namespace

TEST_F(ExchangeFixture, FileDialogsOfEachFormat)
{
    addRows();
    struct Case {
        int command;
        Dialog dialog;
    };
    const Case cases[] = {
        {cmd::ExportSvg, {"Save SVG files", {{"SVG files *.svg", "*.svg"}, {"All Files *.*", "*.*"}}, "SVG", {}}},
        {cmd::ImportSvg, {"Open SVG files", {{"Sigmora SVG files *.svg", "*.svg"}, {"All Files *.*", "*.*"}}, {}, {}}},
        {cmd::ExportXml, {"Export XML files", {{"XML files *.xml", "*.xml"}, {"All Files *.*", "*.*"}}, "xml", {}}},
        {cmd::ImportXml, {"Open XML files", {{"Sigmora XML files *.xml", "*.xml"}, {"All Files *.*", "*.*"}}, "XML", {}}},
        {cmd::ExportCsv,
         {"Open CSV files", {{"Text (comma delimited files) *.csv", "*.csv"}, {"All Files *.*", "*.*"}}, {}, {}}},
        {cmd::ImportCsv,
         {"Open CSV files", {{"Text (comma delimited files) *.csv", "*.csv"}, {"All Files *.*", "*.*"}}, {}, {}}},
    };
    for (const Case& c : cases) {
        ui.fileDialogs.clear();
        const std::string before = diagramBytes();
        ASSERT_TRUE(editor.execute(c.command)) << c.command; // cancelled dialog
        ASSERT_EQ(ui.fileDialogs.size(), 1u) << c.command;
        const Dialog& shown = ui.fileDialogs[0];
        EXPECT_EQ(shown.title, c.dialog.title) << c.command;
        EXPECT_EQ(shown.filters, c.dialog.filters) << c.command;
        EXPECT_EQ(shown.defaultExtension, c.dialog.defaultExtension) << c.command;
        EXPECT_EQ(diagramBytes(), before) << c.command;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExchangeFixture, ExportsOfAnEmptyDiagramAskForSignalsFirst)
{
    for (int command : {cmd::ExportSvg, cmd::ExportXml, cmd::ShowAsciiWaveforms}) {
        ui.messages.clear();
        editor.execute(command);
        EXPECT_EQ(ui.messages, std::vector<Asked>{kAddSignals}) << command;
        EXPECT_TRUE(ui.fileDialogs.empty()) << command;
    }
    EXPECT_TRUE(ui.asciiViews.empty());
}

TEST_F(ExchangeFixture, UnwritableFilesAreReportedWithEachFormatsMessage)
{
    addRows();
    const std::string missingFolder = path("no/such/folder/out");
    struct Case {
        int command;
        std::string message;
    };
    // The message, then the path and the system's reason on the next line.
    const std::string reason = missingFolder + ": No such file or directory";
    for (const Case& c : {Case{cmd::ExportSvg, "Error creating SVG file\n" + reason},
                          Case{cmd::ExportXml, "Problem opening the file: sigmora.xml\n" + reason},
                          Case{cmd::ExportCsv, "Problem opening the csv file\n" + reason}}) {
        ui.messages.clear();
        runWithFile(c.command, missingFolder);
        EXPECT_EQ(ui.messages, (std::vector<Asked>{{c.message, ""}})) << c.command;
    }
}

TEST_F(ExchangeFixture, EachFormatReadsBackWhatItWrote)
{
    addRows();
    editor.diagram().settings.svgScale = 1.5f;
    const std::string before = diagramBytes();
    for (auto [exportCommand, importCommand, name] :
         {std::tuple{cmd::ExportSvg, cmd::ImportSvg, "d.svg"}, std::tuple{cmd::ExportXml, cmd::ImportXml, "d.xml"},
          std::tuple{cmd::ExportCsv, cmd::ImportCsv, "d.csv"}}) {
        runWithFile(exportCommand, path(name));
        ASSERT_FALSE(readFile(path(name)).empty()) << name;
        editor.diagram().modified = true;
        ui.answers.push_back(false); // do not save the changes
        runWithFile(importCommand, path(name));
        EXPECT_EQ(ui.questions.back(), kSaveChanges) << name;
        EXPECT_TRUE(ui.messages.empty()) << name << ": " << ui.messages.front().text;
        EXPECT_EQ(editor.diagram().store.signalCount(), 2) << name;
        EXPECT_FALSE(editor.diagram().modified) << name;
        EXPECT_TRUE(editor.filePath().empty()) << name;
    }
    // Only SVG carries the whole diagram; after the CSV import the rows are plain signals.
    runWithFile(cmd::ImportSvg, path("d.svg"));
    EXPECT_EQ(diagramBytes(), before);
}

TEST_F(ExchangeFixture, ImportsThatFailLeaveTheDiagramUnchanged)
{
    addRows();
    writeFile(path("foreign.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n");
    writeFile(path("nodata.svg"), "<!-- KVTAG -->\n<svg/>\n");
    writeFile(path("bad.xml"), "<signal name=\"a\"><data value=\"1.1\"></data>");
    writeFile(path("bad.csv"), "a, 1\nno comma\nb, 0\n");
    struct Case {
        int command;
        std::string file;
        Asked message;
    };
    const Case cases[] = {
        {cmd::ImportSvg, path("foreign.svg"), {"Invalid WF SVG file", ""}},
        {cmd::ImportSvg, path("missing.svg"), {"Invalid WF SVG file\n" + path("missing.svg") + kMissing, ""}},
        {cmd::ImportSvg, path("nodata.svg"), {"close file", ""}},
        {cmd::ImportXml, path("missing.xml"), {"Problem opening the xml file\n" + path("missing.xml") + kMissing, ""}},
        {cmd::ImportXml, path("bad.xml"),
         {"This file cannot be read as waveforms (a waveform holds characters no cell can have).", "Sigmora"}},
        {cmd::ImportCsv, path("missing.csv"), {"Problem opening the csv file\n" + path("missing.csv") + kMissing, ""}},
        {cmd::ImportCsv, path("bad.csv"),
         {"This file cannot be read as waveforms (line 2 has no comma after its name).", "Sigmora"}},
    };
    const std::string before = diagramBytes();
    for (const Case& c : cases) {
        ui.messages.clear();
        runWithFile(c.command, c.file);
        EXPECT_EQ(ui.messages, std::vector<Asked>{c.message}) << c.file;
        EXPECT_EQ(diagramBytes(), before) << c.file;
    }
}

TEST_F(ExchangeFixture, SvgSettingsStoreBothValuesAndMarkAScaleChange)
{
    addRows();
    editor.diagram().modified = false;
    ui.svgSettings = {std::nullopt, edit::UiPort::SvgSettings{1.0f, 0.8f}, edit::UiPort::SvgSettings{1.5f, 0.8f}};
    editor.execute(cmd::SvgOutputSettings); // cancelled
    EXPECT_FLOAT_EQ(editor.diagram().settings.activeLowBarFactor, 1.0f);
    editor.execute(cmd::SvgOutputSettings);
    EXPECT_FLOAT_EQ(editor.diagram().settings.activeLowBarFactor, 0.8f);
    EXPECT_FALSE(editor.diagram().modified) << "the bar factor does not travel with the file";
    editor.execute(cmd::SvgOutputSettings);
    EXPECT_FLOAT_EQ(editor.diagram().settings.svgScale, 1.5f);
    EXPECT_TRUE(editor.diagram().modified);
    ASSERT_EQ(ui.svgSettingsShown.size(), 3u);
    EXPECT_FLOAT_EQ(ui.svgSettingsShown[2].activeLowBarFactor, 0.8f);
    EXPECT_NE(edit::svgDocumentOfView(editor).find("scale(1.50)"), std::string::npos);
}

TEST_F(ExchangeFixture, AsciiWindowShowsTheRowsFromTheFirstVisibleCell)
{
    addRows();
    editor.diagram().settings.firstVisibleCell = 1;
    editor.execute(cmd::ShowAsciiWaveforms);
    ASSERT_EQ(ui.asciiViews.size(), 1u);
    ASSERT_EQ(ui.asciiViews[0].size(), 2u);
    EXPECT_EQ(ui.asciiViews[0][0].label, "Clock");
    EXPECT_EQ(ui.asciiViews[0][0].waveform.substr(0, 4), "1010");
    EXPECT_EQ(ui.asciiViews[0][1].waveform.size(), 254u);
}
