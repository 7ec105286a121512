#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "dialogs/VcdImportDialog.h"

using namespace sigmora;
using dialogs::VcdImportDialog;

// The "Import Value Change Dump" dialog with a dump of hundreds of signals: the rows the choice
// makes, the tree of scopes, the filter over it and the time window with units.
class VcdDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsTheClockOnceAgainstTheRowsThatFit();
    void filterNarrowsTheListAndTheChecksActOnWhatItShows();
    void scopesAreATreeThatOpensClosesAndChecksWhatIsBeneath();
    void timesTypedWithUnitsOrInTheDumpsUnit_data();
    void timesTypedWithUnitsOrInTheDumpsUnit();

private:
    // clk and s0 .. s298, in 1 ps steps from 0 to 2.5 us.
    static io::VcdSurvey survey()
    {
        io::VcdSurvey s;
        s.ok = true;
        s.timescale = "1ps";
        s.lastTime = 2500000;
        s.variables.push_back({"tb.clk", "!", 1, false, 500});
        for (int i = 0; i < 299; ++i)
            s.variables.push_back({"tb.s" + std::to_string(i), "c" + std::to_string(i), 1, false, 3});
        return s;
    }
    template <typename T>
    static T* child(VcdImportDialog& d, const char* name)
    {
        T* w = d.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    static QPushButton* button(VcdImportDialog& d, const QString& text)
    {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        qFatal("no button %s", qPrintable(text));
    }
    // The signals' items in the tree, in order from the top (scopes left out).
    static std::vector<QTreeWidgetItem*> leaves(VcdImportDialog& d)
    {
        std::vector<QTreeWidgetItem*> out;
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(d, "vcdSignals")); *it; ++it)
            if (!(*it)->data(0, Qt::UserRole).isNull())
                out.push_back(*it);
        return out;
    }
    static QPushButton* ok(VcdImportDialog& d)
    {
        return d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
};

void VcdDialogTest::countsTheClockOnceAgainstTheRowsThatFit()
{
    const io::VcdSurvey s = survey();
    VcdImportDialog d(s, io::VcdChoice{"tb.clk", {}, {}, {}});
    auto* rows = child<QLabel>(d, "vcdRows");
    // Every signal is checked: 300 rows, the clock once.
    QCOMPARE(d.rowCount(), 300);
    QCOMPARE(rows->text(), QStringLiteral("300 rows: a diagram holds 256, the last 44 checked will be left out"));
    QVERIFY(ok(d)->isEnabled());
    QVERIFY(d.choice().signals.empty()); // every signal: the import takes them in order and says what it left out

    const auto list = leaves(d);
    list[0]->setCheckState(0, Qt::Unchecked); // the clock itself: it is a row all the same
    QCOMPARE(d.rowCount(), 300);
    for (int i = 256; i < 300; ++i)
        list[i]->setCheckState(0, Qt::Unchecked);
    QCOMPARE(d.rowCount(), 256);
    QCOMPARE(rows->text(), QStringLiteral("256 of the 256 rows a diagram holds"));
    const io::VcdChoice c = d.choice();
    QCOMPARE(c.signals.size(), size_t(255));
    QCOMPARE(c.signals.back(), std::string("tb.s254"));

    // Another clock: the old one becomes a signal row if checked.
    child<QComboBox>(d, "vcdClock")->setCurrentIndex(child<QComboBox>(d, "vcdClock")->findText("tb.s3"));
    list[0]->setCheckState(0, Qt::Checked);
    QCOMPARE(d.rowCount(), 256);
}

void VcdDialogTest::filterNarrowsTheListAndTheChecksActOnWhatItShows()
{
    const io::VcdSurvey s = survey();
    VcdImportDialog d(s, io::VcdChoice{"tb.clk", {}, {}, {}});
    const auto list = leaves(d);
    QCOMPARE(list.size(), size_t(300));
    child<QLineEdit>(d, "vcdFilter")->setText(QStringLiteral("S29"));
    int shown = 0;
    for (const QTreeWidgetItem* item : list)
        shown += !item->isHidden();
    QCOMPARE(shown, 10); // s29 and s290 .. s298, whatever the case typed
    QVERIFY(list[30]->data(0, Qt::UserRole).toString() == "tb.s29" && !list[30]->isHidden());
    QVERIFY(list[31]->isHidden());

    button(d, QStringLiteral("Check none shown"))->click();
    QCOMPARE(d.rowCount(), 290);
    child<QLineEdit>(d, "vcdFilter")->clear();
    QVERIFY(!list[31]->isHidden());
    QCOMPARE(list[31]->checkState(0), Qt::Checked); // hidden ones kept their check
    const io::VcdChoice c = d.choice();
    QCOMPARE(c.signals.size(), size_t(290));
    QVERIFY(std::find(c.signals.begin(), c.signals.end(), "tb.s29") == c.signals.end());
}

void VcdDialogTest::scopesAreATreeThatOpensClosesAndChecksWhatIsBeneath()
{
    io::VcdSurvey s;
    s.ok = true;
    s.timescale = "1ns";
    s.lastTime = 100;
    // The dump's order: a scope left and entered again, a range holding no scope, an escaped name
    // with a dot inside brackets, a name at the top.
    for (const char* name : {"tb.clk", "tb.uart.tx.busy", "tb.uart.rx.busy", "tb.uart.rx.data[7:0]", "tb.fifo.wr",
                             "tb.uart.tx.shift[9:0]", "tb.mem[a.b]", "top_level_wire"})
        s.variables.push_back({name, name, std::string(name).find('[') != std::string::npos ? 8 : 1, false, 4});
    VcdImportDialog d(s, io::VcdChoice{"tb.clk", {}, {}, {}});
    auto* tree = child<QTreeWidget>(d, "vcdSignals");
    QCOMPARE(tree->topLevelItemCount(), 2); // tb, top_level_wire
    QTreeWidgetItem* tb = tree->topLevelItem(0);
    QCOMPARE(tb->text(0), QStringLiteral("tb"));
    QStringList under;
    for (int i = 0; i < tb->childCount(); ++i)
        under << tb->child(i)->text(0);
    QCOMPARE(under, (QStringList{"clk", "uart", "fifo", "mem[a.b]  [8 bits]"}));
    QTreeWidgetItem* uart = tb->child(1);
    QCOMPARE(uart->childCount(), 2); // tx (entered twice) and rx
    QTreeWidgetItem* tx = uart->child(0);
    QCOMPARE(tx->text(0), QStringLiteral("tx"));
    QCOMPARE(tx->childCount(), 2);
    QCOMPARE(tx->child(1)->text(0), QStringLiteral("shift[9:0]  [8 bits]"));
    // Two levels are open at first; a scope opens and closes.
    QVERIFY(tb->isExpanded() && uart->isExpanded() && !tx->isExpanded());
    tx->setExpanded(true);
    QVERIFY(tx->isExpanded());
    uart->setExpanded(false);
    QVERIFY(!uart->isExpanded());

    // A scope's box checks and unchecks every signal beneath it, and shows a partial choice.
    QCOMPARE(d.rowCount(), 8);
    uart->setCheckState(0, Qt::Unchecked);
    QCOMPARE(d.rowCount(), 4);
    QCOMPARE(tb->checkState(0), Qt::PartiallyChecked);
    const io::VcdChoice c = d.choice();
    QCOMPARE(c.signals, (std::vector<std::string>{"tb.clk", "tb.fifo.wr", "tb.mem[a.b]", "top_level_wire"}));
    tx->child(0)->setCheckState(0, Qt::Checked);
    QCOMPARE(uart->checkState(0), Qt::PartiallyChecked);
    QCOMPARE(d.rowCount(), 5);

    // The filter shows the signals whose full name holds it and the scopes above them, opened.
    child<QLineEdit>(d, "vcdFilter")->setText(QStringLiteral("busy"));
    QVERIFY(!uart->isHidden() && uart->isExpanded());
    QVERIFY(!tx->isHidden() && tx->isExpanded());
    QVERIFY(tb->child(2)->isHidden()); // fifo: nothing beneath it matches
    QVERIFY(tree->topLevelItem(1)->isHidden());
    button(d, QStringLiteral("Check all shown"))->click();
    QCOMPARE(d.rowCount(), 6); // rx.busy checked as well; hidden ones keep their checks
    QCOMPARE(tx->child(1)->checkState(0), Qt::Unchecked);
    child<QLineEdit>(d, "vcdFilter")->clear();
    QVERIFY(!tb->child(2)->isHidden() && !tree->topLevelItem(1)->isHidden());
}

void VcdDialogTest::timesTypedWithUnitsOrInTheDumpsUnit_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<qlonglong>("fromTime"); // -1: open
    QTest::addColumn<QString>("fromNote");
    QTest::addColumn<QString>("problem");
    QTest::newRow("shown with units") << "" << "" << 0LL << "= 0 × 1ps" << "";
    QTest::newRow("units") << "460ns" << "2.5us" << 460000LL << "= 460000 × 1ps" << "";
    QTest::newRow("dump's unit") << "460000" << "2500000" << 460000LL << "= 460ns" << "";
    QTest::newRow("open start") << " " << "1us" << -1LL << "(open)" << "";
    QTest::newRow("not whole") << "2.5fs" << "1us" << -1LL << ""
                               << "From time: 2.5fs is not a whole number of the dump's unit (1ps).";
    QTest::newRow("no unit") << "3 weeks" << "1us" << -1LL << "" << "From time: \"weeks\" is not a unit (s, ms, us, ns, ps, fs).";
    QTest::newRow("backwards") << "2us" << "1us" << 2000000LL << "= 2000000 × 1ps" << "The window ends before it starts.";
}

void VcdDialogTest::timesTypedWithUnitsOrInTheDumpsUnit()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(qlonglong, fromTime);
    QFETCH(QString, fromNote);
    QFETCH(QString, problem);
    const io::VcdSurvey s = survey();
    VcdImportDialog d(s, io::VcdChoice{"tb.clk", {}, {}, {}});
    auto* fromEdit = child<QLineEdit>(d, "vcdFrom");
    auto* toEdit = child<QLineEdit>(d, "vcdTo");
    // The window opens on the whole dump, shown with units.
    QCOMPARE(fromEdit->text(), QStringLiteral("0ps"));
    QCOMPARE(toEdit->text(), QStringLiteral("2.5us"));
    if (!from.isEmpty() || !to.isEmpty()) {
        fromEdit->setText(from);
        toEdit->setText(to);
    }
    QCOMPARE(child<QLabel>(d, "vcdFromNote")->text(), fromNote);
    QCOMPARE(child<QLabel>(d, "vcdProblem")->text(), problem);
    QCOMPARE(ok(d)->isEnabled(), problem.isEmpty());
    if (problem.isEmpty()) {
        const io::VcdChoice c = d.choice();
        QCOMPARE(c.from.has_value(), fromTime >= 0);
        if (fromTime >= 0)
            QCOMPARE(*c.from, fromTime);
    }
}

QTEST_MAIN(VcdDialogTest)
#include "test_vcd_dialog.moc"
