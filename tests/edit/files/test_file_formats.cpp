#include <gtest/gtest.h>

#include <set>

#include "edit/Editor.h"
#include "edit/files/FileFormats.h"
#include "edit/session/CommandIds.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Format;
namespace cmd = edit::cmd;

namespace {

void expectSameDialog(const edit::UiPort::FileDialog& shown, const edit::UiPort::FileDialog& table,
                      const std::string& what)
{
    EXPECT_EQ(shown.title, table.title) << what;
    EXPECT_EQ(shown.filters, table.filters) << what;
    EXPECT_EQ(shown.defaultExtension, table.defaultExtension) << what;
}

} // namespace

TEST(FileFormats, EachExtensionNamesOneFormat)
{
    std::set<std::string_view> extensions;
    std::set<Format> formats;
    for (const edit::FileFormat& f : edit::fileFormats()) {
        EXPECT_TRUE(extensions.insert(f.extension).second) << f.extension;
        EXPECT_TRUE(formats.insert(f.format).second) << f.extension;
        ASSERT_GE(f.extension.size(), 2u);
        EXPECT_EQ(f.extension[0], '.');
        for (char c : f.extension.substr(1))
            EXPECT_TRUE(c >= 'a' && c <= 'z') << f.extension;
        EXPECT_EQ(&edit::fileFormat(f.format), &f);
        EXPECT_TRUE(f.convertReads || f.convertWrites || f.readCommand || f.writeCommand) << f.extension;
    }
}

TEST(FileFormats, FindsTheFormatByItsExtensionInAnyCase)
{
    const struct {
        const char* path;
        std::optional<Format> format;
    } cases[] = {
        {"/a/b.sgm", Format::Native}, {"/a/B.SGM", Format::Native}, {"d.Json", Format::WaveJson},
        {"x.svg", Format::Svg},       {"x.XML", Format::Xml},       {"x.csv", Format::Csv},
        {"x.txt", Format::Ascii},     {"x.vcd", Format::Vcd},       {"x.PNG", Format::Png},
        {"x.bmp", Format::Bitmap},    {"x.pdf", Format::Pdf},       {"x.emf", Format::Emf},
        {"x.wmf", Format::Wmf},       {"t.V", Format::Verilog},     {"t.vhd", Format::Vhdl},
        {"run.FST", Format::Fst},
        {"t.vhdl", std::nullopt},     {".svg", std::nullopt},       {"b.svg.bak", std::nullopt},
        {"b", std::nullopt},          {"", std::nullopt},           {"b.svgz", std::nullopt},
    };
    for (const auto& c : cases) {
        const edit::FileFormat* f = edit::formatOfFile(c.path);
        EXPECT_EQ(f ? std::optional(f->format) : std::nullopt, c.format) << c.path;
    }
}

// A value change dump and an FST dump share the import and its dialog, which shows both.
TEST(FileFormats, TheDumpImportOpensBothKindsOfDump)
{
    for (Format format : {Format::Vcd, Format::Fst}) {
        const edit::UiPort::FileDialog d = edit::readDialogOf(format);
        EXPECT_EQ(d.title, "Open Value Change Dump files");
        ASSERT_EQ(d.filters.size(), 2u);
        EXPECT_EQ(d.filters[0].first, "Value Change Dump and FST files *.vcd *.fst");
        EXPECT_EQ(d.filters[0].second, "*.vcd *.fst");
    }
    EXPECT_EQ(edit::fileFormat(Format::Fst).readCommand, cmd::ImportVcd);
    EXPECT_TRUE(edit::fileFormat(Format::Fst).convertReads);
    EXPECT_FALSE(edit::fileFormat(Format::Fst).convertWrites);
}

TEST(FileFormats, TheCommandLineListsWhatItWrites)
{
    EXPECT_EQ(edit::convertOutputList(), ".sgm, .png, .bmp, .pdf, .emf, .wmf, .json, .svg, .xml, .csv, .txt, .vcd, .v or .vhd");
}

// Every menu command the table names shows the table's dialog: the title, the filters with
// "All Files *.*" after the format's own, and the extension added to a bare name. The picture
// exports (bitmap, metafiles, PNG, PDF) are registered by the window with its output devices, so
// the editor alone leaves exactly those to it.
TEST(FileFormats, EachCommandOfTheTableShowsTheTablesDialog)
{
    const std::set<int> windowExports{cmd::ExportBitmap, cmd::ExportEmf, cmd::ExportWmf, cmd::ExportPng, cmd::ExportPdf};
    int shown = 0;
    for (const edit::FileFormat& f : edit::fileFormats()) {
        const std::pair<int, bool> commands[] = {{f.readCommand, true}, {f.writeCommand, false}};
        for (const auto& [command, reads] : commands) {
            if (command == 0)
                continue;
            test::FakeUiPort ui;
            test::FixedMeasurer measurer{7};
            edit::Editor editor{ui, measurer};
            const std::string what = std::string(f.extension) + (reads ? " read" : " written");
            if (windowExports.count(command)) {
                EXPECT_FALSE(editor.handles(command)) << what;
                continue;
            }
            ASSERT_TRUE(editor.handles(command)) << what;
            editor.addRow(model::NewRowKind::Signal);
            ui.fileNames.push_back(std::nullopt); // the dialog is cancelled
            editor.execute(command);
            ASSERT_FALSE(ui.fileDialogs.empty()) << what;
            expectSameDialog(ui.fileDialogs.back(), reads ? edit::readDialogOf(f.format) : edit::writeDialogOf(f.format),
                             what);
            EXPECT_EQ(ui.fileDialogs.back().filters.size(), 2u) << what;
            // The first filter holds the format's own extension (the dump import: .vcd and .fst).
            const std::string patterns = ui.fileDialogs.back().filters.front().second + " ";
            EXPECT_NE(patterns.find("*" + std::string(f.extension) + " "), std::string::npos) << what << ": " << patterns;
            EXPECT_EQ(editor.diagram().store.signalCount(), 1) << what << ": a cancelled dialog changes nothing";
            ++shown;
        }
    }
    EXPECT_EQ(shown, 15);
}
