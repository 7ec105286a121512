#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/AppPaths.h"

using namespace sigmora;

// Where the preferences go: beside a program run from its build or unpacked folder, but never
// into the folders of an installation, even where they can be written (root and /usr/bin).
class AppPathsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void preferencesStayOutOfInstalledFolders_data();
    void preferencesStayOutOfInstalledFolders();
};

void AppPathsTest::preferencesStayOutOfInstalledFolders_data()
{
    QTest::addColumn<QString>("dataFile"); // a data file made under the prefix
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("build folder: tips beside the program") << "bin/tips.txt" << true;
    QTest::newRow("folder without data") << "" << true;
    QTest::newRow("installed: /usr/bin with /usr/share/sigmora") << "share/sigmora/tips.txt" << false;
}

void AppPathsTest::preferencesStayOutOfInstalledFolders()
{
    QFETCH(QString, dataFile);
    QFETCH(bool, besideProgram);
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    if (!dataFile.isEmpty()) {
        QVERIFY(root.mkpath(QFileInfo(root.filePath(dataFile)).path()));
        QFile tips(root.filePath(dataFile));
        QVERIFY(tips.open(QIODevice::WriteOnly));
        tips.write("A tip\n");
    }
    const QString bin = root.filePath(QStringLiteral("bin"));
    const app::AppPaths paths(bin);

    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString expected = besideProgram ? bin : config;
    QCOMPARE(paths.installationDir(), expected);
    QCOMPARE(paths.preferencesFile(), QDir(expected).filePath(QStringLiteral("sigmora.ini")));
    // The data is found wherever it is.
    if (!dataFile.isEmpty())
        QCOMPARE(paths.dataFile(QStringLiteral("tips.txt")), QDir::cleanPath(root.filePath(dataFile)));
}

QTEST_MAIN(AppPathsTest)
#include "test_app_paths.moc"
