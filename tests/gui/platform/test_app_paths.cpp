#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/platform/AppPaths.h"

using namespace sigmora;

// Where the preferences go: always into the user's configuration folder, whether the program runs
// from its build folder or from an installation whose folders can be written (root and /usr/bin);
// its read-only data is found wherever it lies.
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
    QTest::newRow("build folder: tips beside the program") << "bin/tips.txt";
    QTest::newRow("folder without data") << "";
    QTest::newRow("installed: /usr/bin with /usr/share/sigmora") << "share/sigmora/tips.txt";
}

void AppPathsTest::preferencesStayOutOfInstalledFolders()
{
    QFETCH(QString, dataFile);
    QTemporaryDir prefix;
    QTemporaryDir home;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    if (!dataFile.isEmpty()) {
        QVERIFY(root.mkpath(QFileInfo(root.filePath(dataFile)).path()));
        QFile tips(root.filePath(dataFile));
        QVERIFY(tips.open(QIODevice::WriteOnly));
        tips.write("A tip\n");
    }
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString config = app::AppPaths::userConfigDir(QString(), home.path());
    const app::AppPaths paths(bin, config);

    QCOMPARE(paths.installationDir(), config);
    QCOMPARE(paths.preferencesFile(), QDir(config).filePath(QStringLiteral("sigmora.ini")));
    QVERIFY(!paths.preferencesFile().startsWith(root.path()));
    // The data is found wherever it is.
    if (!dataFile.isEmpty())
        QCOMPARE(paths.dataFile(QStringLiteral("tips.txt")), QDir::cleanPath(root.filePath(dataFile)));
}

QTEST_MAIN(AppPathsTest)
#include "test_app_paths.moc"
