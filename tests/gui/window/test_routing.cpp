#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/platform/AppPaths.h"
#include "app/window/CommandRouter.h"
#include "app/window/MainWindow.h"
#include "app/platform/QtTextMeasurer.h"
#include "edit/session/CommandIds.h"
#include "support/FakeUiPort.h"

using namespace sigmora;
namespace cmd = edit::cmd;

// Where commands go, how their items show, and what the window's own commands do.
class RoutingTest : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void openUrl(const QUrl& url) { openedUrls << url; }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void editorHandlesBeforeFrame();
    void frameHandlesWhatTheEditorDoesNot();
    void nobodyHandlesMeansDisabled();
    void itemsShowTheEditorsChecksAndTexts();
    void verilogAndTestBenchDoNothing_data();
    void verilogAndTestBenchDoNothing();
    void moveSignalItemsAreDisabled();
    void helpItemsOpenTheirPages_data();
    void helpItemsOpenTheirPages();
    void closingAsksToSaveOnlyWhenModified_data();
    void closingAsksToSaveOnlyWhenModified();
    void exitAsksOnceThenCloses();
    void preferencesAreWrittenOnClose();
    void unwritablePreferencesAreReportedAndClosingGoesOn();
    void recentFileListShowsEntriesAndDropsOnesThatFailToOpen();

private:
    QList<QUrl> openedUrls;
};

namespace {

struct Counters {
    int editor = 0;
    int frame = 0;
};

// A guide folder beside a pretend executable, so that the Help pages exist.
void makeGuide(const QString& exeDir)
{
    QDir(exeDir).mkpath(QStringLiteral("doc"));
    for (const char* page : {"index.html", "faq.html", "report-a-bug.html", "updates.html"}) {
        QFile f(QDir(exeDir).filePath(QStringLiteral("doc/") + QString::fromUtf8(page)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
    }
}

} // namespace

void RoutingTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    // A browser is set up: the pages go to it (here, to openUrl), not to the built-in window.
    qputenv("BROWSER", "sensible-browser");
}

void RoutingTest::editorHandlesBeforeFrame()
{
    test::FakeUiPort ui;
    app::QtTextMeasurer measurer;
    edit::Editor editor(ui, measurer);
    app::CommandRouter router(editor);
    Counters count;
    constexpr int shared = cmd::HelpFaq;
    editor.commands().add(shared, [&] { ++count.editor; });
    router.frameCommands().add(shared, [&] { ++count.frame; });
    QVERIFY(router.execute(shared));
    QCOMPARE(count.editor, 1);
    QCOMPARE(count.frame, 0);
}

void RoutingTest::frameHandlesWhatTheEditorDoesNot()
{
    test::FakeUiPort ui;
    app::QtTextMeasurer measurer;
    edit::Editor editor(ui, measurer);
    app::CommandRouter router(editor);
    Counters count;
    constexpr int frameOnly = cmd::HelpReportBug;
    QVERIFY(!editor.handles(frameOnly));
    router.frameCommands().add(frameOnly, [&] { ++count.frame; });
    QVERIFY(router.execute(frameOnly));
    QCOMPARE(count.frame, 1);
    QVERIFY(router.state(frameOnly).enabled);
}

void RoutingTest::nobodyHandlesMeansDisabled()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    // A number no table uses, and a real command that has no handler yet.
    QVERIFY(!window.router().execute(30000));
    QVERIFY(!window.router().state(30000).enabled);
    for (QAction* a : window.findChildren<QAction*>()) {
        const int command = a->data().toInt();
        if (command == 0 || a->isSeparator() || a->menu())
            continue;
        QCOMPARE(a->isEnabled(), window.router().state(command).enabled);
        if (!window.router().handles(command))
            QVERIFY2(!a->isEnabled(), qPrintable(QString::number(command)));
    }
}

void RoutingTest::itemsShowTheEditorsChecksAndTexts()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    bool checked = true;
    window.editor().commands().add(cmd::ViewLogo, [] {}, [&](edit::CommandState& s) {
        s.checked = checked;
        s.text = checked ? "Logo shown" : std::optional<std::string>{};
    });
    QMenu* view = window.action(cmd::ViewLogo)->associatedObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QMenu*>(window.action(cmd::ViewLogo)->associatedObjects().front());
    QVERIFY(view);
    Q_EMIT view->aboutToShow(); // the window asks before the menu shows
    QAction* logo = window.action(cmd::ViewLogo);
    QVERIFY(logo->isEnabled());
    QVERIFY(logo->isChecked());
    QCOMPARE(logo->text(), QStringLiteral("Logo shown"));
    checked = false;
    Q_EMIT view->aboutToShow();
    QVERIFY(!logo->isChecked());
    QCOMPARE(logo->text(), QStringLiteral("Sigmora Logo"));
}

void RoutingTest::verilogAndTestBenchDoNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("Verilog...") << cmd::ImportVerilog;
    QTest::newRow("TestBench ...") << cmd::ExportTestBench;
}

void RoutingTest::verilogAndTestBenchDoNothing()
{
    // Not built: the items are disabled (never a button that does nothing), and their status-bar
    // prompts say that they are not available.
    QFETCH(int, command);
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().addRow(model::NewRowKind::Clock);
    const std::string before = window.editor().diagram().store.signals().get(0);
    window.updateCommandStates();
    QAction* a = window.action(command);
    QVERIFY(!a->isEnabled());
    QVERIFY(a->statusTip().contains(QStringLiteral("not available")));
    a->trigger();
    QVERIFY(ui.messages.empty());
    QCOMPARE(window.editor().diagram().store.signals().get(0), before);
    QVERIFY(openedUrls.isEmpty());
}

void RoutingTest::moveSignalItemsAreDisabled()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.editor().addRow(model::NewRowKind::Signal);
    QMenu* menu = window.contextMenu(app::ContextMenu::Signal);
    Q_EMIT menu->aboutToShow();
    for (int command : {32924, 32925}) {
        const auto items = window.actions(command);
        QCOMPARE(items.size(), std::size_t(1));
        QVERIFY(!items.front()->isEnabled());
        // The status bar says how a row is moved instead.
        QVERIFY(items.front()->statusTip().contains(QStringLiteral("drag its name")));
    }
}

void RoutingTest::helpItemsOpenTheirPages_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("page");
    QTest::newRow("guide") << cmd::HelpUsersGuide << "index.html";
    QTest::newRow("faq") << cmd::HelpFaq << "faq.html";
    QTest::newRow("bug") << cmd::HelpReportBug << "report-a-bug.html";
    QTest::newRow("updates") << cmd::HelpCheckUpdates << "updates.html";
    QTest::newRow("F1") << app::framecmd::Help << "index.html";
}

void RoutingTest::helpItemsOpenTheirPages()
{
    QFETCH(int, command);
    QFETCH(QString, page);
    QTemporaryDir dir;
    makeGuide(dir.path());
    app::AppPaths paths(dir.path(), dir.filePath(QStringLiteral("config")));
    test::FakeUiPort ui;
    app::MainWindow window(&ui, &paths);
    openedUrls.clear();
    window.action(command)->trigger();
    QCOMPARE(openedUrls.size(), 1);
    QCOMPARE(openedUrls.front(), QUrl::fromLocalFile(QDir(dir.path()).filePath(QStringLiteral("doc/") + page)));
    QVERIFY(ui.messages.empty());
}

void RoutingTest::closingAsksToSaveOnlyWhenModified_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("unchanged") << false << int(edit::Answer::No) << true;
    QTest::newRow("changed, No") << true << int(edit::Answer::No) << true;
    QTest::newRow("changed, Yes") << true << int(edit::Answer::Yes) << true;
    QTest::newRow("changed, Cancel or Esc") << true << int(edit::Answer::Cancel) << false;
}

// Yes saves and closes, No closes, Cancel (Esc, the question's close button) keeps the window,
// the diagram and its unsaved changes.
void RoutingTest::closingAsksToSaveOnlyWhenModified()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("closing.sgm")).toStdString();
    test::FakeUiPort ui;
    ui.answers.push_back(edit::Answer(answer));
    app::MainWindow window(&ui);
    window.show();
    window.editor().addRow(model::NewRowKind::Bus);
    window.editor().setFilePath(file);
    window.editor().diagram().modified = modified;
    QCOMPARE(window.close(), closes);
    using Asked = test::FakeUiPort::Asked;
    const std::vector<Asked> expected = modified ? std::vector<Asked>{{"Do you want to save your changes?", "Save Changes?"}}
                                                 : std::vector<Asked>{};
    QCOMPARE(ui.questions, expected);
    QCOMPARE(ui.cancellable.size(), expected.size());
    QCOMPARE(QFile::exists(QString::fromStdString(file)), modified && answer == int(edit::Answer::Yes));
    QCOMPARE(window.isVisible(), !closes);
    QCOMPARE(window.editor().diagram().modified, !closes);
    QCOMPARE(window.editor().diagram().store.signalCount(), 1);
}

void RoutingTest::exitAsksOnceThenCloses()
{
    test::FakeUiPort ui;
    ui.answers = {edit::Answer::Cancel, false};
    app::MainWindow window(&ui);
    window.show();
    window.editor().addRow(model::NewRowKind::Bus);
    QVERIFY(window.editor().diagram().modified);
    window.action(cmd::AppExit)->trigger();
    QCOMPARE(ui.questions.size(), std::size_t(1));
    QVERIFY(window.isVisible()); // Esc at the question: the window stays
    window.action(cmd::AppExit)->trigger();
    QCOMPARE(ui.questions.size(), std::size_t(2)); // once per Exit, never twice
    QCOMPARE(ui.questions.back().text, std::string("Do you want to save your changes?"));
    QVERIFY(!window.isVisible());
}

void RoutingTest::preferencesAreWrittenOnClose()
{
    QTemporaryDir dir, config;
    app::AppPaths paths(dir.path(), config.path());
    test::FakeUiPort ui;
    app::MainWindow window(&ui, &paths);
    window.editor().diagram().settings.newSignalLevel = 0;
    window.editor().diagram().settings.dropShadow = 1;
    window.show();
    QVERIFY(window.close());
    // In the configuration folder, never beside the program.
    QCOMPARE(paths.preferencesFile(), config.filePath(QStringLiteral("sigmora.ini")));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("sigmora.ini"))));
    QFile file(paths.preferencesFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 64);
    auto value = [&](int i) { return qFromLittleEndian<qint32>(bytes.constData() + 4 * i); };
    QCOMPARE(value(11), 0); // new signals low
    QCOMPARE(value(12), 0); // angled wires bend left
    QCOMPARE(value(13), 1); // solid shadow
    QCOMPARE(value(14), 1);
    QCOMPARE(value(15), 1);
    QVERIFY(ui.messages.empty());
}

void RoutingTest::unwritablePreferencesAreReportedAndClosingGoesOn()
{
    QTemporaryDir dir;
    app::AppPaths paths(dir.path(), dir.filePath(QStringLiteral("config")));
    QVERIFY(QDir().mkpath(paths.preferencesFile())); // a folder where the file should go
    test::FakeUiPort ui;
    ui.answers.push_back(false);
    app::MainWindow window(&ui, &paths);
    window.editor().diagram().modified = true;
    window.show();
    QVERIFY(window.close());
    QCOMPARE(ui.messages.size(), std::size_t(1));
    // The message, then the file and the system's reason.
    QCOMPARE(ui.messages.front().text,
             "Error saving file\n" + paths.preferencesFile().toStdString() + ": Is a directory");
    QCOMPARE(ui.questions.size(), std::size_t(1)); // the save question still comes
    QVERIFY(!window.isVisible());
}

void RoutingTest::recentFileListShowsEntriesAndDropsOnesThatFailToOpen()
{
    QSettings().clear();
    QTemporaryDir dir;
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("gone.sgm"));
    const QString other = QDir(dir.path()).filePath(QStringLiteral("kept.sgm"));
    window.recentFiles().add(other);
    window.recentFiles().add(missing);
    QMenu* file = qobject_cast<QMenu*>(window.action(cmd::FileNew)->associatedObjects().front());
    Q_EMIT file->aboutToShow();
    QAction* first = window.action(app::kRecentFileFirst);
    QAction* second = window.action(app::kRecentFileFirst + 1);
    QCOMPARE(first->text(), QStringLiteral("&1 ") + missing);
    QCOMPARE(second->text(), QStringLiteral("&2 ") + other);
    QVERIFY(second->isVisible());
    QVERIFY(!window.action(app::kRecentFileFirst + 2)->isVisible());
    QCOMPARE(first->isEnabled(), window.editor().handles(cmd::FileOpen));
    if (!window.editor().handles(cmd::FileOpen))
        QSKIP("Opening named diagrams is not available in this build");
    first->trigger();
    QCOMPARE(window.recentFiles().paths(), QStringList{other});
    QVERIFY(!ui.messages.empty()); // the open failure was reported by the editor
}

QTEST_MAIN(RoutingTest)
#include "test_routing.moc"
