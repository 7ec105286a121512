#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include "app/window/DiagramWidget.h"
#include "app/window/MainWindow.h"
#include "io/native/NativeFileWriter.h"
#include "support/FakeUiPort.h"

using namespace sigmora;

// Files dragged from a file manager and dropped on the diagram view.
class DroppedFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyOneReadableFileMayBeDropped_data();
    void onlyOneReadableFileMayBeDropped();
    void aDroppedDiagramOpensThroughOpenWithItsQuestion_data();
    void aDroppedDiagramOpensThroughOpenWithItsQuestion();
    void aDroppedImportFileIsImported();

private:
    // Sends a drag entering the diagram view, then, when it was accepted, the drop.
    static bool drop(app::MainWindow& window, const QList<QUrl>& urls);
};

bool DroppedFilesTest::drop(app::MainWindow& window, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QWidget* view = &window.diagramWidget();
    const QPoint middle = view->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &dropped);
    return dropped.isAccepted();
}

void DroppedFilesTest::onlyOneReadableFileMayBeDropped_data()
{
    // File names in an empty folder made for the test (nothing there to read), or a whole URL.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("a diagram") << QStringList{QStringLiteral("a.sgm")} << true;
    QTest::newRow("upper-case extension") << QStringList{QStringLiteral("A.SGM")} << true;
    QTest::newRow("an SVG") << QStringList{QStringLiteral("a.svg")} << true;
    QTest::newRow("a dump") << QStringList{QStringLiteral("a.vcd")} << true;
    QTest::newRow("a text file") << QStringList{QStringLiteral("a.txt")} << false;
    QTest::newRow("two diagrams") << QStringList{QStringLiteral("a.sgm"), QStringLiteral("b.sgm")} << false;
    QTest::newRow("a web page") << QStringList{QStringLiteral("https://example.org/a.sgm")} << false;
}

void DroppedFilesTest::onlyOneReadableFileMayBeDropped()
{
    QFETCH(QStringList, names);
    QFETCH(bool, accepted);
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    QList<QUrl> urls;
    for (const QString& name : names)
        urls << (name.contains(QLatin1Char(':')) ? QUrl(name) : QUrl::fromLocalFile(empty.filePath(name)));
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.show();
    QCOMPARE(drop(window, urls), accepted);
    // Nothing there to read: an accepted drop says so through Open's own message.
    QTRY_COMPARE(ui.messages.size(), std::size_t(accepted ? 1 : 0));
    QVERIFY(ui.fileDialogs.empty());
}

void DroppedFilesTest::aDroppedDiagramOpensThroughOpenWithItsQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("No") << int(edit::Answer::No) << true;
    QTest::newRow("Cancel or Esc") << int(edit::Answer::Cancel) << false;
}

void DroppedFilesTest::aDroppedDiagramOpensThroughOpenWithItsQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.show();
    edit::Editor& editor = window.editor();
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Signal);
    const QString file = dir.filePath(QStringLiteral("dropped.sgm"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    const std::string bytes = io::nativeFileBytes(editor.diagram());
    out.write(bytes.data(), qint64(bytes.size()));
    out.close();
    editor.addRow(model::NewRowKind::Bus); // unsaved

    ui.answers = {edit::Answer(answer)};
    QVERIFY(drop(window, {QUrl::fromLocalFile(file)}));
    QTRY_COMPARE(ui.questions.size(), std::size_t(1));
    QCOMPARE(ui.questions.front().text, std::string("Do you want to save your changes?"));
    QCOMPARE(editor.diagram().store.signalCount(), opens ? 2 : 3);
    QCOMPARE(editor.filePath(), opens ? file.toStdString() : std::string());
    // The caption, without the place of the mark of unsaved changes.
    QCOMPARE(window.windowTitle().remove(QStringLiteral("[*]")),
             opens ? file + QStringLiteral(" - Sigmora 3.3.5") : QStringLiteral("Untitled - Sigmora 3.3.5"));
    QVERIFY(ui.fileDialogs.empty());
}

void DroppedFilesTest::aDroppedImportFileIsImported()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("waves.csv"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("a, 0110\nb, 1100\nc, 1\n");
    out.close();
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.show();
    QVERIFY(drop(window, {QUrl::fromLocalFile(file)}));
    QTRY_COMPARE(window.editor().diagram().store.signalCount(), 3);
    QVERIFY(ui.messages.empty());
    QVERIFY(ui.fileDialogs.empty());
}

QTEST_MAIN(DroppedFilesTest)
#include "test_dropped_files.moc"
