#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <set>
#include <utime.h>

#include "app/window/TipOfTheDayDialog.h"
#include "app/window/TipsReader.h"

using namespace sigmora;
using app::TipState;
using app::TipsReader;

// The tips file reader and the Tip of the Day dialog.
class TipsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void readsTipsSkippingCommentsAndIndentedLines_data();
    void readsTipsSkippingCommentsAndIndentedLines();
    void fileWithoutTipsSaysSoAndEnds_data();
    void fileWithoutTipsSaysSoAndEnds();
    void missingFileSaysSo();
    void resumesWhereItStoppedUntilTheFileChanges();
    void badOffsetIsTrouble();
    void dialogKeepsItsStateInTheSettings();
    void dialogWithoutAFileCannotGoOn();
    void shippedTipsFileHoldsTips();

private:
    QString write(const QByteArray& text, const char* name = "tips.txt");
    QTemporaryDir dir_;
};

namespace {
std::vector<std::string> readTips(const QString& path, int count)
{
    TipState state;
    TipsReader reader(path.toStdString(), state);
    std::vector<std::string> tips{reader.tip()};
    for (int i = 1; i < count; ++i) {
        reader.next();
        tips.push_back(reader.tip());
    }
    return tips;
}

void setModified(const QString& path, time_t when)
{
    utimbuf times{when, when};
    QCOMPARE(::utime(path.toLocal8Bit().constData(), &times), 0);
}
} // namespace

QString TipsTest::write(const QByteArray& text, const char* name)
{
    const QString path = dir_.filePath(QString::fromUtf8(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
    return path;
}

void TipsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TipsTest::init()
{
    QSettings().clear();
}

void TipsTest::readsTipsSkippingCommentsAndIndentedLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("tips");
    QTest::newRow("comments, blanks, indents")
        << QByteArray("; a comment\n\nfirst tip\n  indented\n\tafter a tab\nsecond tip\n")
        << QStringList{"first tip", "second tip", "first tip", "second tip"};
    QTest::newRow("last line without a line end")
        << QByteArray("one\ntwo") << QStringList{"one", "two", "one", "two"};
    QTest::newRow("windows line ends") << QByteArray("; note\r\n\r\nalpha\r\nbeta\r\n")
                                       << QStringList{"alpha", "beta", "alpha"};
    QTest::newRow("single tip wraps to itself") << QByteArray(";x\nonly\n;y\n") << QStringList{"only", "only", "only"};
}

void TipsTest::readsTipsSkippingCommentsAndIndentedLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, tips);
    std::vector<std::string> expected;
    for (const QString& t : tips)
        expected.push_back(t.toStdString());
    QCOMPARE(readTips(write(file), int(tips.size())), expected);
}

void TipsTest::fileWithoutTipsSaysSoAndEnds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("comments only") << QByteArray("; one\n;two\n");
    QTest::newRow("blank and indented lines") << QByteArray("\n\n   x\n\ty\n");
}

void TipsTest::fileWithoutTipsSaysSoAndEnds()
{
    QFETCH(QByteArray, file);
    const auto tips = readTips(write(file), 3);
    for (const std::string& tip : tips)
        QCOMPARE(tip, std::string(TipsReader::kNoTipsText));
}

void TipsTest::missingFileSaysSo()
{
    TipState state;
    TipsReader reader(dir_.filePath(QStringLiteral("none.txt")).toStdString(), state);
    QVERIFY(!reader.fileOpen());
    QCOMPARE(reader.tip(), std::string("Tips file does not exist in the prescribed directory"));
}

void TipsTest::resumesWhereItStoppedUntilTheFileChanges()
{
    const QString path = write("a\nb\nc\n");
    setModified(path, 1000000);
    TipState state;
    {
        TipsReader reader(path.toStdString(), state);
        QCOMPARE(reader.tip(), std::string("a"));
    }
    QCOMPARE(state.filePos, 2L);
    QVERIFY(!state.timeStamp.empty());
    {
        TipsReader reader(path.toStdString(), state);
        QCOMPARE(reader.tip(), std::string("b")); // the next run goes on
    }
    setModified(path, 2000000); // the file changed: back to its first tip
    TipsReader reader(path.toStdString(), state);
    QCOMPARE(reader.tip(), std::string("a"));
    QCOMPARE(state.timeStamp, TipsReader::timeStampOf(path.toStdString()));
}

void TipsTest::badOffsetIsTrouble()
{
    const QString path = write("a\nb\n");
    TipState state;
    state.timeStamp = TipsReader::timeStampOf(path.toStdString());
    state.filePos = -5;
    TipsReader reader(path.toStdString(), state);
    QCOMPARE(reader.trouble(), std::string("Trouble reading the tips file"));
}

void TipsTest::dialogKeepsItsStateInTheSettings()
{
    const QString path = write("; tips\nfirst\nsecond\nthird\n");
    QVERIFY(app::TipOfTheDayDialog::showAtStartUp()); // no "StartUp" value yet
    {
        app::TipOfTheDayDialog dialog(path);
        QCOMPARE(dialog.tipText(), QStringLiteral("first"));
        auto* startUp = dialog.findChild<QCheckBox*>();
        QVERIFY(startUp->isChecked());
        QCOMPARE(startUp->text(), QStringLiteral("&Show Tips on StartUp"));
        dialog.findChild<QPushButton*>(QStringLiteral("nextTip"))->click();
        QCOMPARE(dialog.tipText(), QStringLiteral("second"));
        startUp->setChecked(false);
        dialog.accept();
    }
    QSettings settings;
    QCOMPARE(settings.value(QStringLiteral("Tip/StartUp")).toInt(), 1);
    QCOMPARE(settings.value(QStringLiteral("Tip/FilePos")).toInt(), 20); // after "second\n"
    QCOMPARE(settings.value(QStringLiteral("Tip/TimeStamp")).toString().toStdString(),
             TipsReader::timeStampOf(path.toStdString()));
    QVERIFY(!app::TipOfTheDayDialog::showAtStartUp());
    app::TipOfTheDayDialog again(path);
    QCOMPARE(again.tipText(), QStringLiteral("third"));
    QVERIFY(!again.findChild<QCheckBox*>()->isChecked());
}

void TipsTest::dialogWithoutAFileCannotGoOn()
{
    app::TipOfTheDayDialog dialog(dir_.filePath(QStringLiteral("absent.txt")));
    QCOMPARE(dialog.tipText(), QStringLiteral("Tips file does not exist in the prescribed directory"));
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("nextTip"))->isEnabled());
}

void TipsTest::shippedTipsFileHoldsTips()
{
    const QString shipped = QStringLiteral(SIGMORA_SOURCE_DIR "/resources/tips.txt");
    QVERIFY(QFile::exists(shipped));
    TipState state;
    TipsReader reader(shipped.toStdString(), state);
    std::set<std::string> seen;
    for (int i = 0; i < 100 && seen.insert(reader.tip()).second; ++i)
        reader.next();
    QVERIFY(seen.size() >= 15);
    QVERIFY(!seen.count(TipsReader::kNoTipsText));
    for (const std::string& tip : seen)
        QVERIFY2(tip.size() < 999 && tip.size() > 20, tip.c_str());
}

QTEST_MAIN(TipsTest)
#include "test_tips.moc"
