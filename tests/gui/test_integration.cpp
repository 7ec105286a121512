#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "app/startup/FileAssociation.h"
#include "app/startup/InstanceHandOff.h"
#include "app/startup/SingleInstance.h"
#include "edit/files/FileFormats.h"

using namespace sigmora;
using app::FileAssociation;

// How Sigmora meets the desktop: the file association and the single running instance.
class IntegrationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesAreNormalised_data();
    void namesAreNormalised();
    void openCommand_data();
    void openCommand();
    void registersWhatIsMissingForTheUser();
    void leavesAnInstalledAssociationAlone();
    void keepsTheUsersOwnDefaultApplication();
    void failsWhenNothingCanBeWritten();
    void secondLockIsRefused();
    void secondStartEndsWithoutAWindow();
    void secondStartHandsItsFileToTheRunningOne_data();
    void secondStartHandsItsFileToTheRunningOne();
    void aStartOnAnotherDisplayOpensItsOwnWindow();
    void helpAndVersionNeedNoDisplay_data();
    void helpAndVersionNeedNoDisplay();

private:
    static QString readAll(const QString& path);
};

QString IntegrationTest::readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

void IntegrationTest::namesAreNormalised_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("normalExtension");
    QTest::addColumn<QString>("normalType");
    QTest::newRow("plain") << ".sgm" << "Sigmora" << true << ".sgm" << "Sigmora";
    QTest::newRow("no dot") << "sgm" << "Sigmora" << true << ".sgm" << "Sigmora";
    QTest::newRow("spaces and dots") << " . s.g m " << "Sig mora" << true << ".sgm" << "Sigmora";
    QTest::newRow("blank extension") << "   " << "Sigmora" << false << "" << "";
    QTest::newRow("dots only") << "..." << "Sigmora" << false << "" << "";
    QTest::newRow("blank type") << ".sgm" << " " << false << "" << "";
}

void IntegrationTest::namesAreNormalised()
{
    QFETCH(QString, extension);
    QFETCH(QString, typeName);
    QFETCH(bool, valid);
    QFETCH(QString, normalExtension);
    QFETCH(QString, normalType);
    const auto names = FileAssociation::normalise(extension, typeName);
    QCOMPARE(names.has_value(), valid);
    if (names) {
        QCOMPARE(names->extension, normalExtension);
        QCOMPARE(names->typeName, normalType);
    }
}

void IntegrationTest::openCommand_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("command");
    QTest::newRow("plain path") << "/usr/bin/sigmora" << "/usr/bin/sigmora %f";
    QTest::newRow("spaces") << "/opt/Kavlon Software/Sigmora 3.3/sigmora"
                            << "\"/opt/Kavlon Software/Sigmora 3.3/sigmora\" %f";
    // Inside quotes '"' and '$' take a backslash, and every backslash of the value is doubled.
    QTest::newRow("quote and dollar") << "/home/a b/x\"$y" << "\"/home/a b/x\\\\\"\\\\$y\" %f";
    QTest::newRow("backslash") << "/tmp/a\\b" << "\"/tmp/a\\\\\\\\b\" %f";
    QTest::newRow("percent") << "/tmp/100%/sigmora" << "/tmp/100%%/sigmora %f";
}

void IntegrationTest::openCommand()
{
    QFETCH(QString, program);
    QFETCH(QString, command);
    QCOMPARE(FileAssociation::openCommand(program), command);
}

void IntegrationTest::registersWhatIsMissingForTheUser()
{
    QTemporaryDir data, config;
    FileAssociation association(data.path(), {}, config.path());
    QVERIFY(association.registerForUser(QStringLiteral(".sgm"), QStringLiteral("Sigmora"),
                                        QStringLiteral("/opt/my tools/sigmora")));
    const QString desktop = readAll(data.filePath(QStringLiteral("applications/sigmora.desktop")));
    QVERIFY(desktop.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(desktop.contains(QStringLiteral("\nExec=\"/opt/my tools/sigmora\" %f\n")));
    QVERIFY(desktop.contains(QStringLiteral("\nMimeType=application/x-sigmora;\n")));
    const QString mime = readAll(data.filePath(QStringLiteral("mime/packages/sigmora.xml")));
    QVERIFY(mime.contains(QStringLiteral("<mime-type type=\"application/x-sigmora\">")));
    QVERIFY(mime.contains(QStringLiteral("<glob pattern=\"*.sgm\"/>")));
    // The format tag tells a diagram from an SGML document, which claims the same glob.
    QVERIFY(mime.contains(QStringLiteral("<match type=\"string\" offset=\"0\" value=\"\\x03SGM\"/>")));
    const QString defaults = readAll(config.filePath(QStringLiteral("mimeapps.list")));
    QCOMPARE(defaults, QStringLiteral("[Default Applications]\napplication/x-sigmora=sigmora.desktop;\n"));
    // A second start finds everything in place and changes nothing.
    QVERIFY(association.registerForUser(QStringLiteral(".sgm"), QStringLiteral("Sigmora"), QStringLiteral("/elsewhere")));
    QCOMPARE(readAll(data.filePath(QStringLiteral("applications/sigmora.desktop"))), desktop);
    QCOMPARE(readAll(config.filePath(QStringLiteral("mimeapps.list"))), defaults);
}

void IntegrationTest::leavesAnInstalledAssociationAlone()
{
    QTemporaryDir data, system, config;
    QVERIFY(QDir(system.path()).mkpath(QStringLiteral("applications")));
    QVERIFY(QDir(system.path()).mkpath(QStringLiteral("mime/packages")));
    QFile::copy(QStringLiteral(SIGMORA_SOURCE_DIR "/resources/sigmora.desktop"),
                system.filePath(QStringLiteral("applications/sigmora.desktop")));
    QFile::copy(QStringLiteral(SIGMORA_SOURCE_DIR "/resources/sigmora-mime.xml"),
                system.filePath(QStringLiteral("mime/packages/sigmora.xml")));
    FileAssociation association(data.path(), {system.path()}, config.path());
    QVERIFY(association.registerForUser(QStringLiteral(".sgm"), QStringLiteral("Sigmora"), QStringLiteral("/x/sigmora")));
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("applications/sigmora.desktop"))));
    QVERIFY(!QFile::exists(data.filePath(QStringLiteral("mime/packages/sigmora.xml"))));
}

void IntegrationTest::keepsTheUsersOwnDefaultApplication()
{
    QTemporaryDir data, config;
    QFile list(config.filePath(QStringLiteral("mimeapps.list")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[Added Associations]\ntext/plain=a.desktop;\n[Default Applications]\napplication/x-sigmora=other.desktop;\n");
    list.close();
    FileAssociation association(data.path(), {}, config.path());
    QVERIFY(association.registerForUser(QStringLiteral(".sgm"), QStringLiteral("Sigmora"), QStringLiteral("/x/sigmora")));
    QVERIFY(readAll(list.fileName()).contains(QStringLiteral("application/x-sigmora=other.desktop;")));
    QVERIFY(!readAll(list.fileName()).contains(QStringLiteral("sigmora.desktop;")));
}

void IntegrationTest::failsWhenNothingCanBeWritten()
{
    QTemporaryDir dir;
    // The data folder is a plain file, so nothing can be created below it.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    QFile f(blocked);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    FileAssociation association(blocked, {}, dir.path());
    QVERIFY(!association.registerForUser(QStringLiteral(".sgm"), QStringLiteral("Sigmora"), QStringLiteral("/x/sigmora")));
    FileAssociation fine(dir.filePath(QStringLiteral("data")), {}, dir.path());
    QVERIFY(!fine.registerForUser(QStringLiteral(" "), QStringLiteral("Sigmora"), QStringLiteral("/x/sigmora")));
}

void IntegrationTest::secondLockIsRefused()
{
    QTemporaryDir dir;
    {
        app::SingleInstance first(dir.path(), QStringLiteral(":5"));
        QVERIFY(first.acquire());
        app::SingleInstance second(dir.path(), QStringLiteral(":5"));
        QVERIFY(!second.acquire());
        app::SingleInstance elsewhere(dir.path(), QStringLiteral(":6")); // another display
        QVERIFY(elsewhere.acquire());
        QVERIFY(elsewhere.socket() != first.socket());
    }
    app::SingleInstance afterwards(dir.path(), QStringLiteral(":5")); // the first one ended
    QVERIFY(afterwards.acquire());
}

void IntegrationTest::secondStartEndsWithoutAWindow()
{
    QTemporaryDir runtime, home;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    app::SingleInstance running(runtime.path(), app::SingleInstance::currentDisplay());
    QVERIFY(running.acquire());

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    second.start(QStringLiteral(SIGMORA_EXECUTABLE), {home.filePath(QStringLiteral("some.sgm"))});
    // A start that made a window would wait in its event loop; this one must end by itself,
    // long before a splash picture or a window could come and go.
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(clock.elapsed() < 3000);
    QCOMPARE(second.readAllStandardOutput(), QByteArray());
    // It wrote nothing: no association, no preferences of its own.
    QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("data/applications"))));
}

void IntegrationTest::secondStartHandsItsFileToTheRunningOne_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected"); // relative to the second start's folder; empty: none
    QTest::newRow("absolute path") << QStringList{QStringLiteral("@/a b.sgm")} << QStringLiteral("a b.sgm");
    QTest::newRow("relative path") << QStringList{QStringLiteral("sub/c.sgm")} << QStringLiteral("sub/c.sgm");
    QTest::newRow("no file: come forward") << QStringList{} << QString();
}

// The test plays the running Sigmora; the real program is the second start.
void IntegrationTest::secondStartHandsItsFileToTheRunningOne()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QTemporaryDir runtime, home;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    app::SingleInstance running(runtime.path(), app::SingleInstance::currentDisplay());
    QVERIFY(running.acquire());
    app::InstanceHandOff handOff;
    QVERIFY(handOff.listen(running.socket()));
    QSignalSpy requests(&handOff, &app::InstanceHandOff::requested);

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(home.path());
    for (QString& a : arguments)
        a.replace(QStringLiteral("@"), home.path());
    second.start(QStringLiteral(SIGMORA_EXECUTABLE), arguments);
    QVERIFY(requests.wait(10000));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.front().front().toString(), expected.isEmpty() ? QString() : home.filePath(expected));
    QCOMPARE(second.readAllStandardError(), QByteArray());
}

// The user runs Sigmora on display :97; a start on :98 (another X server) opens a window there
// instead of handing its file to a window the user cannot see.
void IntegrationTest::aStartOnAnotherDisplayOpensItsOwnWindow()
{
    QTemporaryDir runtime, home;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    app::SingleInstance running(runtime.path(), QStringLiteral(":97"));
    QVERIFY(running.acquire());
    app::InstanceHandOff handOff;
    QVERIFY(handOff.listen(running.socket()));
    QSignalSpy requests(&handOff, &app::InstanceHandOff::requested);

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":98.0"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(home.path());
    second.start(QStringLiteral(SIGMORA_EXECUTABLE), {home.filePath(QStringLiteral("a.sgm"))});
    QVERIFY(second.waitForStarted(10000));
    // Its own lock on its own display: the window is up.
    const QString lock = QDir(runtime.path()).filePath(QStringLiteral("Sigmora 3.3 on :98.lock"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 15000);
    QCOMPARE(second.state(), QProcess::Running);
    QCOMPARE(requests.size(), 0);
    second.kill();
    second.waitForFinished(10000);
}

void IntegrationTest::helpAndVersionNeedNoDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("--help") << QStringLiteral("--help");
    QTest::newRow("--version") << QStringLiteral("--version");
}

// Without a display (no DISPLAY, no Wayland, no platform named), "--help" prints every
// command-line form the README's "Command line" section names, "--version" the version; both
// end with 0 and print nothing on standard error.
void IntegrationTest::helpAndVersionNeedNoDisplay()
{
    QFETCH(QString, option);
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromUtf8(name));
    run.setProcessEnvironment(env);
    run.start(QStringLiteral(SIGMORA_EXECUTABLE), {option});
    QVERIFY(run.waitForFinished(10000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
    QCOMPARE(run.readAllStandardError(), QByteArray());
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    if (option == QStringLiteral("--version")) {
        QCOMPARE(out, QStringLiteral("Sigmora 3.3.5\n"));
        return;
    }
    QFile readme(QStringLiteral(SIGMORA_SOURCE_DIR "/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("\n## Command line\n"));
    QVERIFY(start >= 0);
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), start + 1);
    const QString section = text.mid(start, end < 0 ? -1 : end - start);
    QStringList options;
    const QRegularExpression option_(QStringLiteral("--[a-z]+"));
    for (auto it = option_.globalMatch(section); it.hasNext();)
        options << it.next().captured();
    options.removeDuplicates();
    QVERIFY2(options.size() >= 7, qPrintable(options.join(u' ')));
    for (const QString& o : options)
        QVERIFY2(out.contains(o), qPrintable(o));
    // Every format the command line reads or writes is named by its extension.
    for (const edit::FileFormat& f : edit::fileFormats()) {
        const QString extension = QString::fromUtf8(f.extension.data(), static_cast<qsizetype>(f.extension.size()));
        QVERIFY2(out.contains(extension + u',') || out.contains(extension + u')'), qPrintable(extension));
    }
    for (const QString& line : out.split(u'\n'))
        QVERIFY2(line.size() <= 94, qPrintable(line));
    QVERIFY(out.startsWith(QStringLiteral("Usage: sigmora [FILE]\n")));
}

QTEST_MAIN(IntegrationTest)
#include "test_integration.moc"
