#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "edit/files/OutputDevices.h"
#include "edit/files/PictureExports.h"
#include "edit/files/PrintCommands.h"
#include "io/pictures/PictureSize.h"
#include "render/RecordingSurface.h"
#include "support/EditorDriver.h"

using namespace sigmora;
using Asked = test::FakeUiPort::Asked;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The settings and drawing an output saw while it drew.
struct Drawn {
    model::DiagramSettings settings;
    render::Rect boundingBox; // the first rectangle drawn
    std::vector<render::RecordingSurface::Text> texts;
};

// Devices that draw on a recording surface and remember what they were asked.
struct FakeDevices : edit::OutputDevices {
    const model::Diagram* diagram = nullptr;
    std::deque<std::optional<int>> cycleAnswers;
    std::vector<int> cyclesProposed;
    bool printConfirmed = true;
    std::vector<std::string> printedDocuments;
    std::vector<std::string> proposedPdfFiles;
    std::vector<Drawn> drawings;
    std::vector<render::Size> bitmapSizes;
    // What the clipboard received, each form made as a paste would make it.
    struct Clip {
        render::Size size;
        std::string svg, emf;
    };
    std::vector<Clip> clipboard;
    test::FixedMeasurer measurer;
    bool clipboardWorks = true;

    // Remembers the settings the redraw starts with (it asks the surface's size first).
    struct SnoopingSurface : render::RecordingSurface {
        SnoopingSurface(render::Size size, const model::Diagram& diagram) : RecordingSurface(size), diagram(diagram) {}
        render::Size size() const override
        {
            if (!seen)
                seen = diagram.settings;
            return RecordingSurface::size();
        }
        const model::Diagram& diagram;
        mutable std::optional<model::DiagramSettings> seen;
    };
    void record(render::Size size, const Drawing& draw)
    {
        SnoopingSurface surface(size, *diagram);
        draw(surface);
        Drawn d{surface.seen.value_or(model::DiagramSettings{}), {}, surface.texts()};
        for (const auto& shape : surface.shapes())
            if (shape.kind == "rectangle") {
                d.boundingBox = {shape.points[0].x, shape.points[0].y, shape.points[1].x, shape.points[1].y};
                break;
            }
        drawings.push_back(d);
    }
    std::string bitmapFile(render::Size size, const Drawing& draw) override
    {
        bitmapSizes.push_back(size);
        record(size, draw);
        return "BM" + std::to_string(size.width) + "x" + std::to_string(size.height);
    }
    std::vector<render::Size> pngSizes, pdfSizes;
    std::string pngFile(render::Size size, const Drawing& draw) override
    {
        pngSizes.push_back(size);
        record(size, draw);
        return "PNG" + std::to_string(size.width) + "x" + std::to_string(size.height);
    }
    std::string pdfFile(render::Size size, const Drawing& draw) override
    {
        pdfSizes.push_back(size);
        record(size, draw);
        return "PDF" + std::to_string(size.width) + "x" + std::to_string(size.height);
    }
    std::optional<int> chooseCyclesToPrint(int proposed) override
    {
        cyclesProposed.push_back(proposed);
        auto a = cycleAnswers.empty() ? std::nullopt : cycleAnswers.front();
        if (!cycleAnswers.empty())
            cycleAnswers.pop_front();
        return a;
    }
    bool print(const std::string& name, const std::string& pdfFile, const Drawing& draw) override
    {
        proposedPdfFiles.push_back(pdfFile);
        if (!printConfirmed)
            return false;
        printedDocuments.push_back(name);
        record({816, 1056}, draw);
        return true;
    }
    bool putOnClipboard(const ClipboardPicture& picture) override
    {
        clipboard.push_back({picture.size, picture.svg(measurer), picture.emf(measurer)});
        record(picture.size, picture.draw);
        return clipboardWorks;
    }
};

struct OutputFixture : ::testing::Test {
    test::EditorDriver d;
    FakeDevices devices;
    fs::path dir = fs::temp_directory_path() / ("sigmora-outputs-" + std::to_string(::getpid()));

    void SetUp() override
    {
        fs::create_directories(dir);
        devices.diagram = &d.editor.diagram();
        edit::registerPrintCommands(d.editor, devices);
        edit::registerPictureExports(d.editor, devices);
        d.addSignals(1);
    }
    void TearDown() override { fs::remove_all(dir); }
    const model::DiagramSettings& settings() { return d.editor.diagram().settings; }
};

} // namespace

TEST_F(OutputFixture, PrintingWidensTheMarginsAndCellsOnlyWhileThePageIsDrawn)
{
    struct Case {
        const char* what;
        int command;
        std::optional<int> cycles; // the Printer Setup answer
        bool confirmed;            // the print dialog
        int printedCells;          // -1: nothing printed
    };
    const Case cases[] = {
        {"Print", cmd::FilePrint, std::nullopt, true, 20},
        {"Print Advanced of 5 cycles on a 10-cycle diagram", cmd::FilePrintAdvanced, 5, true, 10},
        {"Print Advanced of 1000 cycles", cmd::FilePrintAdvanced, 1000, true, 2000},
        {"Printer Setup cancelled", cmd::FilePrintAdvanced, std::nullopt, true, -1},
        {"print dialog cancelled", cmd::FilePrintAdvanced, 3, false, -1},
    };
    const model::DiagramSettings before = settings();
    for (const Case& c : cases) {
        devices = FakeDevices{};
        devices.diagram = &d.editor.diagram();
        devices.cycleAnswers = {c.cycles};
        devices.printConfirmed = c.confirmed;
        d.editor.diagram().settings.firstVisibleCell = 4;
        d.editor.execute(c.command);
        EXPECT_EQ(settings().cellCount, 20) << c.what;
        EXPECT_EQ(settings().waveformWidth, 600) << c.what;
        EXPECT_EQ(settings().nameMargin, before.nameMargin) << c.what;
        EXPECT_EQ(settings().nameColumnWidth, before.nameColumnWidth) << c.what;
        EXPECT_EQ(settings().topMargin, before.topMargin) << c.what;
        EXPECT_EQ(settings().firstVisibleCell, 4) << c.what;
        if (c.command == cmd::FilePrintAdvanced) {
            EXPECT_EQ(devices.cyclesProposed, std::vector<int>{10}) << c.what;
        }
        if (c.printedCells < 0) {
            EXPECT_TRUE(devices.drawings.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(devices.drawings.size(), 1u) << c.what;
        const Drawn& page = devices.drawings[0];
        EXPECT_EQ(devices.printedDocuments, std::vector<std::string>{d.editor.title()}) << c.what;
        EXPECT_EQ(page.settings.cellCount, c.printedCells) << c.what;
        EXPECT_EQ(page.settings.waveformWidth, c.printedCells * 30) << c.what;
        EXPECT_EQ(page.settings.nameMargin, before.nameMargin + 32) << c.what;
        EXPECT_EQ(page.settings.nameColumnWidth, before.nameColumnWidth + 32) << c.what;
        EXPECT_EQ(page.settings.topMargin, before.topMargin + 32) << c.what;
        EXPECT_EQ(page.settings.firstVisibleCell, 0) << c.what;
        // The bounding rectangle starts at the print offset, 20 above the widened top margin.
        EXPECT_EQ(page.boundingBox.left, 32) << c.what;
        EXPECT_EQ(page.boundingBox.top, 32) << c.what;
        EXPECT_EQ(page.boundingBox.right, before.nameColumnWidth + 32 + before.nameMargin + 32 + c.printedCells * 30)
            << c.what;
    }
}

// Printing to a file proposes the diagram's own name, as a PDF, in the diagram's folder; an
// untitled diagram leaves the choice of folder to the device (the user's documents folder).
TEST_F(OutputFixture, PrintToFileProposesTheDiagramsNameInItsFolder)
{
    const struct {
        const char* path;
        const char* proposed;
    } cases[] = {
        {"/home/ann/designs/ddr read.sgm", "/home/ann/designs/ddr read.pdf"},
        {"/home/ann/designs/v1.2/spi", "/home/ann/designs/v1.2/spi.pdf"},
        {"", ""},
    };
    for (const auto& c : cases) {
        devices = FakeDevices{};
        devices.diagram = &d.editor.diagram();
        devices.printConfirmed = false;
        d.editor.setFilePath(c.path);
        d.editor.execute(cmd::FilePrint);
        EXPECT_EQ(devices.proposedPdfFiles, std::vector<std::string>{c.proposed}) << c.path;
    }
}

TEST_F(OutputFixture, PrintingAsksToAbandonAHalfMadeArrowAndEndsWithTheSelectTool)
{
    d.editor.state().arrowStep = edit::kStepFirstPointPlaced;
    d.editor.diagram().store.list(model::ListId::Arrows).append("partial.");
    d.editor.diagram().store.list(model::ListId::Arrows).setSelection(0);
    d.ui.answers = {false};
    d.editor.execute(cmd::FilePrint);
    EXPECT_TRUE(devices.drawings.empty());
    EXPECT_EQ(d.editor.diagram().store.list(model::ListId::Arrows).count(), 1);

    d.ui.answers = {true};
    d.editor.execute(cmd::FilePrint);
    ASSERT_EQ(d.ui.questions.size(), 2u);
    EXPECT_EQ(d.ui.questions[1].text, "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?");
    EXPECT_EQ(d.editor.diagram().store.list(model::ListId::Arrows).count(), 0);
    EXPECT_EQ(devices.drawings.size(), 1u);
    EXPECT_EQ(d.editor.state().currentTool, edit::Tool::Select);
    EXPECT_EQ(d.editor.state().selectedRow, -1);
}

TEST(PictureExportNames, TheDiagramsNameWithTheExportsExtension)
{
    struct Case {
        std::string path, extension, proposed;
    };
    const Case cases[] = {
        {"", ".bmp", ""},
        {"/home/u/bus.sgm", ".bmp", "/home/u/bus.bmp"},
        {"/home/u/BUS.SGM", ".emf", "/home/u/BUS.emf"},
        {"/home/u/notes", ".wmf", "/home/u/notes.wmf"},
        {"/home/u/a.sgm.sgm", ".bmp", "/home/u/a.sgm.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(edit::proposedExportName(c.path, c.extension), c.proposed) << c.path;
}

TEST_F(OutputFixture, FileExportsAskWithTheirDialogAndConfirmOverwriting)
{
    struct Case {
        const char* what;
        int command;
        const char* title;
        const char* filter;
        const char* defaultExtension;
        bool exists;
        bool overwrite;
        bool written;
    };
    const Case cases[] = {
        {"bitmap", cmd::ExportBitmap, "Save as bitmap", "BMP files *.bmp", "BMP", false, false, true},
        {"bitmap over a file, Yes", cmd::ExportBitmap, "Save as bitmap", "BMP files *.bmp", "BMP", true, true, true},
        {"bitmap over a file, No", cmd::ExportBitmap, "Save as bitmap", "BMP files *.bmp", "BMP", true, false, false},
        {"enhanced metafile", cmd::ExportEmf, "Save Enhanced Metafiles", "Enhanced Metafiles *.emf", "EMF", false, false, true},
        {"Windows metafile over a file, No", cmd::ExportWmf, "Save Windows Metafiles", "Windows Metafiles *.wmf", "WMF", true,
         false, false},
        {"Windows metafile", cmd::ExportWmf, "Save Windows Metafiles", "Windows Metafiles *.wmf", "WMF", false, false, true},
        {"PNG image", cmd::ExportPng, "Save PNG images", "PNG images *.png", "PNG", false, false, true},
        {"PNG image over a file, No", cmd::ExportPng, "Save PNG images", "PNG images *.png", "PNG", true, false, false},
        {"PDF document over a file, Yes", cmd::ExportPdf, "Save PDF documents", "PDF documents *.pdf", "PDF", true, true,
         true},
    };
    d.editor.setFilePath((dir / "bus.sgm").string());
    for (const Case& c : cases) {
        const fs::path target = dir / "picture";
        fs::remove(target);
        if (c.exists)
            std::ofstream(target) << "old";
        d.ui.fileDialogs.clear();
        d.ui.questions.clear();
        d.ui.fileNames = {target.string()};
        d.ui.answers = {c.overwrite};
        d.editor.execute(c.command);
        ASSERT_EQ(d.ui.fileDialogs.size(), 1u) << c.what;
        const auto& dialog = d.ui.fileDialogs[0];
        EXPECT_EQ(dialog.title, c.title) << c.what;
        ASSERT_EQ(dialog.filters.size(), 2u) << c.what;
        EXPECT_EQ(dialog.filters[0].first, c.filter) << c.what;
        EXPECT_EQ(dialog.filters[1], (std::pair<std::string, std::string>{"All Files *.*", "*.*"})) << c.what;
        EXPECT_EQ(dialog.defaultExtension, c.defaultExtension) << c.what;
        EXPECT_EQ(dialog.initialPath, (dir / "bus").string() + "." + fs::path(c.filter).extension().string().substr(1))
            << c.what;
        if (c.exists) {
            EXPECT_EQ(d.ui.questions, (std::vector<Asked>{{"File: " + target.string() +
                                                               " already exists.\n\nDo you want to overwrite the file?",
                                                           "File already exists..."}}))
                << c.what;
        }
        const std::string bytes = readFile(target);
        EXPECT_EQ(bytes != "old" && !bytes.empty(), c.written) << c.what;
    }
    // The bitmap is the whole diagram at the bitmap size, drawn by the devices.
    const io::PictureSize size = io::wholeDiagramPictureSize(d.editor.diagram());
    ASSERT_FALSE(devices.bitmapSizes.empty());
    EXPECT_EQ(devices.bitmapSizes.back(), (render::Size{736, 96}));
    // The PNG image and the PDF page have the bitmap's size, and their files hold what the devices made.
    EXPECT_EQ(devices.pngSizes, (std::vector<render::Size>{{736, 96}}));
    EXPECT_EQ(devices.pdfSizes, (std::vector<render::Size>{{736, 96}}));
    EXPECT_EQ(readFile(dir / "picture"), "PDF736x96");
    EXPECT_EQ(size, (io::PictureSize{736, 96}));
}

TEST_F(OutputFixture, AFileThatCannotBeWrittenIsReported)
{
    // A bitmap too large to hold in memory is refused with its size, and nothing is written.
    const fs::path huge = dir / "huge.bmp";
    d.editor.diagram().settings.waveformWidth = 40000;
    d.ui.fileNames = {huge.string()};
    d.editor.execute(cmd::ExportBitmap);
    EXPECT_FALSE(fs::exists(huge));
    EXPECT_EQ(d.ui.messages,
              (std::vector<Asked>{{"The bitmap of this diagram would be 40144 x 96 pixels, more than a bitmap can hold. "
                                   "Export it as a metafile or SVG instead.",
                                   "Save as bitmap"}}));
    // The same for a PNG image and a PDF page, each naming what cannot hold it.
    for (const auto& [command, name, holder] : {std::tuple{cmd::ExportPng, "huge.png", "a PNG image"},
                                                std::tuple{cmd::ExportPdf, "huge.pdf", "a PDF page"}}) {
        const fs::path target = dir / name;
        d.ui.messages.clear();
        d.ui.fileNames = {target.string()};
        d.editor.execute(command);
        EXPECT_FALSE(fs::exists(target)) << name;
        EXPECT_EQ(d.ui.messages, (std::vector<Asked>{{std::string("A picture of this diagram would be 40144 x 96 "
                                                                  "pixels, more than ") +
                                                          holder + " can hold. Export it as a metafile or SVG instead.",
                                                      "Sigmora"}}))
            << name;
    }
    d.editor.diagram().settings.waveformWidth = 600;

    for (int command : {cmd::ExportBitmap, cmd::ExportEmf, cmd::ExportWmf, cmd::ExportPng, cmd::ExportPdf}) {
        const std::string path = (dir / "no-such-folder" / "picture").string();
        d.ui.messages.clear();
        d.ui.fileNames = {path};
        d.editor.execute(command);
        EXPECT_EQ(d.ui.messages,
                  (std::vector<Asked>{{"Error opening " + path + "\n" + path + ": No such file or directory", ""}}))
            << command;
    }
}

TEST_F(OutputFixture, TheClipboardGetsThreeFormsAndTheSelectionComesBack)
{
    d.addSignals(2);
    auto& s = d.editor.state();
    d.editor.selectRow(1);
    s.selectedCell = 7;
    s.textSelected[3] = true;
    d.editor.diagram().store.list(model::ListId::Labels).setSelection(2);
    d.editor.execute(cmd::ExportClipboard);
    ASSERT_EQ(devices.clipboard.size(), 1u);
    const auto& picture = devices.clipboard[0];
    const io::PictureSize extent = io::metafileExtent(d.editor.diagram(), true);
    EXPECT_EQ(picture.size, (render::Size{static_cast<int>(extent.width), static_cast<int>(extent.height)}));
    EXPECT_EQ(extent.height, 20 + 3 * 44 + 8 + 10);
    EXPECT_EQ(picture.emf.substr(40, 4), " EMF");
    EXPECT_NE(picture.svg.find("<svg"), std::string::npos);
    // Drawn with nothing selected; afterwards the selection is back, the select tool with text boxes.
    EXPECT_EQ(s.selectedRow, 1);
    EXPECT_EQ(s.selectedCell, 7);
    EXPECT_TRUE(s.textSelected[3]);
    EXPECT_EQ(d.editor.diagram().store.list(model::ListId::Labels).selection(), 2);
    EXPECT_EQ(s.currentTool, edit::Tool::Select);
    EXPECT_EQ(s.selectionKind, edit::SelectionKind::TextBox);
    EXPECT_TRUE(d.ui.messages.empty());

    // A diagram too large for a raster picture goes without its PNG form.
    d.editor.diagram().settings.waveformWidth = 600 * 60;
    d.editor.execute(cmd::ExportClipboard);
    ASSERT_EQ(devices.clipboard.size(), 2u);
    EXPECT_EQ(devices.clipboard[1].size, (render::Size{}));
    EXPECT_FALSE(devices.clipboard[1].emf.empty());
    EXPECT_FALSE(devices.clipboard[1].svg.empty());

    devices.clipboardWorks = false;
    d.editor.execute(cmd::ExportClipboard);
    EXPECT_EQ(d.ui.messages, (std::vector<Asked>{{"Couldn't close the clipboard", ""}}));
}

TEST_F(OutputFixture, EditCopyWithNothingToCopyPutsThePictureOnTheClipboard)
{
    d.editor.deselectRow();
    d.editor.execute(cmd::EditCopy);
    ASSERT_EQ(devices.clipboard.size(), 1u);
    EXPECT_FALSE(devices.clipboard[0].emf.empty());
}

// A label's caption is placed for the page being printed, from the label as the page shows it,
// however the screen was scrolled when the last screen redraw ran.
TEST_F(OutputFixture, APrintPlacesLabelCaptionsWhateverTheScreensScroll)
{
    d.addSignals(1);
    const std::string a(model::fields::nameOfRow(d.record(0))), b(model::fields::nameOfRow(d.record(1)));
    d.editor.diagram().store.list(model::ListId::Labels).append("2." + a + ".6." + b + ".2.0.0.0.0.0.0.0.");
    d.editor.diagram().store.list(model::ListId::Texts).append("0.0.0.0.cap.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
    auto captionOnPage = [this](int firstVisibleCell) {
        d.editor.diagram().settings.firstVisibleCell = firstVisibleCell;
        render::RecordingSurface screen;
        d.editor.redraw(screen);
        devices.drawings.clear();
        d.editor.execute(cmd::FilePrint);
        std::optional<render::Point> at;
        if (devices.drawings.size() == 1)
            for (const auto& t : devices.drawings[0].texts)
                if (t.text == "cap")
                    at = t.at;
        return at;
    };
    const auto unscrolled = captionOnPage(0);
    ASSERT_TRUE(unscrolled.has_value());
    // Centred on the label's middle (columns 2 and 6 of the page, past its 64-pixel margin).
    const render::Layout l = d.layout();
    EXPECT_NEAR(unscrolled->x, l.waveOriginX() + 64 + 4 * l.cellWidth, 20);
    for (int scroll : {4, 9}) {
        const auto scrolled = captionOnPage(scroll);
        ASSERT_TRUE(scrolled.has_value()) << scroll;
        EXPECT_EQ(*scrolled, *unscrolled) << scroll;
    }
}

// Copying text boxes, an arrow or with a time break selected fills only the copy buffer; a copy
// of cells or of a signal also puts the picture on the system clipboard.
TEST_F(OutputFixture, OnlyCopiesOfCellsAndSignalsPutThePictureOnTheClipboard)
{
    const std::string name(model::fields::nameOfRow(d.record(0)));
    auto& store = d.editor.diagram().store;
    store.list(model::ListId::Texts).append("150.40.190.56.a.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    store.list(model::ListId::Arrows).append("1." + name + ".3." + name + ".0.0.0.0.0.0.0.0.0.0.");
    store.list(model::ListId::TimeBreaks).append("2." + name + ".");
    const struct {
        const char* what;
        edit::SelectionKind kind;
        bool block;
        size_t pictures;
    } cases[] = {
        {"text boxes", edit::SelectionKind::TextBox, false, 0},
        {"an arrow", edit::SelectionKind::Arrow, false, 0},
        {"a time break", edit::SelectionKind::TimeBreak, false, 0},
        {"a block of cells", edit::SelectionKind::Signal, true, 1},
        {"a whole signal", edit::SelectionKind::Signal, false, 1},
    };
    for (const auto& c : cases) {
        devices.clipboard.clear();
        auto& s = d.editor.state();
        ASSERT_TRUE(d.editor.execute(cmd::ModeEdit));
        s.selectionKind = c.kind;
        s.clearTextSelection();
        s.textSelected[0] = true;
        store.list(model::ListId::Texts).setSelection(0);
        store.list(model::ListId::Arrows).setSelection(0);
        store.list(model::ListId::TimeBreaks).setSelection(0);
        d.editor.selectRow(0);
        s.rectangle = {0, 1, 1, 3, c.block, false};
        d.editor.execute(cmd::EditCopy);
        EXPECT_EQ(devices.clipboard.size(), c.pictures) << c.what;
    }
}
