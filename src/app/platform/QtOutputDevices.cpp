#include "app/platform/QtOutputDevices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "app/platform/PictureRendering.h"
#include "app/platform/QtTextMeasurer.h"
#include "dialogs/PrintCyclesDialog.h"

namespace sigmora::app {

namespace {

// The clipboard types of the picture: PNG and SVG for most programs, the enhanced metafile under
// both names programs look for it.
const QString kPngType = QStringLiteral("image/png");
const QString kSvgType = QStringLiteral("image/svg+xml");
const QStringList kEmfTypes = {QStringLiteral("image/emf"), QStringLiteral("image/x-emf")};

QByteArray bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The picture on the clipboard, each form made the first time a program asks for it (a large
// diagram copies at once; the cost comes only with the paste that needs it).
class PictureMimeData : public QMimeData {
public:
    explicit PictureMimeData(edit::OutputDevices::ClipboardPicture picture) : picture_(std::move(picture)) {}

    QStringList formats() const override
    {
        QStringList types;
        if (picture_.size.width > 0 && picture_.size.height > 0)
            types << kPngType;
        return types << kSvgType << kEmfTypes;
    }
    bool hasFormat(const QString& type) const override { return formats().contains(type); }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        if (!hasFormat(type))
            return {};
        auto made = made_.find(type);
        if (made == made_.end())
            made = made_.insert(type, make(type));
        return *made;
    }

private:
    QByteArray make(const QString& type) const
    {
        if (type == kPngType)
            return bytes(pngFileOf(rasterPicture(picture_.size, picture_.draw)));
        if (type == kSvgType)
            return bytes(picture_.svg(measurer_));
        return bytes(picture_.emf(measurer_));
    }

    edit::OutputDevices::ClipboardPicture picture_;
    QtTextMeasurer measurer_;
    mutable QHash<QString, QByteArray> made_;
};

} // namespace

std::string QtOutputDevices::bitmapFile(render::Size size, const Drawing& draw)
{
    return bitmapFileOf(rasterPicture(size, draw));
}

std::string QtOutputDevices::pngFile(render::Size size, const Drawing& draw)
{
    return pngFileOf(rasterPicture(size, draw));
}

std::string QtOutputDevices::pdfFile(render::Size size, const Drawing& draw)
{
    return pdfDocument(size, "Sigmora", draw);
}

std::optional<int> QtOutputDevices::chooseCyclesToPrint(int proposed)
{
    dialogs::PrintCyclesDialog dialog(proposed, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.cycles();
}

namespace {
// The file "Print to File (PDF)" proposes: the diagram's name in its folder, or an untitled
// diagram's in the user's documents folder, never the folder the program happens to run in.
QString proposedPdfFile(const std::string& pdfFile)
{
    if (!pdfFile.empty())
        return QString::fromStdString(pdfFile);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Untitled.pdf"));
}
} // namespace

bool QtOutputDevices::print(const std::string& documentName, const std::string& pdfFile, const Drawing& draw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(documentName));
    const QString proposed = proposedPdfFile(pdfFile);
    // With no printer the file is the only choice: the printer is told it. Otherwise only the
    // dialog's file field is filled, so that the default printer stays the one chosen.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(proposed);
    QPrintDialog dialog(&printer, parent_);
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(proposed);
    // One page, no page numbers and no selection to choose; printing to a PDF file stays
    // offered, since a machine may have no printer at all.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    drawPrintedPage(printer, draw);
    return true;
}

bool QtOutputDevices::putOnClipboard(const ClipboardPicture& picture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    clipboard->setMimeData(new PictureMimeData(picture));
    return true;
}

} // namespace sigmora::app
