#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "dialogs/HalfPeriodDialog.h"
#include "dialogs/TextAttributesDialog.h"
#include "dialogs/TimeBaseDialog.h"
#include "dialogs/TimingParametersDialog.h"

using namespace sigmora;

// The dialogs of the diagram's time, driven as the user drives them: the time base, the table of
// timing parameters, the measured-time field of a caption and the exports' start at the time base.
class TimingDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timeBaseRefusesWhatIsNoTimeBase_data();
    void timeBaseRefusesWhatIsNoTimeBase();
    void parametersAreKeptOnlyWhenEveryRowCanBe_data();
    void parametersAreKeptOnlyWhenEveryRowCanBe();
    void parametersShowTheirRowsAndLabels();
    void aCaptionOffersTheMeasuredTime();
    void theExportsStartAtTheTimeBase();
};

namespace {

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* found = w.findChild<T*>(QString::fromUtf8(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

QPushButton* okOf(QDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

void TimingDialogsTest::timeBaseRefusesWhatIsNoTimeBase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("femtoseconds"); // 0: refused
    QTest::addColumn<QString>("problem");
    QTest::newRow("2.5 ns") << "2.5 ns" << 2'500'000LL << "";
    QTest::newRow("one second") << "1s" << 1'000'000'000'000'000LL << "";
    QTest::newRow("zero") << "0ns" << 0LL << "The time base must be above 0, not \"0ns\".";
    QTest::newRow("negative") << "-5ns" << 0LL << "The time base must be above 0, not \"-5ns\".";
    QTest::newRow("above one second") << "2s" << 0LL << "The time base \"2s\" is longer than 1 s.";
    QTest::newRow("not a number") << "fast" << 0LL
                                  << "The time base \"fast\" is not a time: write a number and a unit (fs, ps, ns, us, "
                                     "ms or s), such as 5ns.";
}

void TimingDialogsTest::timeBaseRefusesWhatIsNoTimeBase()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, femtoseconds);
    QFETCH(QString, problem);
    dialogs::TimeBaseDialog dialog(5'000'000);
    dialog.show();
    auto* edit = child<QLineEdit>(dialog, "timeBase");
    QCOMPARE(edit->text(), QStringLiteral("5ns"));
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QCOMPARE(okOf(dialog)->isEnabled(), femtoseconds != 0);
    QCOMPARE(child<QLabel>(dialog, "timeBaseProblem")->text(), problem);
    QCOMPARE(dialog.timeBase().value_or(0), femtoseconds);
    QTest::keyClick(edit, Qt::Key_Return); // refused text keeps the dialog open
    QCOMPARE(dialog.isVisible(), femtoseconds == 0);
}

void TimingDialogsTest::parametersAreKeptOnlyWhenEveryRowCanBe_data()
{
    QTest::addColumn<QStringList>("row"); // symbol, description, min, typ, max, unit
    QTest::addColumn<QString>("problem"); // empty: kept
    QTest::newRow("kept") << QStringList{"t_{RCD}", "RAS to CAS", "15", "", "", "ns"} << "";
    QTest::newRow("min above max") << QStringList{"tRP", "", "20", "", "15", "ns"}
                                   << "Row 1: The minimum of tRP (20) lies above its maximum (15).";
    QTest::newRow("a limit that is no number") << QStringList{"tRP", "", "abc", "", "", "ns"}
                                               << "The Min of row 1 (\"abc\") is not a number.";
    QTest::newRow("no time unit") << QStringList{"tRP", "", "1", "", "", "V"}
                                  << "Row 1: The unit of tRP must be one of fs, ps, ns, us, ms or s.";
    QTest::newRow("no symbol") << QStringList{"", "a description", "1", "", "", "ns"}
                               << "Row 1: A timing parameter needs a symbol.";
}

void TimingDialogsTest::parametersAreKeptOnlyWhenEveryRowCanBe()
{
    QFETCH(QStringList, row);
    QFETCH(QString, problem);
    dialogs::TimingParametersDialog dialog({}, false, {"Label 1: {t}"});
    dialog.show();
    auto* table = child<QTableWidget>(dialog, "parameters");
    const int r = dialog.addRow();
    for (int c = 0; c < row.size(); ++c)
        table->item(r, c)->setText(row[c]);
    dialog.addRow(); // left empty: dropped
    okOf(dialog)->click();
    auto* shown = child<QLabel>(dialog, "parametersProblem");
    QCOMPARE(dialog.isVisible(), !problem.isEmpty());
    QCOMPARE(shown->isVisible(), !problem.isEmpty());
    if (problem.isEmpty()) {
        QCOMPARE(dialog.parameters().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(dialog.parameters()[0].symbol), row[0]);
    } else {
        QCOMPARE(shown->text(), problem);
        QVERIFY(dialog.parameters().empty());
    }
}

void TimingDialogsTest::parametersShowTheirRowsAndLabels()
{
    model::TimingParameter p;
    p.symbol = "tAC";
    p.min = -0.7;
    p.max = 0.7;
    p.label = 1;
    dialogs::TimingParametersDialog dialog({p}, true, {"Label 1: tCK {t}", "Label 2: tAC {t}"});
    auto* table = child<QTableWidget>(dialog, "parameters");
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, dialogs::TimingParametersDialog::Min)->text(), QStringLiteral("-0.7"));
    QCOMPARE(table->item(0, dialogs::TimingParametersDialog::Typ)->text(), QString());
    auto* combo = static_cast<QComboBox*>(table->cellWidget(0, dialogs::TimingParametersDialog::Label));
    QCOMPARE(combo->currentText(), QStringLiteral("Label 2: tAC {t}"));
    QCOMPARE(combo->count(), 3); // none and the two labels
    QVERIFY(dialog.violationsInPictures());
    combo->setCurrentIndex(0); // bound to none
    dialog.show();
    okOf(dialog)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.parameters().at(0).label, model::TimingParameter::kNoLabel);
    QCOMPARE(dialog.parameters().at(0).max, std::optional<double>(0.7));
}

void TimingDialogsTest::aCaptionOffersTheMeasuredTime()
{
    for (const bool caption : {true, false}) {
        edit::TextAttributes values;
        values.message = "tRCD = ";
        values.attachHidden = caption;
        dialogs::TextAttributesDialog dialog(values);
        auto* insert = dialog.findChild<QPushButton*>(QStringLiteral("insertMeasuredTime"));
        QCOMPARE(insert != nullptr, caption);
        if (!insert)
            continue;
        auto* message = child<QPlainTextEdit>(dialog, "message");
        message->moveCursor(QTextCursor::End);
        insert->click();
        QCOMPARE(message->toPlainText(), QStringLiteral("tRCD = {t}"));
    }
}

void TimingDialogsTest::theExportsStartAtTheTimeBase()
{
    dialogs::HalfPeriodDialog dialog(QStringLiteral("Value Change Dump: time of one cell"), {}, nullptr, false, 2'500'000);
    QCOMPARE(child<QLineEdit>(dialog, "halfPeriod")->text(), QStringLiteral("2500ps"));
    QCOMPARE(dialog.halfPeriod(), std::optional<long long>(2'500'000));
}

QTEST_MAIN(TimingDialogsTest)
#include "test_timing_dialogs.moc"
