#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/platform/DialogFolder.h"
#include "app/platform/QtUiPort.h"

using namespace sigmora;
using app::DialogFolder;

// Where the file dialogs start: never in the program's own folder.
class FileDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startPath_data();
    void startPath();
    void dialogsStartInTheDiagramsFolderThenTheLastOneUsed();

private:
    QTemporaryDir dir_;
    QString folder(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
};

void FileDialogsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QVERIFY(QDir().mkpath(folder("diagrams")));
    QVERIFY(QDir().mkpath(folder("last")));
}

void FileDialogsTest::startPath_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("expected"); // "~" stands for the home folder, "@" for the test folder
    QTest::newRow("diagram's folder") << "" << "@/diagrams/a.sgm" << "@/last" << "@/diagrams";
    QTest::newRow("bare name in the diagram's folder") << "a.svg" << "@/diagrams/a.sgm" << "" << "@/diagrams/a.svg";
    QTest::newRow("untitled: last folder") << "" << "" << "@/last" << "@/last";
    QTest::newRow("diagram's folder gone: last folder") << "" << "@/gone/a.sgm" << "@/last" << "@/last";
    QTest::newRow("nothing known: home") << "" << "" << "" << "~";
    QTest::newRow("last folder gone: home") << "x.csv" << "" << "@/gone" << "~/x.csv";
    QTest::newRow("absolute path stands") << "@/last/b.sgm" << "@/diagrams/a.sgm" << "" << "@/last/b.sgm";
}

void FileDialogsTest::startPath()
{
    QFETCH(QString, initial);
    QFETCH(QString, diagram);
    QFETCH(QString, last);
    QFETCH(QString, expected);
    auto place = [this](QString s) {
        return s.replace(QStringLiteral("@"), dir_.path()).replace(QStringLiteral("~"), QDir::homePath());
    };
    QCOMPARE(DialogFolder::startPath(place(initial), place(diagram), place(last)), place(expected));
}

// The real dialog: it starts in the diagram's folder, and once a file was chosen elsewhere an
// untitled diagram's dialog starts there.
void FileDialogsTest::dialogsStartInTheDiagramsFolderThenTheLastOneUsed()
{
    QFile chosen(folder("last/chosen.sgm"));
    QVERIFY(chosen.open(QIODevice::WriteOnly));
    chosen.close();
    app::QtUiPort ui;
    std::string diagram = folder("diagrams/a.sgm").toStdString();
    ui.currentDiagram = [&diagram] { return diagram; };
    QString shown;
    auto answer = [&shown](const QString& file) {
        QTimer::singleShot(0, [&shown, file] {
            auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->directory().absolutePath();
            if (file.isEmpty()) {
                box->reject();
                return;
            }
            box->selectFile(file);
            QMetaObject::invokeMethod(box, "accept");
        });
    };
    edit::UiPort::FileDialog dialog;
    dialog.title = "Open Sigmora files";
    dialog.filters = {{"Sigmora files *.sgm", "*.sgm"}, {"All Files *.*", "*.*"}};

    answer(folder("last/chosen.sgm"));
    QCOMPARE(ui.openFileName(dialog), std::optional<std::string>(folder("last/chosen.sgm").toStdString()));
    QCOMPARE(shown, folder("diagrams"));

    diagram.clear();
    answer({});
    QCOMPARE(ui.openFileName(dialog), std::nullopt);
    QCOMPARE(shown, folder("last"));
    QCOMPARE(DialogFolder::lastFolder(), folder("last"));
}

QTEST_MAIN(FileDialogsTest)
#include "test_file_dialogs.moc"
