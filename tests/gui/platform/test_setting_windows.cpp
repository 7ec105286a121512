#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QtTest>

#include "dialogs/CycleLabelsDialog.h"
#include "dialogs/HalfPeriodDialog.h"
#include "dialogs/HeightSpacingWindow.h"
#include "dialogs/SignalAttributesDialog.h"

using namespace sigmora;
using dialogs::CycleLabelsDialog;
using dialogs::HeightSpacingWindow;
using dialogs::SignalAttributesDialog;

// The signal attributes, cycle label, height/spacing and half-period dialogs, driven as the user drives them.
class SettingWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void signalDialogShowsTheRow_data();
    void signalDialogShowsTheRow();
    void okClampsTheDelayAndReadsEveryControl();
    void duplicateNameKeepsTheDialogOpen();
    void deleteSignalAsksFirst();
    void labelPreviewsFollowTheTyping();
    void labelIntegersRefuseText();
    void heightSpacingAppliesAsTheBarsMove();
    void resetAndEscapePutBackTheDefaults();
    void halfPeriodDialogRefusesWhatIsNotATime_data();
    void halfPeriodDialogRefusesWhatIsNotATime();
    void halfPeriodDialogRemembersTheLastChoice();
    void stimulusDialogTakesAnOutputDelay_data();
    void stimulusDialogTakesAnOutputDelay();
};

namespace {

edit::SignalAttributes clockValues()
{
    edit::SignalAttributes v;
    v.name = "Clock";
    v.nameAtOpening = "Clock";
    v.delayText = "0";
    v.fontFace = "Arial";
    v.fontSize = 12;
    v.risingArrows = true;
    v.expression = "N/A";
    v.clockFrequency = 4;
    v.clockDuty = 5;
    v.isClock = true;
    v.rowIndex = 0;
    v.cellWidth = 30;
    v.rowNames = {"Clock", "Data"};
    return v;
}

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* found = w.findChild<T*>(QString::fromUtf8(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

} // namespace

void SettingWindowsTest::signalDialogShowsTheRow_data()
{
    QTest::addColumn<bool>("isClock");
    QTest::addColumn<QString>("fontFace");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("clock") << true << "Arial" << 12;
    QTest::newRow("signal") << false << "Arial" << 12;
    // Neither is in the lists: both are kept as entries of their own and written back unchanged.
    QTest::newRow("size not offered") << false << "Arial" << 11;
    QTest::newRow("face not installed") << false << "No Such Face Qz" << 12;
}

void SettingWindowsTest::signalDialogShowsTheRow()
{
    QFETCH(bool, isClock);
    QFETCH(QString, fontFace);
    QFETCH(int, fontSize);
    edit::SignalAttributes v = clockValues();
    v.isClock = isClock;
    v.fontFace = fontFace.toStdString();
    v.fontSize = fontSize;
    SignalAttributesDialog dialog(v);
    dialog.show();
    QCOMPARE(child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("Clock"));
    QCOMPARE(child<QLabel>(dialog, "sample")->text(), QStringLiteral("Clock"));
    auto* sizes = child<QComboBox>(dialog, "fontSize");
    QCOMPARE(sizes->currentText(), QString::number(fontSize));
    QCOMPARE(child<QComboBox>(dialog, "fontType")->currentText(), fontFace);
    for (int i = 1; i < sizes->count(); ++i)
        QVERIFY(sizes->itemText(i - 1).toInt() < sizes->itemText(i).toInt());
    QCOMPARE(child<QCheckBox>(dialog, "risingArrow")->isChecked(), true);
    auto* frequency = child<QComboBox>(dialog, "frequency");
    QCOMPARE(frequency->isVisible(), isClock);
    QCOMPARE(child<QComboBox>(dialog, "duty")->isVisible(), isClock);
    QCOMPARE(frequency->count(), 64);
    QCOMPARE(frequency->itemText(0), QStringLiteral("1x"));
    QCOMPARE(frequency->itemText(63), QStringLiteral("1/64x"));
    QCOMPARE(frequency->currentText(), QStringLiteral("1/4x"));
    QCOMPARE(child<QComboBox>(dialog, "duty")->currentText(), QStringLiteral("50/50"));
    // Typing a name shows it in the sample; the name edit has the focus with its text selected.
    QTRY_VERIFY(child<QLineEdit>(dialog, "nameEdit")->hasSelectedText());
    child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("Clk"));
    QCOMPARE(child<QLabel>(dialog, "sample")->text(), QStringLiteral("Clk"));
    QCOMPARE(child<QPushButton>(dialog, "deleteSignal")->isEnabled(), false);
    dialog.accept();
    QCOMPARE(dialog.values().fontFace, fontFace.toStdString());
    QCOMPARE(dialog.values().fontSize, fontSize);
}

void SettingWindowsTest::okClampsTheDelayAndReadsEveryControl()
{
    SignalAttributesDialog dialog(clockValues());
    dialog.chooseColour = [] { return std::optional<QColor>(QColor(10, 20, 30)); };
    dialog.show();
    child<QLineEdit>(dialog, "delayOffset")->setText(QStringLiteral(" 40 "));
    child<QLineEdit>(dialog, "expression")->setText(QStringLiteral("a AND b"));
    child<QCheckBox>(dialog, "lock")->setChecked(true);
    child<QComboBox>(dialog, "frequency")->setCurrentIndex(1);
    child<QComboBox>(dialog, "duty")->setCurrentIndex(2);
    child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("  Clk.2  "));
    QTest::mouseClick(child<QPushButton>(dialog, "signalColour"), Qt::LeftButton);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const edit::SignalAttributes& v = dialog.values();
    QCOMPARE(v.delayText, std::string("20"));
    QCOMPARE(v.expression, std::string("a AND b"));
    QCOMPARE(v.locked, true);
    QCOMPARE(v.clockFrequency, 2);
    QCOMPARE(v.clockDuty, 3);
    QCOMPARE(v.name, std::string("Clk.2"));
    QCOMPARE(v.signalColour, model::rgb(10, 20, 30));
    QCOMPARE(v.fontColour, model::Colour{0});
}

void SettingWindowsTest::duplicateNameKeepsTheDialogOpen()
{
    SignalAttributesDialog dialog(clockValues());
    QStringList told;
    dialog.tell = [&told](const QString& text) { told << text; };
    dialog.show();
    child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral(" DATA "));
    dialog.accept();
    QCOMPARE(told, QStringList{QString::fromUtf8(edit::kDuplicateSignalName)});
    QVERIFY(dialog.isVisible());
    child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("clock"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void SettingWindowsTest::deleteSignalAsksFirst()
{
    edit::SignalAttributes v = clockValues();
    v.deleteAvailable = true;
    SignalAttributesDialog dialog(v);
    QList<bool> answers{false, true};
    QStringList asked;
    dialog.ask = [&](const QString& text, const QString& caption) {
        asked << text + "|" + caption;
        return answers.takeFirst();
    };
    dialog.show();
    auto* remove = child<QPushButton>(dialog, "deleteSignal");
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.deleteRequested());
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.deleteRequested());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[0], QStringLiteral("Are you sure you want to delete this signal?|Delete the signal?"));
}

void SettingWindowsTest::labelPreviewsFollowTheTyping()
{
    CycleLabelsDialog dialog({"", "1", "", "1", 1, 1, 0, 0, 0});
    dialog.show();
    QCOMPARE(dialog.firstPreview(), QStringLiteral(" 1 "));
    QTest::keyClicks(child<QLineEdit>(dialog, "prefix"), QStringLiteral("T"));
    child<QLineEdit>(dialog, "startValue")->setText(QStringLiteral("0"));
    child<QLineEdit>(dialog, "increment")->setText(QStringLiteral("5"));
    QTest::keyClicks(child<QLineEdit>(dialog, "suffix"), QStringLiteral("ns"));
    QCOMPARE(dialog.firstPreview(), QStringLiteral("T 0 ns"));
    QCOMPARE(dialog.secondPreview(), QStringLiteral("T 5 ns"));
    child<QLineEdit>(dialog, "moduloCount")->setText(QStringLiteral("3"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.values().prefix, std::string("T"));
    QCOMPARE(dialog.values().start, std::string("0"));
    QCOMPARE(dialog.values().moduloCount, 3);
}

void SettingWindowsTest::labelIntegersRefuseText()
{
    CycleLabelsDialog dialog({"", "1", "", "1", 1, 1, 0, 0, 0});
    QStringList told;
    dialog.tell = [&told](const QString& text) { told << text; };
    dialog.show();
    child<QLineEdit>(dialog, "skipOffset")->setText(QStringLiteral("two"));
    dialog.accept();
    QCOMPARE(told, QStringList{QString::fromUtf8(CycleLabelsDialog::kNotAnInteger)});
    QVERIFY(dialog.isVisible());
    // Text in the start value is not refused: it counts as 0.
    child<QLineEdit>(dialog, "skipOffset")->setText(QStringLiteral("2"));
    child<QLineEdit>(dialog, "startValue")->setText(QStringLiteral("x"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.values().skipOffset, 2);
}

void SettingWindowsTest::heightSpacingAppliesAsTheBarsMove()
{
    edit::RowLayout applied{16, 12, 20};
    int refreshes = 0;
    edit::RowLayoutLink link{[&] { return applied; }, [&](const edit::RowLayout& l) { applied = l; },
                             [&] { ++refreshes; }};
    HeightSpacingWindow window;
    window.setLink(link);
    window.show();
    auto* margin = child<QSlider>(window, "topMargin");
    QCOMPARE(margin->minimum(), 0);
    QCOMPARE(margin->maximum(), 400);
    QCOMPARE(child<QSlider>(window, "signalHeight")->maximum(), 32);
    QCOMPARE(child<QSlider>(window, "signalSpacing")->maximum(), 24);
    // Each bar shows its value in pixels, from the start and as it moves.
    QCOMPARE(child<QLabel>(window, "signalHeightValue")->text(), QStringLiteral("16 px"));
    QCOMPARE(child<QLabel>(window, "signalSpacingValue")->text(), QStringLiteral("12 px"));
    QCOMPARE(child<QLabel>(window, "topMarginValue")->text(), QStringLiteral("20 px"));
    margin->setValue(margin->maximum());
    QCOMPARE(applied, (edit::RowLayout{16, 12, 420}));
    QCOMPARE(child<QLabel>(window, "topMarginValue")->text(), QStringLiteral("420 px"));
    child<QSlider>(window, "signalHeight")->setValue(30);
    QCOMPARE(applied, (edit::RowLayout{30, 12, 420}));
    QCOMPARE(child<QLabel>(window, "signalHeightValue")->text(), QStringLiteral("30 px"));
    QCOMPARE(refreshes, 0);
    // OK applies and closes the window; the command shows it again.
    QTest::mouseClick(child<QPushButton>(window, "ok"), Qt::LeftButton);
    QCOMPARE(refreshes, 1);
    QVERIFY(!window.isVisible());
}

void SettingWindowsTest::resetAndEscapePutBackTheDefaults()
{
    edit::RowLayout applied{30, 3, 200};
    int refreshes = 0;
    HeightSpacingWindow window;
    window.setLink({[&] { return applied; }, [&](const edit::RowLayout& l) { applied = l; }, [&] { ++refreshes; }});
    window.show();
    QCOMPARE(window.shownLayout(), (edit::RowLayout{30, 3, 200}));
    QTest::mouseClick(child<QPushButton>(window, "reset"), Qt::LeftButton);
    QCOMPARE(applied, edit::kDefaultRowLayout);
    QCOMPARE(window.shownLayout(), edit::kDefaultRowLayout);
    QCOMPARE(refreshes, 1);

    child<QSlider>(window, "signalSpacing")->setValue(20);
    QTest::keyClick(&window, Qt::Key_Escape);
    QCOMPARE(applied, edit::kDefaultRowLayout);
    QVERIFY(window.isVisible());
    window.close(); // the close box hides the window; it can be shown again
    QVERIFY(!window.isVisible());
    window.show();
    QVERIFY(window.isVisible());
}

void SettingWindowsTest::halfPeriodDialogRefusesWhatIsNotATime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("femtoseconds"); // 0: refused
    QTest::addColumn<QString>("problem");
    QTest::newRow("5ns") << "5ns" << 5'000'000LL << "";
    QTest::newRow("2.5 ns") << "2.5 ns" << 2'500'000LL << "";
    QTest::newRow("zero") << "0ns" << 0LL << "The half-period must be above 0, not \"0ns\".";
    QTest::newRow("negative") << "-1ps" << 0LL << "The half-period must be above 0, not \"-1ps\".";
    QTest::newRow("no unit") << "5" << 0LL << "The half-period \"5\" is not a time: write a number and a unit "
                                              "(fs, ps, ns, us, ms or s), such as 5ns.";
}

void SettingWindowsTest::halfPeriodDialogRefusesWhatIsNotATime()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, femtoseconds);
    QFETCH(QString, problem);
    dialogs::HalfPeriodDialog dialog(QStringLiteral("Verilog stimulus: time of one cell"), {});
    dialog.show();
    auto* edit = child<QLineEdit>(dialog, "halfPeriod");
    edit->selectAll();
    QTest::keyClicks(edit, text);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QCOMPARE(ok->isEnabled(), femtoseconds != 0);
    QCOMPARE(child<QLabel>(dialog, "halfPeriodProblem")->text(), problem);
    QCOMPARE(dialog.halfPeriod().value_or(0), femtoseconds);
    QTest::keyClick(edit, Qt::Key_Return); // refused text keeps the dialog open
    QCOMPARE(dialog.isVisible(), femtoseconds == 0);
}

// The half-period is kept in a settings section of its own, and the next dialog starts there;
// the notes of the export are shown below it.
void SettingWindowsTest::halfPeriodDialogRemembersTheLastChoice()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().remove(QStringLiteral("StimulusExport"));
    {
        dialogs::HalfPeriodDialog dialog(QStringLiteral("VHDL stimulus: time of one cell"),
                                         {"The row \"a b\" is a_b."});
        QCOMPARE(child<QLineEdit>(dialog, "halfPeriod")->text(), QStringLiteral("5ns"));
        QCOMPARE(child<QLabel>(dialog, "halfPeriodNote")->text(), QStringLiteral("Renamed for the file:\nThe row \"a b\" is a_b."));
        child<QLineEdit>(dialog, "halfPeriod")->setText(QStringLiteral("20 ps"));
        dialog.show();
        QTest::keyClick(child<QLineEdit>(dialog, "halfPeriod"), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(QSettings().value(QStringLiteral("StimulusExport/HalfPeriod")).toString(), QStringLiteral("20 ps"));
    {
        dialogs::HalfPeriodDialog dialog(QStringLiteral("again"), {});
        QCOMPARE(child<QLineEdit>(dialog, "halfPeriod")->text(), QStringLiteral("20 ps"));
        QCOMPARE(dialog.halfPeriod(), std::optional<long long>(20'000));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("halfPeriodNote")) == nullptr);
        dialog.reject(); // cancelled: nothing is kept
    }
    QSettings().setValue(QStringLiteral("StimulusExport/HalfPeriod"), QStringLiteral("garbage"));
    dialogs::HalfPeriodDialog fallback(QStringLiteral("damaged setting"), {});
    QCOMPARE(child<QLineEdit>(fallback, "halfPeriod")->text(), QStringLiteral("5ns"));
    QSettings().remove(QStringLiteral("StimulusExport"));
}

void SettingWindowsTest::stimulusDialogTakesAnOutputDelay_data()
{
    QTest::addColumn<QString>("delay");
    QTest::addColumn<qlonglong>("picoseconds"); // -1: none (the drawn slant)
    QTest::addColumn<QString>("problem");
    QTest::newRow("empty: the drawn slant") << "" << -1LL << "";
    QTest::newRow("1ns") << "1ns" << 1000LL << "";
    QTest::newRow("250 ps") << "250 ps" << 250LL << "";
    QTest::newRow("below 1 ps")
        << "500fs" << -1LL
        << "The output delay must be at least 1ps: a change at the very time of the clock edge may be taken at that edge.";
    QTest::newRow("not whole picoseconds") << "1500fs" << -1LL
                                           << "The output delay must be a whole number of picoseconds, not 1500fs.";
    QTest::newRow("past the next edge") << "5ns" << -1LL
                                        << "The output delay must be shorter than the half-period (5ns): the changes would pass the next edge.";
}

// The stimulus exports' dialog has the output delay under the half-period: empty for each row's
// drawn slant, else a time of at least 1 ps and less than the half-period; OK waits for one.
void SettingWindowsTest::stimulusDialogTakesAnOutputDelay()
{
    QFETCH(QString, delay);
    QFETCH(qlonglong, picoseconds);
    QFETCH(QString, problem);
    QStandardPaths::setTestModeEnabled(true);
    QSettings().remove(QStringLiteral("StimulusExport"));
    dialogs::HalfPeriodDialog dialog(QStringLiteral("Verilog stimulus: time of one cell"), {}, nullptr, true);
    dialog.show();
    auto* edit = child<QLineEdit>(dialog, "outputDelay");
    QCOMPARE(edit->placeholderText(), QStringLiteral("the drawn slant"));
    QTest::keyClicks(edit, delay);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QCOMPARE(child<QLabel>(dialog, "halfPeriodProblem")->text(), problem);
    QCOMPARE(ok->isEnabled(), problem.isEmpty());
    QCOMPARE(dialog.outputDelayPs().value_or(-1), picoseconds);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(dialog.isVisible(), !problem.isEmpty());
    // The dump's dialog has no such field.
    dialogs::HalfPeriodDialog dump(QStringLiteral("Value Change Dump: time of one cell"), {});
    QVERIFY(dump.findChild<QLineEdit*>(QStringLiteral("outputDelay")) == nullptr);
    QSettings().remove(QStringLiteral("StimulusExport"));
}

QTEST_MAIN(SettingWindowsTest)
#include "test_setting_windows.moc"
