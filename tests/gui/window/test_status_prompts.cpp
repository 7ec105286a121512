#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QtTest>

#include "app/window/MainWindow.h"
#include "edit/session/CommandIds.h"

using namespace sigmora;
namespace cmd = edit::cmd;

// The status bar shows the prompt of the highlighted menu item, whether it is enabled or not.
class StatusPromptsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void highlightedItemShowsItsPrompt_data();
    void highlightedItemShowsItsPrompt();
};

void StatusPromptsTest::highlightedItemShowsItsPrompt_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Undo, disabled with nothing to undo") << cmd::EditUndo << false;
    QTest::newRow("Redo, disabled with nothing to redo") << cmd::EditRedo << false;
}

void StatusPromptsTest::highlightedItemShowsItsPrompt()
{
    QFETCH(int, command);
    QFETCH(bool, enabled);
    app::MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAction* item = window.action(command);
    QVERIFY(item);
    auto* menu = qobject_cast<QMenu*>(item->parent());
    QVERIFY(menu);
    QCOMPARE(item->isEnabled(), enabled);
    QVERIFY(!item->statusTip().isEmpty());

    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    // A menu takes the pointer's first moves for the click that opened it: move along the item.
    const QRect geometry = menu->actionGeometry(item);
    for (int dx : {-20, 0, 20}) {
        const QPointF at = geometry.center() + QPoint(dx, 0);
        QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &move);
    }
    QTRY_COMPARE(window.statusBar()->currentMessage(), item->statusTip());

    // Off the items again, the status bar goes back to its idle text.
    menu->hide();
    QTRY_COMPARE(window.statusBar()->currentMessage(), QString::fromUtf8(app::MainWindow::kIdleMessage));
}

QTEST_MAIN(StatusPromptsTest)
#include "test_status_prompts.moc"
