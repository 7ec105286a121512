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

#include "app/window/MainWindow.h"
#include "app/cli/PictureConversions.h"
#include "app/platform/PictureRendering.h"
#include "dialogs/PrintCyclesDialog.h"
#include "edit/session/CommandIds.h"
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
};

void PictureOutputsTest::outputItemsAreEnabled()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().addRow(model::NewRowKind::Signal);
    for (int command : {cmd::FilePrint, cmd::FilePrintAdvanced, cmd::ExportBitmap, cmd::ExportEmf, cmd::ExportWmf,
                        cmd::ExportClipboard}) {
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
