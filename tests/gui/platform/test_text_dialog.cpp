#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

#include "dialogs/TextAttributesDialog.h"

using namespace sigmora;
using dialogs::TextAttributesDialog;
using edit::TextAttributes;

// The "Text Attributes" dialog: what it shows of the values it opens with and what it answers.
class TextDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheMessageWithLineBreaksAndPeriods();
    void attachChoice_data();
    void attachChoice();
    void labelCaptionsHideTheAttachControls();
    void sizesAndOutlines_data();
    void sizesAndOutlines();
    void aFaceThisMachineLacksStaysUnlessAnotherIsChosen_data();
    void aFaceThisMachineLacksStaysUnlessAnotherIsChosen();
    void styleButtonsAndJustificationAreAnswered();

private:
    static TextAttributes base()
    {
        TextAttributes v;
        v.message = "a~QorWFPeriod~b\\nc";
        v.rowNames = {"Clock", "Data.in"};
        return v;
    }
    template <typename T>
    static T* child(TextAttributesDialog& d, const char* name)
    {
        T* w = d.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
};

void TextDialogTest::showsTheMessageWithLineBreaksAndPeriods()
{
    TextAttributesDialog dialog(base());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Text Attributes"));
    auto* message = child<QPlainTextEdit>(dialog, "message");
    QCOMPARE(message->toPlainText(), QStringLiteral("a.b\nc"));
    QCOMPARE(dialog.values().message, std::string("a~QorWFPeriod~b\\nc"));
    message->setPlainText(QStringLiteral("one.\ntwo\nthree"));
    QCOMPARE(dialog.values().message, std::string("one~QorWFPeriod~\\ntwo\\nthree"));
}

void TextDialogTest::attachChoice_data()
{
    QTest::addColumn<int>("attachedIndex");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("listRow");
    QTest::addColumn<bool>("uncheck");
    QTest::addColumn<int>("pickRow");
    QTest::addColumn<int>("answer");
    QTest::newRow("not attached") << -1 << false << 0 << false << -1 << -1;
    QTest::newRow("attached to row 1") << 1 << true << 2 << false << -1 << 1;
    QTest::newRow("unchecked") << 1 << true << 2 << true << -1 << -1;
    QTest::newRow("Not Attached chosen") << 0 << true << 1 << false << 0 << -1;
    QTest::newRow("another row chosen") << 0 << true << 1 << false << 2 << 1;
}

void TextDialogTest::attachChoice()
{
    QFETCH(int, attachedIndex);
    TextAttributes v = base();
    v.attachedIndex = attachedIndex;
    TextAttributesDialog dialog(v);
    auto* check = child<QCheckBox>(dialog, "attach");
    auto* list = child<QListWidget>(dialog, "attachList");
    QCOMPARE(check->text(), QStringLiteral("Attach to Signal"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Not Attached"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("Data.in"));
    QTEST(check->isChecked(), "checked");
    QTEST(list->currentRow(), "listRow");
    QFETCH(bool, uncheck);
    QFETCH(int, pickRow);
    if (uncheck)
        check->setChecked(false);
    if (pickRow >= 0)
        list->setCurrentRow(pickRow);
    QTEST(dialog.values().attachedIndex, "answer");
}

void TextDialogTest::labelCaptionsHideTheAttachControls()
{
    TextAttributes v = base();
    v.attachHidden = true;
    TextAttributesDialog dialog(v);
    dialog.show();
    QVERIFY(!child<QCheckBox>(dialog, "attach")->isVisible());
    QVERIFY(!child<QListWidget>(dialog, "attachList")->isVisible());
    QVERIFY(child<QPlainTextEdit>(dialog, "message")->isVisible());
}

void TextDialogTest::sizesAndOutlines_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("outline");
    QTest::newRow("14 rounded") << 14 << QStringLiteral("14") << 2;
    QTest::newRow("unknown size shows the first") << 7 << QStringLiteral("6") << 0;
    QTest::newRow("32 rectangle") << 32 << QStringLiteral("32") << 1;
}

void TextDialogTest::sizesAndOutlines()
{
    QFETCH(int, size);
    QFETCH(int, outline);
    TextAttributes v = base();
    v.size = size;
    v.outline = outline;
    TextAttributesDialog dialog(v);
    auto* sizes = child<QListWidget>(dialog, "sizes");
    QStringList offered;
    for (int i = 0; i < sizes->count(); ++i)
        offered << sizes->item(i)->text();
    QCOMPARE(offered.join(QLatin1Char(',')), QStringLiteral("6,8,9,10,12,14,18,24,32"));
    QTEST(sizes->currentItem()->text(), "shown");
    auto* outlines = child<QComboBox>(dialog, "outline");
    QCOMPARE(outlines->itemText(0), QStringLiteral("No Outline"));
    QCOMPARE(outlines->itemText(1), QStringLiteral("Rectangle"));
    QCOMPARE(outlines->itemText(2), QStringLiteral("Rounded Edges"));
    QCOMPARE(dialog.values().outline, outline);
    sizes->setCurrentRow(5);
    QCOMPARE(dialog.values().size, 14);
}

// A face this machine lacks (Arial on a machine with Liberation fonts) shows as the face the
// system draws it in, as the drawing does, and stays in the record unless another one is chosen.
void TextDialogTest::aFaceThisMachineLacksStaysUnlessAnotherIsChosen_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("shown"); // empty: whatever the system puts in its place
    QTest::newRow("Arial") << "Arial" << "Liberation Sans";
    QTest::newRow("no such face") << "No Such Face Anywhere" << "";
}

void TextDialogTest::aFaceThisMachineLacksStaysUnlessAnotherIsChosen()
{
    QFETCH(QString, face);
    QFETCH(QString, shown);
    if (QFontDatabase::families().contains(face))
        QSKIP("the face is installed here");
    if (!shown.isEmpty() && !QFontDatabase::families().contains(shown))
        QSKIP("the Liberation fonts are not installed");
    TextAttributes v = base();
    v.face = face.toStdString();
    TextAttributesDialog dialog(v);
    auto* faces = child<QListWidget>(dialog, "faces");
    QVERIFY(faces->count() > 1);
    const QString drawnIn = QFontInfo(QFont(face)).family();
    QVERIFY(faces->currentItem());
    QCOMPARE(faces->currentItem()->text(), shown.isEmpty() ? drawnIn : shown);
    QCOMPARE(child<QLabel>(dialog, "sample")->text(), faces->currentItem()->text());
    QCOMPARE(dialog.values().face, v.face);
    const int other = faces->currentRow() == 0 ? 1 : 0;
    faces->setCurrentRow(other);
    QCOMPARE(dialog.values().face, faces->item(other)->text().toStdString());
    QCOMPARE(child<QLabel>(dialog, "sample")->text(), faces->item(other)->text());
}

void TextDialogTest::styleButtonsAndJustificationAreAnswered()
{
    TextAttributes v = base();
    v.italic = true;
    v.justification = 2;
    TextAttributesDialog dialog(v);
    QVERIFY(child<QToolButton>(dialog, "right")->isChecked());
    QCOMPARE(dialog.values().italic, true);
    QTest::mouseClick(child<QToolButton>(dialog, "bold"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(dialog, "italic"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(dialog, "centre"), Qt::LeftButton);
    const TextAttributes answer = dialog.values();
    QVERIFY(answer.bold);
    QVERIFY(!answer.italic);
    QVERIFY(!answer.underline);
    QCOMPARE(answer.justification, 1);
    QVERIFY(!child<QToolButton>(dialog, "right")->isChecked());
}

QTEST_MAIN(TextDialogTest)
#include "test_text_dialog.moc"
