#include "app/QtOutputDevices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>

#include "app/PictureRendering.h"
#include "dialogs/PrintCyclesDialog.h"

namespace sigmora::app {

namespace {

// The clipboard types of the picture: PNG and SVG for most programs, the enhanced metafile under
// both names programs look for it.
constexpr const char* kPngType = "image/png";
constexpr const char* kSvgType = "image/svg+xml";
constexpr const char* kEmfTypes[] = {"image/emf", "image/x-emf"};

QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::string QtOutputDevices::bitmapFile(render::Size size, const Drawing& draw)
{
    return bitmapFileOf(rasterPicture(size, draw));
}

std::optional<int> QtOutputDevices::chooseCyclesToPrint(int proposed)
{
    dialogs::PrintCyclesDialog dialog(proposed, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.cycles();
}

bool QtOutputDevices::print(const std::string& documentName, const Drawing& draw)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent_);
    // One page, no page numbers and no selection to choose; printing to a PDF file stays
    // offered, since a machine may have no printer at all.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printer.setDocName(QString::fromStdString(documentName));
    drawPrintedPage(printer, draw);
    return true;
}

bool QtOutputDevices::putOnClipboard(const ClipboardPicture& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    auto* data = new QMimeData;
    const std::string png = picture.size.width > 0 && picture.size.height > 0
                                ? pngFileOf(rasterPicture(picture.size, picture.draw))
                                : std::string();
    if (!png.empty())
        data->setData(kPngType, bytes(png));
    if (!picture.svg.empty())
        data->setData(kSvgType, bytes(picture.svg));
    if (!picture.emf.empty()) {
        for (const char* type : kEmfTypes)
            data->setData(type, bytes(picture.emf));
    }
    clipboard->setMimeData(data);
    return true;
}

} // namespace sigmora::app
