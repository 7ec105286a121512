#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>
#include <QtTest>

#include "app/window/CommandTable.h"
#include "app/window/MainWindow.h"
#include "edit/session/CommandIds.h"
#include "support/FakeUiPort.h"

using namespace sigmora;

// The menus, tool bars and keys of the real main window, item by item, against the program's
// published command vocabulary (written out here independently of the window's own table).
class MenusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menuBarHoldsEveryItemInOrder();
    void contextMenusHoldEveryItemInOrder_data();
    void contextMenusHoldEveryItemInOrder();
    void toolbarsHoldTheirButtonsInOrder_data();
    void toolbarsHoldTheirButtonsInOrder();
    void toolbarsDockWhereTheyBelong();
    void acceleratorsReachTheirCommands_data();
    void acceleratorsReachTheirCommands();
    void menuItemsShowOnlyTheirOwnShortcutText();
    void everyCommandHasAPromptAndATip();
    void statusBarShowsHelpHintAndLockPanes();
    void onlyItemsWithoutABehaviourHaveNoHandler();
    void titleMarksUnsavedChanges_data();
    void titleMarksUnsavedChanges();
};

namespace {

QString number(QAction* a)
{
    return QString::number(a->data().toInt());
}

void walk(const QList<QAction*>& actions, const QString& prefix, QStringList& out)
{
    for (QAction* a : actions) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator()) {
            out << prefix + QStringLiteral("---");
        } else if (QMenu* sub = a->menu()) {
            out << prefix + a->text() + QStringLiteral(" >");
            walk(sub->actions(), prefix + a->text() + QLatin1Char('/'), out);
        } else {
            out << prefix + a->text() + QStringLiteral(" = ") + number(a);
        }
    }
}

QStringList lines(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out << QString::fromUtf8(item);
    return out;
}

void compareLines(const QStringList& actual, const QStringList& expected)
{
    for (int i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("line %1: got \"%2\", expected \"%3\"").arg(i).arg(actual[i], expected[i])));
    }
    QCOMPARE(actual.size(), expected.size());
}

const QStringList kMenuBar = lines({
    "&File >",
    "&File/&New\tCtrl+N = 57600",
    "&File/&Open...\tCtrl+O = 57601",
    "&File/Save = 57603",
    "&File/&Save As...\tCtrl+Shift+S = 57604",
    "&File/---",
    "&File/Print\tCtrl+P = 57607",
    "&File/Print Advanced... = 32904",
    "&File/---",
    "&File/&Import >",
    "&File/&Import/ASCII  (comma delimited)... = 32969",
    "&File/&Import/Sigmora XML... = 32957",
    "&File/&Import/Sigmora SVG... = 33023",
    "&File/&Import/WaveJSON... = 33302",
    "&File/&Import/Value Change Dump (VCD)... = 33303",
    "&File/&Import/---",
    "&File/&Import/Verilog... = 33082",
    "&File/&Export >",
    "&File/&Export/&Clipboard\tCtrl+C = 32832",
    "&File/&Export/---",
    "&File/&Export/&Enhanced MetaFile (.emf)... = 32882",
    "&File/&Export/Windows MetaFile (.wmf) = 33077",
    "&File/&Export/Scalable Vector Graphics  (svg)... = 32996",
    "&File/&Export/---",
    "&File/&Export/&Bitmap (.bmp)... = 32809",
    "&File/&Export/---",
    "&File/&Export/&ASCII (comma delimited) ... = 32992",
    "&File/&Export/Sigmora XML... = 32952",
    "&File/&Export/WaveJSON... = 33301",
    "&File/&Export/---",
    "&File/&Export/&Show ASCII waveforms... = 32968",
    "&File/&Export/TestBench ... = 33078",
    "&File/&Export/---",
    "&File/&Export/PNG image... = 33320",
    "&File/&Export/PDF document... = 33321",
    "&File/&Export/---",
    "&File/&Export/Value Change Dump (.vcd)... = 33304",
    "&File/&Export/Verilog stimulus (.v)... = 33305",
    "&File/&Export/VHDL stimulus (.vhd)... = 33306",
    "&File/Re&fresh from Dump = 33307",
    "&File/---",
    "&File/Recent File = 57616",
    "&File/---",
    "&File/E&xit\tCtrl+Q = 57665",
    "&Edit >",
    "&Edit/&Undo\tCtrl+Z = 57643",
    "&Edit/&Redo\tCtrl+Y = 57644",
    "&Edit/Cu&t\tCtrl+X = 57635",
    "&Edit/&Copy\tCtrl+C = 57634",
    "&Edit/&Paste\tCtrl+V = 57637",
    "&Edit/Cancel Current Transact&ion\tESC = 32866",
    "&Edit/&Increase Left Margin\tCtrl+Right = 32856",
    "&Edit/&Decrease Left Margin\tCtrl+Left = 32855",
    "&Edit/Tab &Next Selection\tTab = 32857",
    "&Edit/Tab Pre&vious Selection\tShift+Tab = 32865",
    "&Edit/Edit &Signal Attributes... = 32839",
    "&Edit/---",
    "&Edit/Time Base... = 33340",
    "&Edit/Timing Parameters... = 33341",
    "&Edit/Check Timing = 33342",
    "&View >",
    "&View/Sigmora Logo = 32831",
    "&View/Bounding Rectangle = 32830",
    "&View/Drop Shadow >",
    "&View/Drop Shadow/&Solid = 32917",
    "&View/Drop Shadow/&Gradient = 32918",
    "&View/Drop Shadow/&None = 32919",
    "&View/Signal Separator = 33024",
    "&View/Waveform Separator = 33029",
    "&View/Signal Name Justification >",
    "&View/Signal Name Justification/Left Justified = 33015",
    "&View/Signal Name Justification/Right Justified = 33016",
    "&View/Clock Cycle Labels >",
    "&View/Clock Cycle Labels/&Visible = 32902",
    "&View/Clock Cycle Labels/&Customize... = 32903",
    "&View/Clock Period Lines >",
    "&View/Clock Period Lines/No Period Lines = 32869",
    "&View/Clock Period Lines/Both edges = 32868",
    "&View/Clock Period Lines/Rising edge only = 32872",
    "&View/Clock Period Lines/Falling edge only = 32873",
    "&View/Clock Period Lines/Center = 33052",
    "&View/Clock Period Lines/Customize... = 33053",
    "&View/Clock Period Lines/Dotted = 32961",
    "&View/Clock Period Lines/Solid = 32960",
    "&View/Clock Period Lines/Each Clock has its own period (signals under it align to clock) >",
    "&View/Clock Period Lines/Each Clock has its own period (signals under it align to clock)/yes = 32950",
    "&View/Clock Period Lines/Each Clock has its own period (signals under it align to clock)/no = 32951",
    "&View/Change Default Values >",
    "&View/Change Default Values/new signals default to '1' = 32880",
    "&View/Change Default Values/new signals default to '0' = 32881",
    "&View/Angled Wire Direction >",
    "&View/Angled Wire Direction/Left = 32939",
    "&View/Angled Wire Direction/Right = 32940",
    "&View/SVG >",
    "&View/SVG/Edit Output Settings... = 32997",
    "&View/Adjust Signal Height and Spacing = 32943",
    "&View/---",
    "&View/Time Ruler = 33343",
    "&View/Parameter Table = 33344",
    "&Add >",
    "&Add/&Clock = 32776",
    "&Add/&Signal = 32777",
    "&Add/&Bus = 32780",
    "&Add/Insert Separator >",
    "&Add/Insert Separator/Blank = 32896",
    "&Add/Insert Separator/Dotted Line = 32894",
    "&Add/Insert Separator/Solid Line = 32895",
    "&Add/Insert Separator/Solid Rectangle = 32897",
    "&Add/&Text = 32785",
    "&Add/&Label (arrows outward) = 32874",
    "&Add/Label (arrows inward) = 32971",
    "&Add/Bezier &Arrow = 32792",
    "&Add/Straight Arrow = 32933",
    "&Add/Angled Wire = 32947",
    "&Add/Floating Arrow = 33011",
    "&Add/&Time Break = 32884",
    "&Add/Add Tri-state = 32901",
    "&Add/Add Both Hi/Low = 32932",
    "&Add/&Flood Fill = 32794",
    "&Add/&Erase Flood Fill = 32836",
    "&Add/&Add a clock edge = 32818",
    "&Add/&Subtract a clock edge = 32819",
    "&Add/Increase Clock &Width = 32820",
    "&Add/&Decrease &Clock Width = 32821",
    "&Add/Increase Signal Height = 32823",
    "&Add/Decrease Signal Height = 32824",
    "&Add/Add Signal Delay = 32825",
    "&Add/Subtract Signal Delay = 32827",
    "&Mode >",
    "&Mode/&Draw = 32787",
    "&Mode/&Edit = 32788",
    "&Help >",
    "&Help/Sigmora User's Guide... = 32991",
    "&Help/Sigmora FAQ... = 32921",
    "&Help/&Report a bug... = 32949",
    "&Help/&Check for Product Updates... = 32923",
    "&Help/&About Sigmora... = 57664",
});

QStringList snapLines(const char* prefix, std::initializer_list<int> numbers)
{
    const char* texts[] = {"Top", "10%", "20%", "25%", "50%", "75%", "80%", "90%", "Bottom"};
    QStringList out;
    int i = 0;
    for (int n : numbers)
        out << QStringLiteral("%1/%2 = %3").arg(QString::fromUtf8(prefix), QString::fromUtf8(texts[i++])).arg(n);
    return out;
}

} // namespace

void MenusTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

void MenusTest::menuBarHoldsEveryItemInOrder()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    QStringList actual;
    walk(window.menuBar()->actions(), QString(), actual);
    compareLines(actual, kMenuBar);
}

void MenusTest::contextMenusHoldEveryItemInOrder_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("expected");

    // The delete item shows its text for the selection: "Delete Signal" while no cells are highlighted;
    // the insert item reads "Shift right" while no cells are copied.
    QTest::newRow("signal") << int(app::ContextMenu::Signal) << "SIGNAL PROPERTIES"
                            << lines({"&Cut\tCTRL+X = 32886", "C&opy\tCTRL+C = 32888", "&Paste\tCTRL+V = 32889",
                                      "Shift right\tCTRL+I = 32887", "Delete Signal = 32890",
                                      "Move Signal Up = 32924", "Move Signal Down = 32925", "High = 32926",
                                      "Low = 32927", "TriState = 32892", "Both High and Low = 32928",
                                      "&Invert = 32885", "Ideal transition edge = 32958",
                                      "Non ideal transition edge = 32959", "Insert Separator >",
                                      "Insert Separator/Blank = 32896", "Insert Separator/Dotted Line = 32894",
                                      "Insert Separator/Solid Line = 32895",
                                      "Insert Separator/Solid Rectangle = 32897", "&Edit Attributes ... = 32891"});

    QStringList arrow = lines({"Snap to &Grid >", "Snap to &Grid/On = 33014", "Snap to &Grid/Begin >"});
    arrow << snapLines("Snap to &Grid/Begin", {33030, 33039, 33046, 33047, 33000, 33048, 33002, 33040, 33031});
    arrow << QStringLiteral("Snap to &Grid/End >");
    arrow << snapLines("Snap to &Grid/End", {33032, 33005, 33043, 33049, 33007, 33050, 33044, 33009, 33033});
    arrow << lines({"&Arrow Head >", "&Arrow Head/&Begin = 32911", "&Arrow Head/&End = 32912",
                    "&Arrow Head/B&oth = 32913", "&Arrow Head/&None = 32914", "Arrow &Style >",
                    "Arrow &Style/&Bezier Curve = 32937", "Arrow &Style/&Straight Line = 32938",
                    "Arrow &Style/Angled Line = 32936", "&Edit Arrow Color... = 32915"});
    QTest::newRow("arrow") << int(app::ContextMenu::Arrow) << "ARROW PROPERTIES" << arrow;

    QStringList label = lines({"Snap To Grid >", "Snap To Grid/Begin >"});
    label << snapLines("Snap To Grid/Begin", {33054, 33055, 33056, 33057, 33058, 33059, 33060, 33061, 33062});
    label << QStringLiteral("Snap To Grid/End >");
    label << snapLines("Snap To Grid/End", {33063, 33064, 33065, 33066, 33067, 33068, 33069, 33070, 33071});
    label << lines({"Draw Arrows &Pointing >", "Draw Arrows &Pointing/Inside = 32973",
                    "Draw Arrows &Pointing/Outside = 32974", "&Draw Arrow Heads >", "&Draw Arrow Heads/&Begin = 32911",
                    "&Draw Arrow Heads/&End = 32912", "&Draw Arrow Heads/B&oth = 32913",
                    "&Draw Arrow Heads/&None = 32914", "Show Signal Crossing Marks >",
                    "Show Signal Crossing Marks/Yes = 33080", "Show Signal Crossing Marks/No = 33081",
                    "&Edit Arrow Color... = 32915"});
    QTest::newRow("label") << int(app::ContextMenu::Label) << "LABEL PROPERTIES" << label;

    QTest::newRow("text") << int(app::ContextMenu::Text) << "TEXT PROPERTIES"
                          << lines({"&Align Edges >", "&Align Edges/Left = 33051", "&Align Edges/Top = 33034",
                                    "&Align Edges/Right = 33072", "&Align Edges/Bottom = 33073",
                                    "Edit Text Properties... = 33074"});
}

void MenusTest::contextMenusHoldEveryItemInOrder()
{
    QFETCH(int, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, expected);
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    QMenu* popup = window.contextMenu(static_cast<app::ContextMenu>(menu));
    QVERIFY(popup);
    QCOMPARE(popup->title(), title);
    QStringList actual;
    walk(popup->actions(), QString(), actual);
    compareLines(actual, expected);
}

void MenusTest::toolbarsHoldTheirButtonsInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<QSize>("imageSize");
    QTest::newRow("tools") << "toolsBar"
                           << QList<int>{32788, 0,     32787, 32901, 32932, 0,     32785, 0,
                                         32874, 32971, 0,     32792, 32947, 32933, 33011, 0,
                                         32884, 0,     32794, 32836, 0,     32825, 32827}
                           << QSize(20, 24);
    QTest::newRow("standard") << "standardBar"
                              << QList<int>{57600, 57601, 57603, 0,     57635, 32832, 57607, 0,     57643, 57644,
                                            0,     32776, 32777, 32780, 32896, 0,     32839, 0,     32968}
                              << QSize(20, 24);
    QTest::newRow("zoom") << "zoomBar" << QList<int>{32820, 32821} << QSize(19, 24);
}

void MenusTest::toolbarsHoldTheirButtonsInOrder()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, buttons);
    QFETCH(QSize, imageSize);
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    auto* bar = window.findChild<QToolBar*>(name);
    QVERIFY(bar);
    QList<int> actual;
    for (QAction* a : bar->actions()) {
        actual << (a->isSeparator() ? 0 : a->data().toInt());
        if (!a->isSeparator())
            QVERIFY2(!a->icon().isNull(), qPrintable(a->toolTip()));
    }
    QCOMPARE(actual, buttons);
    QCOMPARE(bar->iconSize(), imageSize);
}

void MenusTest::toolbarsDockWhereTheyBelong()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* tools = window.findChild<QToolBar*>(QStringLiteral("toolsBar"));
    auto* standard = window.findChild<QToolBar*>(QStringLiteral("standardBar"));
    auto* zoom = window.findChild<QToolBar*>(QStringLiteral("zoomBar"));
    QCOMPARE(window.toolBarArea(tools), Qt::LeftToolBarArea);
    QCOMPARE(tools->orientation(), Qt::Vertical);
    QCOMPARE(window.toolBarArea(standard), Qt::TopToolBarArea);
    QCOMPARE(window.toolBarArea(zoom), Qt::TopToolBarArea);
    // The zoom bar sits right of the standard bar in the same row.
    QCOMPARE(zoom->geometry().top(), standard->geometry().top());
    QVERIFY(zoom->geometry().left() >= standard->geometry().right());
    for (QToolBar* bar : {tools, standard, zoom}) {
        QVERIFY(bar->isMovable());
        QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
    }
}

void MenusTest::acceleratorsReachTheirCommands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("keys");
    QTest::newRow("copy") << 57634 << "Ctrl+C";
    QTest::newRow("save") << 57603 << "Ctrl+S";
    QTest::newRow("paste") << 57637 << "Ctrl+V";
    QTest::newRow("cut") << 57635 << "Ctrl+X";
    QTest::newRow("redo") << 57644 << "Ctrl+Y";
    QTest::newRow("undo") << 57643 << "Ctrl+Z";
    QTest::newRow("help") << 57670 << "F1";
    QTest::newRow("context help") << 57669 << "Shift+F1";
    QTest::newRow("next pane") << 57680 << "F6";
    QTest::newRow("previous pane") << 57681 << "Shift+F6";
    QTest::newRow("new") << 57600 << "Ctrl+N";
    QTest::newRow("open") << 57601 << "Ctrl+O";
    QTest::newRow("save as") << 57604 << "Ctrl+Shift+S";
    QTest::newRow("print") << 57607 << "Ctrl+P";
    QTest::newRow("exit") << 57665 << "Ctrl+Q";
}

void MenusTest::acceleratorsReachTheirCommands()
{
    QFETCH(int, command);
    QFETCH(QString, keys);
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    // Exactly one action answers the keys, and it carries the command.
    std::vector<QAction*> owners;
    for (QAction* a : window.findChildren<QAction*>()) {
        if (a->shortcut() == QKeySequence(keys))
            owners.push_back(a);
    }
    QCOMPARE(owners.size(), std::size_t(1));
    QCOMPARE(owners.front()->data().toInt(), command);
    QVERIFY(owners.front()->associatedObjects().contains(&window));
}

void MenusTest::menuItemsShowOnlyTheirOwnShortcutText()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        for (QAction* a : menu->actions())
            QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->text()));
    }
}

void MenusTest::everyCommandHasAPromptAndATip()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    QStringList missing;
    for (QAction* a : window.findChildren<QAction*>()) {
        if (a->isSeparator() || a->menu() || a->data().toInt() == 0 || !a->isVisible())
            continue;
        if (a->statusTip().isEmpty() || a->toolTip().isEmpty())
            missing << QString::number(a->data().toInt());
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    QCOMPARE(window.action(32777)->statusTip(), QStringLiteral("Add a new signal"));
    QCOMPARE(window.action(32777)->toolTip(), QStringLiteral("Add a Signal"));
}

void MenusTest::statusBarShowsHelpHintAndLockPanes()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    QStatusBar* bar = window.statusBar();
    QCOMPARE(bar->currentMessage(), QStringLiteral("For Help, press F1"));
    bar->showMessage(QStringLiteral("Add a new signal"));
    QCOMPARE(bar->currentMessage(), QStringLiteral("Add a new signal"));
    bar->clearMessage();
    QCOMPARE(bar->currentMessage(), QStringLiteral("For Help, press F1"));
    QStringList panes;
    for (QLabel* label : bar->findChildren<QLabel*>()) {
        if (!label->objectName().isEmpty())
            panes << label->objectName();
    }
    QCOMPARE(panes, (QStringList{QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")}));
}

// Every item of the menu bar and of the context menus reaches a handler, except those the program
// gives no behaviour, which stay disabled.
void MenusTest::onlyItemsWithoutABehaviourHaveNoHandler()
{
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    QList<QAction*> pending = window.menuBar()->actions();
    for (QMenu* menu : window.findChildren<QMenu*>())
        pending += menu->actions();
    QSet<int> unhandled;
    while (!pending.isEmpty()) {
        QAction* a = pending.takeFirst();
        if (QMenu* sub = a->menu()) {
            pending += sub->actions();
            continue;
        }
        const int command = a->data().toInt();
        if (!a->isSeparator() && command != 0 && !window.router().handles(command))
            unhandled.insert(command);
    }
    QList<int> sorted = unhandled.values();
    std::sort(sorted.begin(), sorted.end());
    // "Move Signal Up" and "Move Signal Down" of the signal context menu have no handler, nor
    // have "Verilog..." and "TestBench ...", which are not built: all four are disabled.
    QCOMPARE(sorted, (QList<int>{32924, 32925, edit::cmd::ExportTestBench, edit::cmd::ImportVerilog}));
}

void MenusTest::titleMarksUnsavedChanges_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("shown");
    QTest::newRow("untitled, unchanged") << "" << false << "Untitled - Sigmora 3.3.5";
    QTest::newRow("untitled, changed") << "" << true << "Untitled* - Sigmora 3.3.5";
    QTest::newRow("a file, unchanged") << "/tmp/a.sgm" << false << "/tmp/a.sgm - Sigmora 3.3.5";
    QTest::newRow("a file, changed") << "/tmp/a.sgm" << true << "/tmp/a.sgm* - Sigmora 3.3.5";
    QTest::newRow("a name with the mark's own text") << "/tmp/b[*] - c.sgm" << true
                                                     << "/tmp/b[*] - c.sgm* - Sigmora 3.3.5";
}

// The title bar shows the caption, with a star after the diagram's name while it has unsaved
// changes; the star goes once the changes are saved.
void MenusTest::titleMarksUnsavedChanges()
{
    QFETCH(QString, file);
    QFETCH(bool, modified);
    QFETCH(QString, shown);
    test::FakeUiPort ui;
    app::MainWindow window(&ui);
    window.show();
    window.editor().setFilePath(file.toStdString());
    window.editor().diagram().modified = modified;
    window.editor().refresh();
    QTRY_COMPARE(window.windowHandle()->title(), shown);
    QCOMPARE(window.isWindowModified(), modified);
    window.editor().diagram().modified = false; // as a save leaves it
    QTRY_COMPARE(window.windowHandle()->title(), QString(shown).replace(QStringLiteral("* - Sigmora"), QStringLiteral(" - Sigmora")));
}

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
