#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QPicture>
#include <random>
#include <QtTest>

#include "app/window/DiagramWidget.h"
#include "app/platform/QtSurface.h"
#include "app/platform/QtTextMeasurer.h"
#include "dialogs/PeriodDividerDialog.h"
#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "model/NameColumnFitter.h"
#include "render/CycleLabels.h"
#include "render/FullRedraw.h"
#include "support/FakeUiPort.h"
#include "support/LargestDiagram.h"

using namespace sigmora;

class DiagramWidgetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesMeasureLikeArial();
    void clockIsDrawnIntoTheScreenImage();
    void scrollBarsMoveTheEditorByItsRules();
    void periodDividerDialogListsEveryDivider();
    void skippingOffImageWorkLeavesThePictureAsItWas();
    void hatchesDrawQtsOwnPatternPixels();
    void linesDrawQtsOwnPixels();
    void straightLinesWrittenDirectlyMatchQt();
};

namespace {

QImage drawScrolled(model::Diagram diagram, bool cull, int firstVisibleCell, int verticalScroll)
{
    diagram.settings.firstVisibleCell = firstVisibleCell;
    diagram.settings.verticalScroll = verticalScroll;
    QImage image(1280, 800, QImage::Format_RGB32);
    QPainter painter(&image);
    app::QtSurface surface(painter, {image.width(), image.height()});
    render::RedrawOptions options;
    options.cullOffSurface = cull;
    options.selection.row = 3;
    options.selection.cell = 10;
    options.annotations.arrow = 5;
    options.annotations.label = 7;
    render::RedrawMemory memory;
    model::ReaderReport report;
    render::fullRedraw(surface, diagram, options, memory, report);
    surface.flush();
    return image;
}

} // namespace

// The screen image skips what lies off it (rows, cells, cycle labels, separator lines,
// annotations): the picture must be exactly the one drawn without skipping, wherever the view
// is scrolled, with narrow cells, and with edge offsets that pull later cells back onto the
// image from far right of it.
void DiagramWidgetTest::skippingOffImageWorkLeavesThePictureAsItWas()
{
    model::Diagram pulledBack = test::largestDiagram(0);
    for (int row = 0; row < 60; ++row) {
        pulledBack.store.edgeOffsets().set(row, 80, -1500);
        pulledBack.store.edgeOffsets().set(row, 200, -2400 - 10 * row);
    }
    struct Case {
        const char* name;
        model::Diagram diagram;
        int cells, rows;
    };
    std::vector<Case> cases;
    for (int mode : {0, 1, 2, 5, 6})
        for (auto [cells, rows] : {std::pair{0, 0}, std::pair{10, 40}})
            cases.push_back({"period-line mode", test::largestDiagram(mode), cells, rows});
    for (auto [cells, rows] : {std::pair{0, 0}, std::pair{37, 20}, std::pair{300, 200}})
        cases.push_back({"every annotation", test::largestAnnotatedDiagram(), cells, rows});
    for (int cells : {0, 45})
        cases.push_back({"pulled back", pulledBack, cells, 0});
    for (int cellWidth : {1, 3}) {
        // More drawn cells than the rows hold: the last value runs on to the right edge.
        model::Diagram narrow = test::largestDiagram(0);
        narrow.settings.cellWidth = cellWidth;
        narrow.settings.waveformWidth = 1500 * cellWidth;
        cases.push_back({"narrow cells", narrow, 4, 0});
    }
    for (const Case& c : cases)
        QVERIFY2(drawScrolled(c.diagram, false, c.cells, c.rows) == drawScrolled(c.diagram, true, c.cells, c.rows),
                 qPrintable(QStringLiteral("%1 at cell %2 row %3").arg(c.name).arg(c.cells).arg(c.rows)));
}

// The screen image fills hatches from a wider tile than Qt's own 8 x 8 pattern: every pixel must
// be the one Qt's pattern gives, whatever the shape, offset and colour; painters that write
// vector files keep the hatch itself.
void DiagramWidgetTest::hatchesDrawQtsOwnPatternPixels()
{
    using render::BrushStyle;
    const std::pair<BrushStyle, Qt::BrushStyle> hatches[] = {
        {BrushStyle::HatchHorizontal, Qt::HorPattern},         {BrushStyle::HatchVertical, Qt::VerPattern},
        {BrushStyle::HatchForwardDiagonal, Qt::FDiagPattern},  {BrushStyle::HatchBackwardDiagonal, Qt::BDiagPattern},
        {BrushStyle::HatchCross, Qt::CrossPattern},            {BrushStyle::HatchDiagonalCross, Qt::DiagCrossPattern}};
    const render::Point slanted[] = {{13, 7}, {301, 7}, {301, 38}, {5, 38}, {9, 22}};
    for (const auto& [ours, qts] : hatches) {
        for (model::Colour colour : {model::Colour{0x808080}, model::Colour{0x1234AB}, model::kBlack}) {
            QImage expected(320, 200, QImage::Format_RGB32), drawn(320, 200, QImage::Format_RGB32);
            expected.fill(Qt::white);
            drawn.fill(Qt::white);
            {
                QPainter painter(&expected);
                painter.setBackgroundMode(Qt::TransparentMode);
                painter.setPen(Qt::NoPen);
                painter.setBrush(QBrush(app::toQColor(colour), qts));
                QPoint points[5];
                for (int i = 0; i < 5; ++i)
                    points[i] = QPoint(slanted[i].x, slanted[i].y);
                painter.drawPolygon(points, 5);
                painter.fillRect(QRect(3, 45, 299, 37), painter.brush());
                painter.setPen(Qt::black);
                painter.drawRect(QRect(17, 91, 270, 30));
                painter.drawRoundedRect(QRect(7, 130, 290, 60), 9, 9);
            }
            {
                QPainter painter(&drawn);
                app::QtSurface surface(painter, {drawn.width(), drawn.height()});
                const render::Brush brush{ours, colour};
                surface.setPen(render::Pen::none());
                surface.setBrush(brush);
                surface.polygon(slanted, 5);
                surface.fillRect({3, 45, 302, 82}, brush);
                surface.setPen(render::Pen::solid(model::kBlack));
                surface.rectangle({17, 91, 288, 122});
                surface.roundRect({7, 130, 298, 191}, 18, 18);
            }
            QVERIFY2(drawn == expected, qPrintable(QStringLiteral("style %1 colour %2").arg(int(qts)).arg(colour)));
        }
        QPicture vector;
        QPainter painter(&vector);
        app::QtSurface surface(painter, {100, 100});
        surface.setBrush({ours, model::kBlack});
        QCOMPARE(painter.brush().style(), qts);
        // A scaled image (a printed page drawn as a picture) keeps the hatch and its clip.
        QImage page(100, 100, QImage::Format_RGB32);
        QPainter scaled(&page);
        scaled.scale(4, 4);
        app::QtSurface onPage(scaled, {25, 25});
        onPage.setBrush({ours, model::kBlack});
        QCOMPARE(scaled.brush().style(), qts);
        QVERIFY(!scaled.hasClipping());
    }
}

// The surface clips its painter to the whole image so that Qt takes its direct path for thin
// lines: solid and dotted polylines, running off the image too, must land on exactly the pixels
// of an unclipped painter.
void DiagramWidgetTest::linesDrawQtsOwnPixels()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 360), step(-60, 60), kind(0, 3);
    for (const render::Pen pen : {render::Pen::solid(0x2040C0), render::Pen::dotted(model::kLightGrey),
                                  render::Pen::solid(model::kBlack, 3)}) {
        QImage expected(320, 240, QImage::Format_RGB32), drawn(320, 240, QImage::Format_RGB32);
        expected.fill(Qt::white);
        drawn.fill(Qt::white);
        QPainter plain(&expected);
        plain.setPen(app::toQPen(pen));
        QPainter painter(&drawn);
        app::QtSurface surface(painter, {drawn.width(), drawn.height()});
        surface.setPen(pen);
        for (int line = 0; line < 300; ++line) {
            std::vector<QPoint> points{{coordinate(random), coordinate(random)}};
            for (int k = 1 + kind(random); k > 0; --k) {
                QPoint next = points.back();
                switch (kind(random)) {
                case 0: next.rx() += step(random); break;
                case 1: next.ry() += step(random); break;
                default: next += QPoint(step(random) / 8, step(random)); break;
                }
                if (next != points.back())
                    points.push_back(next);
            }
            if (points.size() < 2)
                continue;
            plain.drawPolyline(points.data(), static_cast<int>(points.size()));
            surface.moveTo(points[0].x(), points[0].y());
            for (std::size_t k = 1; k < points.size(); ++k)
                surface.lineTo(points[k].x(), points[k].y());
            surface.moveTo(-1000, -1000); // ends the polyline here
            surface.flush();
        }
        plain.end();
        painter.end();
        QVERIFY2(drawn == expected, qPrintable(QStringLiteral("pen width %1 style %2").arg(pen.width).arg(int(pen.style))));
    }
}

// Horizontal and vertical lines on the image are written into it by the surface itself: every
// corner, turn back, one-pixel step and doubled point must give Qt's own pixels, and a dotted
// line its dots from its start, whichever way it runs.
void DiagramWidgetTest::straightLinesWrittenDirectlyMatchQt()
{
    std::mt19937 random(11);
    // Half the polylines stay on the image, half reach off it (the surface clips single segments;
    // longer polylines off the image are Qt's).
    std::uniform_int_distribution<int> inside(8, 40), anywhere(-6, 70), midStep(-12, 12), longStep(-90, 90),
        shortStep(-3, 3), kind(0, 9), length(1, 9);
    for (int round = 0; round < 600; ++round) {
        const bool onImage = round % 2 == 0;
        auto start = [&] { return onImage ? inside(random) : anywhere(random); };
        const bool dotted = round % 4 == 3;
        const render::Pen pen = dotted ? render::Pen::dotted(0x3060F0) : render::Pen::solid(0x10A040 + round);
        QImage expected(64, 48, QImage::Format_RGB32), drawn(64, 48, QImage::Format_RGB32);
        expected.fill(Qt::white);
        drawn.fill(Qt::white);
        QPainter plain(&expected);
        plain.setPen(app::toQPen(pen));
        QPainter painter(&drawn);
        app::QtSurface surface(painter, {drawn.width(), drawn.height()});
        surface.setPen(pen);
        std::vector<QPoint> points{{start(), start()}};
        const int segments = dotted || round % 3 == 0 ? 1 : length(random);
        while (static_cast<int>(points.size()) <= segments) {
            const int step = kind(random) < 6 ? shortStep(random) : onImage ? midStep(random) : longStep(random);
            const QPoint next = points.back() + (kind(random) % 2 ? QPoint(step, 0) : QPoint(0, step));
            if (next != points.back())
                points.push_back(next);
        }
        plain.drawPolyline(points.data(), static_cast<int>(points.size()));
        surface.moveTo(points[0].x(), points[0].y());
        for (std::size_t k = 1; k < points.size(); ++k)
            surface.lineTo(points[k].x(), points[k].y());
        surface.flush();
        plain.end();
        painter.end();
        QString path;
        for (const QPoint& p : points)
            path += QStringLiteral(" %1,%2").arg(p.x()).arg(p.y());
        QVERIFY2(drawn == expected, qPrintable(QStringLiteral("%1:%2").arg(dotted ? "dotted" : "solid", path)));
    }
}

void DiagramWidgetTest::namesMeasureLikeArial()
{
    // With Liberation Sans standing in for Arial, the name font measures as Arial does.
    app::QtTextMeasurer measurer;
    QCOMPARE(measurer.textWidth("Default Signal", model::nameMeasureFont()), 81);
    QCOMPARE(measurer.textWidth("Default Signal", render::cycleLabelFont()), 87);
}

void DiagramWidgetTest::clockIsDrawnIntoTheScreenImage()
{
    test::FakeUiPort ui;
    app::QtTextMeasurer measurer;
    edit::Editor editor(ui, measurer);
    app::DiagramWidget widget(editor);
    editor.onRefresh = [&] { widget.refresh(); };
    widget.resize(900, 400);
    editor.execute(edit::cmd::AddClock);

    const QImage& image = widget.image();
    const QRgb black = qRgb(0, 0, 0);
    // The high level of the first cycle (y 20, x 106 .. 134) and the low level of the second
    // half cycle (y 36, x 136 .. 164) are solid black.
    for (int x = 107; x < 134; ++x) {
        QCOMPARE(image.pixel(x, 20), black);
        QCOMPARE(image.pixel(x + 30, 36), black);
    }
    // The selected row is highlighted in light grey beside the waveform (the last column is
    // cleared with the margins).
    QCOMPARE(image.pixel(690 - 2 - 30, 30), qRgb(0xE0, 0xE0, 0xE0));
    // Below the last row the image is white.
    QCOMPARE(image.pixel(300, 200), qRgb(255, 255, 255));
    // The name is drawn in black somewhere in the name column.
    bool inked = false;
    for (int y = 20; y < 36 && !inked; ++y)
        for (int x = 5; x < 60 && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 100;
    QVERIFY(inked);
}

void DiagramWidgetTest::scrollBarsMoveTheEditorByItsRules()
{
    test::FakeUiPort ui;
    app::QtTextMeasurer measurer;
    edit::Editor editor(ui, measurer);
    app::DiagramWidget widget(editor);
    editor.onScrollChanged = [&] { widget.syncScrollBars(); };
    widget.resize(600, 300);
    QScrollBar* h = widget.horizontalScrollBar();
    QCOMPARE(h->maximum(), 480);
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(editor.diagram().settings.firstVisibleCell, 2);
    QCOMPARE(h->value(), 2);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(editor.diagram().settings.firstVisibleCell, 12);
    h->triggerAction(QAbstractSlider::SliderPageStepSub);
    h->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(editor.diagram().settings.firstVisibleCell, 0);
    QScrollBar* v = widget.verticalScrollBar();
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(editor.diagram().settings.verticalScroll, 2);
    QCOMPARE(v->value(), 2);
}

void DiagramWidgetTest::periodDividerDialogListsEveryDivider()
{
    dialogs::PeriodDividerDialog dialog(3);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Setup Default Period"));
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("periodChoices"));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 64);
    QCOMPARE(combo->itemText(0), QStringLiteral("1x"));
    QCOMPARE(combo->itemText(1), QStringLiteral("1/2x"));
    QCOMPARE(combo->itemText(63), QStringLiteral("1/64x"));
    QCOMPARE(dialog.divider(), 3);
    combo->setCurrentIndex(5);
    QCOMPARE(dialog.divider(), 6);
    bool prompt = false;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        prompt |= label->text() == QStringLiteral("Choose Clock Period Frequency");
    QVERIFY(prompt);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DiagramWidgetTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_diagram_widget.moc"
