#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "app/platform/AppPaths.h"
#include "app/window/HelpWindow.h"
#include "app/window/MainWindow.h"
#include "edit/session/CommandIds.h"
#include "support/FakeUiPort.h"

using namespace sigmora;
namespace cmd = edit::cmd;

// Without any program set up to open web pages, the Help pages open in the built-in window; only
// a page that is really missing says the guide is not installed.
class HelpWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pagesOpenInTheBuiltInWindow_data();
    void pagesOpenInTheBuiltInWindow();
    void escapeClosesTheWindow();

private:
    QTemporaryDir emptyPath_;
};

void HelpWindowTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qunsetenv("BROWSER");
    qputenv("PATH", emptyPath_.path().toUtf8()); // no opener, no browser
}

void HelpWindowTest::pagesOpenInTheBuiltInWindow_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("page"); // empty: the page is missing
    QTest::newRow("guide") << cmd::HelpUsersGuide << "index.html";
    QTest::newRow("F1") << app::framecmd::Help << "index.html";
    QTest::newRow("updates") << cmd::HelpCheckUpdates << "updates.html";
    QTest::newRow("FAQ missing") << cmd::HelpFaq << "";
}

void HelpWindowTest::pagesOpenInTheBuiltInWindow()
{
    QFETCH(int, command);
    QFETCH(QString, page);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("doc"));
    for (const char* name : {"index.html", "updates.html"}) {
        QFile f(QDir(dir.path()).filePath(QStringLiteral("doc/") + QString::fromUtf8(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body><p>A page of the guide</p></body></html>");
    }
    app::AppPaths paths(dir.path(), dir.filePath(QStringLiteral("config")));
    test::FakeUiPort ui;
    app::MainWindow window(&ui, &paths);
    window.runCommand(command);

    auto* help = window.findChild<app::HelpWindow*>();
    if (page.isEmpty()) {
        QVERIFY(!help);
        using Asked = test::FakeUiPort::Asked;
        QCOMPARE(ui.messages, (std::vector<Asked>{{"The Sigmora User's Guide is not installed.", "Sigmora"}}));
        return;
    }
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->page(), QUrl::fromLocalFile(QDir(dir.path()).filePath(QStringLiteral("doc/") + page)));
    QVERIFY(ui.messages.empty());
}

// Esc closes the help window, wherever its focus is, as it closes the program's other windows.
void HelpWindowTest::escapeClosesTheWindow()
{
    QTemporaryDir dir;
    QFile f(QDir(dir.path()).filePath(QStringLiteral("index.html")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body><p>A page of the guide</p></body></html>");
    f.close();
    app::HelpWindow help;
    help.showPage(QUrl::fromLocalFile(f.fileName()));
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : &help, Qt::Key_Escape);
    QVERIFY(!help.isVisible());
}

QTEST_MAIN(HelpWindowTest)
#include "test_help_window.moc"
