#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <sys/stat.h>

#include "app/platform/AppPaths.h"
#include "app/platform/Preferences.h"
#include "io/base/FileAccess.h"
#include "model/DiagramSettings.h"

using namespace sigmora;
using app::Preferences;
using app::PreferencesRead;

// The preferences file "sigmora.ini": its bytes, short and missing files, and where the window
// goes at start-up.
class PreferencesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesSixteenLittleEndianIntegers();
    void roundTripKeepsEveryValue();
    void missingFileGivesDefaultsAndMaximised();
    void shortFile_data();
    void shortFile();
    void unwritablePathFailsWithTheReason_data();
    void unwritablePathFailsWithTheReason();
    void aMissingFolderIsMade();
    void aPipeOrDeviceIsNeitherReadNorReplaced();
    void placementFromAClientRectangle();
    void maximisedFlag_data();
    void maximisedFlag();
    void preferencesTravelToAndFromTheSettings();
    void userConfigFolder_data();
    void userConfigFolder();
    void theRunningProgramKeepsThemInTheConfigurationFolder();

private:
    QTemporaryDir dir_;
    std::string path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)).toStdString(); }
};

namespace {
Preferences sample()
{
    Preferences p;
    for (int i = 0; i < Preferences::Count; ++i)
        p.values[i] = i * 1000 - 3000; // negatives and positives
    return p;
}
} // namespace

void PreferencesTest::writesSixteenLittleEndianIntegers()
{
    Preferences p;
    p.values[0] = 0x01020304;
    p.values[1] = -2;
    p.values[15] = 1;
    QVERIFY(app::writePreferences(path("bytes.ini"), p));
    QFile f(QString::fromStdString(path("bytes.ini")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), 64);
    QCOMPARE(bytes.left(8), QByteArray("\x04\x03\x02\x01\xfe\xff\xff\xff", 8));
    QCOMPARE(bytes.right(4), QByteArray("\x01\x00\x00\x00", 4));
}

void PreferencesTest::roundTripKeepsEveryValue()
{
    const Preferences written = sample();
    QVERIFY(app::writePreferences(path("round.ini"), written));
    const PreferencesRead read = app::readPreferences(path("round.ini"));
    QCOMPARE(read.status, PreferencesRead::Status::Complete);
    QCOMPARE(read.valuesRead, 16);
    QVERIFY(read.preferences.values == written.values);
}

void PreferencesTest::missingFileGivesDefaultsAndMaximised()
{
    const PreferencesRead read = app::readPreferences(path("absent.ini"));
    QCOMPARE(read.status, PreferencesRead::Status::Missing);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(read.preferences.values[Preferences::NewSignalLevel + i], Preferences::kPreferenceDefaults[i]);
    QVERIFY(app::placementFrom(read).maximised);
}

void PreferencesTest::shortFile_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("valuesRead");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("empty") << 0 << 0 << true;
    QTest::newRow("placement without the flag") << 40 << 10 << true;
    QTest::newRow("half an integer") << 42 << 10 << true;
    QTest::newRow("flag read, not maximised") << 44 << 11 << false;
    QTest::newRow("one preference short") << 60 << 15 << false;
}

void PreferencesTest::shortFile()
{
    QFETCH(int, bytes);
    QFETCH(int, valuesRead);
    QFETCH(bool, maximised);
    Preferences p = sample();
    p[Preferences::ClientLeft] = 50;
    p[Preferences::ClientTop] = 60;
    p[Preferences::ClientWidth] = 800;
    p[Preferences::ClientHeight] = 500;
    p[Preferences::Maximised] = 0;
    p[Preferences::NewSignalLevel] = 0;
    p[Preferences::DropShadow] = 0;
    QVERIFY(app::writePreferences(path("short.ini"), p));
    QFile f(QString::fromStdString(path("short.ini")));
    QVERIFY(f.resize(bytes));

    const PreferencesRead read = app::readPreferences(path("short.ini"));
    QCOMPARE(read.status, PreferencesRead::Status::Short);
    QCOMPARE(read.valuesRead, valuesRead);
    // The five preferences take their defaults 1, 0, 2, 1, 1, whatever was read of them.
    QCOMPARE(read.preferences[Preferences::NewSignalLevel], 1);
    QCOMPARE(read.preferences[Preferences::AngledWireDirection], 0);
    QCOMPARE(read.preferences[Preferences::DropShadow], 2);
    QCOMPARE(read.preferences[Preferences::LogoShown], 1);
    QCOMPARE(read.preferences[Preferences::BoundingRectShown], 1);
    for (int i = 0; i < std::min(valuesRead, 11); ++i)
        QCOMPARE(read.preferences.values[i], p.values[i]);
    QCOMPARE(app::placementFrom(read).maximised, maximised);
}

// The message on closing names the reason the file cannot be written; a configuration folder
// that cannot be made is not reported as a missing file ("No such file or directory").
void PreferencesTest::unwritablePathFailsWithTheReason_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder cannot be made") << "plain-file/Kavlon Software/sigmora.ini" << "Not a directory";
    QTest::newRow("a folder by that name") << "folder.ini" << "Is a directory";
    QTest::newRow("a pipe by that name") << "pipe.ini" << "Is a named pipe, not a regular file";
    QTest::newRow("a link to a device") << "null.ini" << "Is a device, not a regular file";
}

void PreferencesTest::unwritablePathFailsWithTheReason()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QFile plain(QString::fromStdString(path("plain-file")));
    QVERIFY(plain.exists() || plain.open(QIODevice::WriteOnly));
    QDir(dir_.path()).mkdir(QStringLiteral("folder.ini"));
    if (!QFileInfo::exists(QString::fromStdString(path("pipe.ini"))))
        QCOMPARE(::mkfifo(path("pipe.ini").c_str(), 0644), 0);
    QFile::link(QStringLiteral("/dev/null"), QString::fromStdString(path("null.ini")));
    const std::string file = path(name.toUtf8().constData());
    errno = 0;
    QVERIFY(!app::writePreferences(file, sample()));
    QCOMPARE(QString::fromStdString(io::fileProblem(file, errno)), QString::fromStdString(file) + ": " + reason);
}

void PreferencesTest::aMissingFolderIsMade()
{
    QVERIFY(app::writePreferences(path("new/Kavlon Software/sigmora.ini"), sample()));
    QCOMPARE(app::readPreferences(path("new/Kavlon Software/sigmora.ini")).preferences.values, sample().values);
}

// A pipe named sigmora.ini would hold start-up up waiting for a writer: it counts as missing and
// stays a pipe; so does a link to a device.
void PreferencesTest::aPipeOrDeviceIsNeitherReadNorReplaced()
{
    QCOMPARE(::mkfifo(path("fifo.ini").c_str(), 0644), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), QString::fromStdString(path("zero.ini"))));
    for (const char* name : {"fifo.ini", "zero.ini"}) {
        const PreferencesRead read = app::readPreferences(path(name));
        QCOMPARE(read.status, PreferencesRead::Status::Missing);
        QCOMPARE(read.valuesRead, 0);
        QVERIFY(app::placementFrom(read).maximised);
        QVERIFY(!app::writePreferences(path(name), sample()));
    }
    struct stat info {};
    QCOMPARE(::lstat(path("fifo.ini").c_str(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
    QVERIFY(QFileInfo(QString::fromStdString(path("zero.ini"))).isSymLink());
}

void PreferencesTest::placementFromAClientRectangle()
{
    PreferencesRead read;
    read.status = PreferencesRead::Status::Complete;
    read.valuesRead = 16;
    Preferences& p = read.preferences;
    p[Preferences::CaptionHeight] = 19;
    p[Preferences::FrameWidth] = 4;
    p[Preferences::FrameHeight] = 4;
    p[Preferences::MenuHeight] = 20;
    p[Preferences::ClientLeft] = 104;
    p[Preferences::ClientTop] = 143;
    p[Preferences::ClientWidth] = 640;
    p[Preferences::ClientHeight] = 480;
    p[Preferences::Maximised] = 0;
    const app::FramePlacement placement = app::placementFrom(read);
    QVERIFY(!placement.maximised);
    QCOMPARE(placement.x, 100);                      // left - frame width
    QCOMPARE(placement.y, 100);                      // top - menu - frame - caption
    QCOMPARE(placement.width, 648);                  // client + 2 frames
    QCOMPARE(placement.height, 20 + 8 + 19 + 480);   // menu + 2 frames + caption + client

    p[Preferences::Maximised] = 1;
    QVERIFY(app::placementFrom(read).maximised);
    p[Preferences::Maximised] = 0;
    p[Preferences::ClientWidth] = 0; // a window without area comes back maximised
    QVERIFY(app::placementFrom(read).maximised);
    p[Preferences::ClientWidth] = 640;
    // So does one whose frame sums would overflow (a damaged file).
    for (Preferences::Index i : {Preferences::FrameWidth, Preferences::ClientTop, Preferences::CaptionHeight}) {
        const std::int32_t kept = p[i];
        p[i] = 1560281088;
        QVERIFY(app::placementFrom(read).maximised);
        p[i] = -1560281088;
        QVERIFY(app::placementFrom(read).maximised);
        p[i] = kept;
    }
    QVERIFY(!app::placementFrom(read).maximised);
}

void PreferencesTest::maximisedFlag_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("windowMaximised");
    QTest::addColumn<int>("flag");
    QTest::newRow("inside the screen") << 10 << 10 << 800 << false << 0;
    QTest::newRow("as wide as the screen") << 0 << 30 << 1280 << false << 1;
    QTest::newRow("wider than the screen") << 0 << 30 << 1300 << false << 1;
    QTest::newRow("off the left edge") << -5 << 30 << 800 << false << 1;
    QTest::newRow("off the top edge") << 10 << -1 << 800 << false << 1;
    QTest::newRow("maximised by the desktop") << 0 << 30 << 1200 << true << 1;
}

void PreferencesTest::maximisedFlag()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(bool, windowMaximised);
    QFETCH(int, flag);
    app::FrameMetrics m;
    m.screenWidth = 1280;
    m.screenHeight = 1024;
    m.clientLeft = left;
    m.clientTop = top;
    m.clientWidth = width;
    m.clientHeight = 600;
    m.windowMaximised = windowMaximised;
    const Preferences p = app::placementValues(m);
    QCOMPARE(p[Preferences::Maximised], flag);
    QCOMPARE(p[Preferences::ScreenWidth], 1280);
    QCOMPARE(p[Preferences::ClientWidth], width);
}

void PreferencesTest::preferencesTravelToAndFromTheSettings()
{
    Preferences p;
    p[Preferences::NewSignalLevel] = 0;
    p[Preferences::AngledWireDirection] = 1;
    p[Preferences::DropShadow] = 0;
    p[Preferences::LogoShown] = 0;
    p[Preferences::BoundingRectShown] = 0;
    model::DiagramSettings settings;
    p.applyTo(settings);
    QCOMPARE(settings.newSignalLevel, 0);
    QCOMPARE(settings.angledWireDirection, 1);
    QCOMPARE(settings.dropShadow, 0);
    QCOMPARE(settings.logoShown, 0);
    QCOMPARE(settings.boundingRectShown, 0);
    Preferences back;
    back.setPreferenceDefaults();
    back.takeFrom(settings);
    QVERIFY(back.values == p.values);

    // Values no menu can set come back as their defaults.
    p[Preferences::NewSignalLevel] = 5;
    p[Preferences::AngledWireDirection] = -1;
    p[Preferences::DropShadow] = 3;
    p[Preferences::LogoShown] = 2;
    p[Preferences::BoundingRectShown] = 0;
    p.applyTo(settings);
    QCOMPARE(settings.newSignalLevel, 1);
    QCOMPARE(settings.angledWireDirection, 0);
    QCOMPARE(settings.dropShadow, 2);
    QCOMPARE(settings.logoShown, 1);
    QCOMPARE(settings.boundingRectShown, 0);
}

void PreferencesTest::userConfigFolder_data()
{
    QTest::addColumn<QString>("xdgConfigHome");
    QTest::addColumn<QString>("expected");
    const QString home = QStringLiteral("/home/u");
    QTest::newRow("$XDG_CONFIG_HOME set") << "/data/cfg" << "/data/cfg/Kavlon Software";
    QTest::newRow("with a slash at its end") << "/data/cfg/" << "/data/cfg/Kavlon Software";
    QTest::newRow("unset: ~/.config") << "" << "/home/u/.config/Kavlon Software";
    QTest::newRow("relative: ignored") << "cfg" << "/home/u/.config/Kavlon Software";
}

void PreferencesTest::userConfigFolder()
{
    QFETCH(QString, xdgConfigHome);
    QFETCH(QString, expected);
    QCOMPARE(app::AppPaths::userConfigDir(xdgConfigHome, QStringLiteral("/home/u")), expected);
}

// The program run from its build folder (which is writable) keeps "sigmora.ini" in the
// configuration folder, not beside itself.
void PreferencesTest::theRunningProgramKeepsThemInTheConfigurationFolder()
{
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const app::AppPaths paths;
    qputenv("XDG_CONFIG_HOME", saved);
    QVERIFY(QFileInfo(QCoreApplication::applicationDirPath()).isWritable());
    QCOMPARE(paths.preferencesFile(), config.path() + QStringLiteral("/Kavlon Software/sigmora.ini"));
    QVERIFY(QFileInfo(config.path() + QStringLiteral("/Kavlon Software")).isDir());
    QCOMPARE(paths.installationDir(), config.path() + QStringLiteral("/Kavlon Software"));
}

QTEST_MAIN(PreferencesTest)
#include "test_preferences.moc"
