#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <string>
#include <tuple>
#include <zlib.h>

#include "app/window/MainWindow.h"
#include "app/cli/PictureConversions.h"
#include "app/platform/PictureRendering.h"
#include "dialogs/PrintCyclesDialog.h"
#include "edit/session/CommandIds.h"
#include "io/native/NativeFileWriter.h"
#include "io/pictures/PictureSize.h"
#include "model/RowFactory.h"
#include "support/FakeUiPort.h"

using namespace sigmora;
namespace cmd = edit::cmd;

// The picture outputs on Qt: the clipboard's three forms, the printed page's mapping, the PDF
// page, the cycles dialog and the menu items.
class PictureOutputsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outputItemsAreEnabled();
    void clipboardHoldsPngSvgAndEmf();
    void printedPageIsMappedToTheDevice_data();
    void printedPageIsMappedToTheDevice();
    void convertedPicturesHaveTheirSizes_data();
    void convertedPicturesHaveTheirSizes();
    void cyclesDialogOffersOneToAThousand();
    void menuPngAndPdfAreTheCommandLinesPictures();
    void zlibKeepsItsOwnDefaultLevel();
};

void PictureOutputsTest::outputItemsAreEnabled()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().addRow(model::NewRowKind::Signal);
    for (int command : {cmd::FilePrint, cmd::FilePrintAdvanced, cmd::ExportBitmap, cmd::ExportEmf, cmd::ExportWmf,
                        cmd::ExportPng, cmd::ExportPdf, cmd::ExportClipboard}) {
        QVERIFY2(window.router().state(command).enabled, QByteArray::number(command));
        for (QAction* action : window.actions(command))
            QVERIFY(action->isEnabled());
    }
}

void PictureOutputsTest::clipboardHoldsPngSvgAndEmf()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().addRow(model::NewRowKind::Signal);
    window.editor().addRow(model::NewRowKind::Clock);
    QGuiApplication::clipboard()->clear();
    window.router().execute(cmd::ExportClipboard);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    const io::PictureSize extent = io::metafileExtent(window.editor().diagram(), true);
    QImage png;
    QVERIFY(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
    QCOMPARE(png.size(), QSize(static_cast<int>(extent.width), static_cast<int>(extent.height)));
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    for (const char* type : {"image/emf", "image/x-emf"})
        QCOMPARE(data->data(QString::fromLatin1(type)).mid(40, 4), QByteArray(" EMF"));
    QVERIFY(ui.messages.empty());
}

void PictureOutputsTest::printedPageIsMappedToTheDevice_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen") << 96;
    QTest::newRow("600 dpi printer: 4 to 25") << 600;
    QTest::newRow("1200 dpi") << 1200;
}

void PictureOutputsTest::printedPageIsMappedToTheDevice()
{
    QFETCH(int, dpi);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    printer.setResolution(dpi);
    render::Size seen;
    app::drawPrintedPage(printer, [&seen](render::Surface& surface) { seen = surface.size(); });
    // The surface measures the printable area in 1/96 inch, whatever the resolution (the area
    // in inches is given to two decimals).
    const QRectF inches = printer.pageRect(QPrinter::Inch);
    QVERIFY(std::abs(seen.width - inches.width() * 96) <= 2);
    QVERIFY(std::abs(seen.height - inches.height() * 96) <= 2);
}

void PictureOutputsTest::convertedPicturesHaveTheirSizes_data()
{
    QTest::addColumn<QString>("out");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("bitmap") << "d.bmp" << QByteArray("BM");
    QTest::newRow("PDF") << "d.PDF" << QByteArray("%PDF");
    QTest::newRow("enhanced metafile") << "d.emf" << QByteArray("\x01\0\0\0", 4);
    QTest::newRow("Windows metafile") << "d.wmf" << QByteArray("\xD7\xCD\xC6\x9A", 4);
    QTest::newRow("PNG") << "d.png" << QByteArray("\x89PNG");
}

void PictureOutputsTest::convertedPicturesHaveTheirSizes()
{
    QFETCH(QString, out);
    QFETCH(QByteArray, start);
    model::Diagram diagram;
    diagram.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "S", 1));
    const edit::FileFormat* format = edit::formatOfFile(out.toStdString());
    QVERIFY(format && format->convertWrites);
    std::string bytes, error;
    QVERIFY(app::pictureOutputBytes(diagram, format->format, out.toStdString(), bytes, error));
    QVERIFY(QByteArray::fromStdString(bytes).startsWith(start));
    if (out.endsWith(QStringLiteral(".bmp"))) {
        QImage image;
        QVERIFY(image.loadFromData(QByteArray::fromStdString(bytes), "BMP"));
        QCOMPARE(image.size(), QSize(736, 96));
    }
    if (out.endsWith(QStringLiteral(".PDF"))) // 736 x 96 pixels are 552 x 72 points
        QVERIFY(QByteArray::fromStdString(bytes).contains("/MediaBox [0 0 552.000000 72.000000]"));
}

// A PDF without the moments it was made at and its file identifier, which differ between two
// documents of the same drawing.
QByteArray withoutTimes(const QByteArray& pdf)
{
    QByteArray out;
    for (const QByteArray& line : pdf.split('\n'))
        if (!line.contains("CreationDate") && !line.contains("ModDate") && !line.startsWith("/ID"))
            out += line + '\n';
    return out;
}

// File > Export > "PNG image..." and "PDF document..." write what "sigmora --convert" writes for
// the same diagram, after the save dialog proposed the diagram's name with the format's extension.
void PictureOutputsTest::menuPngAndPdfAreTheCommandLinesPictures()
{
    QTemporaryDir dir;
    model::Diagram made;
    made.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "CLK", 0));
    made.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "S", 1));
    const QString path = dir.filePath(QStringLiteral("d.sgm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(io::nativeFileBytes(made)));
    file.close();

    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().openNamedFile(path.toStdString());
    QCOMPARE(window.editor().diagram().store.signalCount(), 2);
    for (const auto& [command, format, name] :
         {std::tuple{cmd::ExportPng, edit::Format::Png, "out.png"}, std::tuple{cmd::ExportPdf, edit::Format::Pdf, "out.pdf"}}) {
        const QString target = dir.filePath(QString::fromLatin1(name));
        ui.fileDialogs.clear();
        ui.fileNames = {target.toStdString()};
        window.router().execute(command);
        QCOMPARE(ui.fileDialogs.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(ui.fileDialogs[0].initialPath),
                 dir.filePath(QStringLiteral("d.") + QString::fromLatin1(name).section(u'.', 1)));
        QFile written(target);
        QVERIFY2(written.open(QIODevice::ReadOnly), name);
        const QByteArray bytes = written.readAll();
        std::string expected, error;
        QVERIFY(app::pictureOutputBytes(window.editor().diagram(), format, name, expected, error));
        if (format == edit::Format::Png) {
            QCOMPARE(bytes, QByteArray::fromStdString(expected));
            QImage image;
            QVERIFY(image.loadFromData(bytes, "PNG"));
            const io::PictureSize size = io::wholeDiagramPictureSize(window.editor().diagram());
            QCOMPARE(image.size(), QSize(static_cast<int>(size.width), static_cast<int>(size.height)));
        } else {
            QVERIFY(bytes.startsWith("%PDF"));
            QCOMPARE(withoutTimes(bytes), withoutTimes(QByteArray::fromStdString(expected)));
        }
    }
    QVERIFY(ui.messages.empty());
}

// The program leaves zlib as it is: a stream that Qt's PDF page, or any other library in the
// process, asks for at the default level is deflated at zlib's default level (6), not at a level
// the program chose for every library.
void PictureOutputsTest::zlibKeepsItsOwnDefaultLevel()
{
    // A PDF page first, so that the program's picture code is in the process and has run.
    const std::string pdf = app::pdfDocument({200, 100}, "zlib", [](render::Surface& surface) {
        surface.moveTo(0, 0);
        surface.lineTo(100, 50);
    });
    QVERIFY(pdf.starts_with("%PDF"));
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += std::to_string(i * 30 % 977) + " 20 m\n" + std::to_string(i * 30 % 977) + " 36 l\nS\n";
    const auto* source = reinterpret_cast<const Bytef*>(text.data());
    std::string byDefault(compressBound(text.size()), '\0'), atSix(byDefault.size(), '\0');
    uLongf defaultLength = byDefault.size(), sixLength = atSix.size();
    QCOMPARE(compress(reinterpret_cast<Bytef*>(byDefault.data()), &defaultLength, source, text.size()), Z_OK);
    QCOMPARE(compress2(reinterpret_cast<Bytef*>(atSix.data()), &sixLength, source, text.size(), 6), Z_OK);
    byDefault.resize(defaultLength);
    atSix.resize(sixLength);
    QVERIFY2(byDefault == atSix, "a stream at the default level was not deflated at zlib's level 6");
}

void PictureOutputsTest::cyclesDialogOffersOneToAThousand()
{
    dialogs::PrintCyclesDialog dialog(10);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Printer Setup"));
    auto* cycles = dialog.findChild<QSpinBox*>(QStringLiteral("printCycles"));
    QVERIFY(cycles != nullptr);
    QCOMPARE(cycles->minimum(), 1);
    QCOMPARE(cycles->maximum(), 1000);
    QCOMPARE(dialog.cycles(), 10);
    bool prompt = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        prompt = prompt || label->text() == QStringLiteral("Number of Clock Cycles to print:");
    QVERIFY(prompt);
    cycles->setValue(5000);
    QCOMPARE(dialog.cycles(), 1000);
}

QTEST_MAIN(PictureOutputsTest)
#include "test_picture_outputs.moc"
