#include "edit/files/PictureExports.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/files/FileFormats.h"
#include "edit/files/OutputDevices.h"
#include "edit/files/OutputSteps.h"
#include "io/base/FileAccess.h"
#include "io/pictures/MetafilePictures.h"
#include "io/exchange/SvgDocument.h"
#include "model/TextCase.h"
#include "render/FullRedraw.h"
#include "render/MeasuringSurface.h"

namespace sigmora::edit {

namespace {

using model::ListId;

constexpr const char* kExistsCaption = "File already exists...";
constexpr const char* kErrorOpening = "Error opening ";
constexpr const char* kBitmapCaption = "Save as bitmap";
constexpr const char* kClipboardFailed = "Couldn't close the clipboard";
// The SVG drawing is measured, not painted: the surface only has to be larger than any diagram.
constexpr render::Size kMeasuringArea{1 << 30, 1 << 30};
constexpr std::array kAnnotationLists{ListId::Texts, ListId::Arrows, ListId::Labels, ListId::TimeBreaks};

std::optional<std::string> askExportPath(Session& session, Format format)
{
    const UiPort::FileDialog dialog =
        writeDialogOf(format, proposedExportName(session.filePath(), fileFormat(format).extension));
    std::optional<std::string> path = session.ui().saveFileName(dialog);
    if (!path || path->empty())
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::exists(*path, error) &&
        !session.ui().askYesNo("File: " + *path + " already exists.\n\nDo you want to overwrite the file?",
                              kExistsCaption))
        return std::nullopt;
    return path;
}

void writeExport(Session& session, const std::string& path, const std::string& bytes)
{
    if (bytes.empty()) {
        session.ui().showMessage(kErrorOpening + path);
        return;
    }
    const io::WriteResult written = io::writeFileReplacing(path, bytes);
    if (written.error != io::WriteError::None)
        session.ui().showMessage(kErrorOpening + path + "\n" + io::fileProblem(path, written.systemError));
}

render::Size rasterSize(io::PictureSize size)
{
    return {static_cast<int>(size.width), static_cast<int>(size.height)};
}

// The message when the picture would be too large for its format.
std::pair<std::string, std::string> tooLargeMessage(Format format, const io::PictureSize& size)
{
    const std::string pixels = std::to_string(size.width) + " x " + std::to_string(size.height) + " pixels, more than ";
    const std::string instead = " can hold. Export it as a metafile or SVG instead.";
    if (format == Format::Bitmap)
        return {"The bitmap of this diagram would be " + pixels + "a bitmap" + instead, kBitmapCaption};
    return {"A picture of this diagram would be " + pixels + (format == Format::Pdf ? "a PDF page" : "a PNG image") +
                instead,
            "Sigmora"};
}

// "Bitmap (.bmp)...", "PNG image..." and "PDF document...": the whole diagram at the bitmap
// export's size, PNG and PDF as the command line draws them; a PDF page is held only to the
// sides' limit, not to the raster picture's count of pixels.
void exportWholePicture(Session& session, OutputDevices& devices, Format format)
{
    if (!endTransactionForOutput(session))
        return;
    session.refresh();
    const std::optional<std::string> path = askExportPath(session, format);
    if (!path)
        return;
    UnscrolledView unscrolled(session.diagram().settings);
    const io::PictureSize size = io::wholeDiagramPictureSize(session.diagram());
    if (format == Format::Pdf ? !io::vectorPictureSizeAllowed(size) : !io::pictureSizeAllowed(size)) {
        const auto [message, caption] = tooLargeMessage(format, size);
        session.ui().showMessage(message, caption, MessageIcon::Warning);
        return;
    }
    model::ReaderReport report;
    const OutputDevices::Drawing draw = [&](render::Surface& surface) {
        render::RedrawMemory memory;
        render::fullRedraw(surface, session.diagram(), outputOptions(session), memory, report);
    };
    const render::Size pixels = rasterSize(size);
    const std::string bytes = format == Format::Pdf   ? devices.pdfFile(pixels, draw)
                              : format == Format::Png ? devices.pngFile(pixels, draw)
                                                      : devices.bitmapFile(pixels, draw);
    writeExport(session, *path, bytes);
    session.showReaderMessages(report);
}

// The diagram's metafile as the exports draw it, the selection cleared.
std::string metafile(Session& session, bool enhanced)
{
    UnscrolledView unscrolled(session.diagram().settings);
    const io::PictureSize extent = io::metafileExtent(session.diagram(), false);
    model::ReaderReport report;
    const render::RedrawOptions options = outputOptions(session);
    std::string bytes = enhanced ? io::emfPicture(session.diagram(), options, session.measurer(), extent, report)
                                 : io::wmfPicture(session.diagram(), options, session.measurer(), extent, report);
    session.showReaderMessages(report);
    return bytes;
}

// What the clipboard's picture is made of when a program asks for it: the diagram as it was
// copied, unscrolled, and the output's redraw options.
struct CopiedDiagram {
    model::Diagram diagram;
    render::RedrawOptions options;
};

// Puts the picture on the clipboard; emf, when given, is the enhanced metafile already made.
void putPictureOnClipboard(Session& session, OutputDevices& devices, std::optional<std::string> emf)
{
    auto copied = std::make_shared<CopiedDiagram>(CopiedDiagram{session.diagram(), outputOptions(session)});
    copied->diagram.settings.firstVisibleCell = 0;
    copied->diagram.settings.verticalScroll = 0;
    const io::PictureSize extent = io::metafileExtent(copied->diagram, true);
    OutputDevices::ClipboardPicture picture;
    // A picture too large to allocate goes on the clipboard without its PNG form.
    if (io::pictureSizeAllowed(extent))
        picture.size = rasterSize(extent);
    picture.draw = [copied](render::Surface& surface) {
        render::RedrawMemory memory;
        model::ReaderReport report;
        render::fullRedraw(surface, copied->diagram, copied->options, memory, report);
    };
    picture.svg = [copied](const model::TextMeasurer& measurer) {
        render::MeasuringSurface surface(measurer, kMeasuringArea);
        model::ReaderReport report;
        return io::svgDocument(copied->diagram, surface, copied->options, report);
    };
    if (emf) {
        picture.emf = [bytes = std::move(*emf)](const model::TextMeasurer&) { return bytes; };
    } else {
        picture.emf = [copied, extent](const model::TextMeasurer& measurer) {
            model::ReaderReport report;
            return io::emfPicture(copied->diagram, copied->options, measurer, extent, report);
        };
    }
    if (!devices.putOnClipboard(picture))
        session.ui().showMessage(kClipboardFailed);
}

void clearSelectedRowAndText(Session& session)
{
    session.deselectRow();
    session.state().selectedCell = -1;
    session.state().clearTextSelection();
}

void exportMetafile(Session& session, OutputDevices& devices, bool enhanced)
{
    const std::optional<std::string> path = askExportPath(session, enhanced ? Format::Emf : Format::Wmf);
    if (!path)
        return;
    clearSelectedRowAndText(session);
    const std::string bytes = metafile(session, enhanced);
    writeExport(session, *path, bytes);
    if (enhanced && !bytes.empty())
        putPictureOnClipboard(session, devices, bytes);
    session.refresh();
}

// The selection the clipboard copy puts back once the picture is taken.
struct RememberedSelection {
    int row, cell;
    CellRectangle rectangle;
    std::array<bool, kSelectionFlags> textSelected;
    std::array<int, kAnnotationLists.size()> listSelections;

    static RememberedSelection of(const Session& session)
    {
        const InteractionState& s = session.state();
        RememberedSelection r{s.selectedRow, s.selectedCell, s.rectangle, s.textSelected, {}};
        for (std::size_t i = 0; i < kAnnotationLists.size(); ++i)
            r.listSelections[i] = session.diagram().store.list(kAnnotationLists[i]).selection();
        return r;
    }
    void restore(Session& session) const
    {
        InteractionState& s = session.state();
        if (row >= 0)
            session.selectRow(row);
        s.selectedCell = cell;
        s.rectangle = rectangle;
        s.textSelected = textSelected;
        for (std::size_t i = 0; i < kAnnotationLists.size(); ++i)
            session.diagram().store.list(kAnnotationLists[i]).setSelection(listSelections[i]);
    }
};

void copyPictureToClipboard(Session& session, OutputDevices& devices)
{
    const RememberedSelection remembered = RememberedSelection::of(session);
    if (!endTransactionForOutput(session))
        return;
    for (ListId list : kAnnotationLists)
        session.diagram().store.list(list).setSelection(-1);
    putPictureOnClipboard(session, devices, std::nullopt);
    remembered.restore(session);
    session.state().currentTool = Tool::Select;
    session.state().selectionKind = SelectionKind::TextBox;
    session.updateCursor();
    session.refresh();
}

} // namespace

std::string proposedExportName(const std::string& diagramPath, std::string_view extension)
{
    if (diagramPath.empty())
        return {};
    const std::string_view native = fileFormat(Format::Native).extension;
    const bool hasNative = diagramPath.size() >= native.size() &&
                         model::equalsIgnoringCase(std::string_view(diagramPath).substr(diagramPath.size() - native.size()), native);
    return (hasNative ? diagramPath.substr(0, diagramPath.size() - native.size()) : diagramPath) + std::string(extension);
}

void registerPictureExports(Session& session, OutputDevices& devices)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::ExportBitmap, [&session, &devices] { exportWholePicture(session, devices, Format::Bitmap); });
    r.add(cmd::ExportEmf, [&session, &devices] { exportMetafile(session, devices, true); });
    r.add(cmd::ExportWmf, [&session, &devices] { exportMetafile(session, devices, false); });
    r.add(cmd::ExportPng, [&session, &devices] { exportWholePicture(session, devices, Format::Png); });
    r.add(cmd::ExportPdf, [&session, &devices] { exportWholePicture(session, devices, Format::Pdf); });
    r.add(cmd::ExportClipboard, [&session, &devices] { copyPictureToClipboard(session, devices); });
}

} // namespace sigmora::edit
