#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtTest>
#include <vector>

#include "app/platform/FillBatch.h"
#include "app/platform/QtSurface.h"

using namespace sigmora;
using render::Brush;
using render::BrushStyle;
using render::Pen;
using render::Point;

namespace {

// A paint engine that keeps what it is asked to draw, to be drawn again on an image. It calls
// itself a PDF engine (so the surface keeps fills) or not, as the test asks.
class RecordingEngine : public QPaintEngine {
public:
    struct Drawn {
        QPainterPath path;
        QPen pen;
        QBrush brush;
        bool filled = true;
    };

    explicit RecordingEngine(Type type) : QPaintEngine(AllFeatures), type_(type) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return type_; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
    }
    void drawPath(const QPainterPath& path) override { drawn.push_back({path, pen_, brush_, true}); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != PolylineMode)
            path.closeSubpath();
        drawn.push_back({path, pen_, brush_, mode != PolylineMode});
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            drawn.push_back({path, pen_, brush_, true});
        }
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    std::size_t fills() const
    {
        std::size_t n = 0;
        for (const Drawn& d : drawn)
            n += d.filled && d.brush.style() != Qt::NoBrush ? 1 : 0;
        return n;
    }

    // Everything drawn, in order, on a white image by the raster painter (no smoothing).
    QImage replayed(QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (const Drawn& d : drawn) {
            painter.setPen(d.pen);
            painter.setBrush(d.filled ? d.brush : QBrush());
            painter.drawPath(d.path);
        }
        return image;
    }

    std::vector<Drawn> drawn;

private:
    Type type_;
    QPen pen_;
    QBrush brush_;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(QPaintEngine::Type type, QSize size) : engine_(type), size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    RecordingEngine& engine() { return engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM: return size_.width() * 254 / 960;
        case PdmHeightMM: return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmNumColors: return 0x7fffffff;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable RecordingEngine engine_;
    QSize size_;
};

constexpr QSize kPage(240, 80);

// A row of cells as a diagram floods them: alternating hatches in cells a little apart, lines drawn
// between fills, an outlined fill, a fill of a later brush laid over an earlier one's cell,
// shapes that may not be kept (a bow-tie, a folded edge) and a solid fill far away.
void drawScene(render::Surface& surface)
{
    const Brush hatches[] = {{BrushStyle::HatchCross, model::kBlack}, {BrushStyle::HatchForwardDiagonal, 0x0000ff}};
    surface.setPen(Pen::solid(model::kBlack));
    surface.moveTo(0, 40);
    surface.lineTo(239, 40);
    surface.setPen(Pen::none());
    for (int cell = 0; cell < 8; ++cell) {
        surface.setBrush(hatches[cell % 2]);
        const int left = 10 + cell * 25;
        const Point slanted[] = {{left, 20}, {left + 3, 10}, {left + 20, 10}, {left + 20, 30}, {left + 3, 30}};
        surface.polygon(slanted, 5);
    }
    // Lines between the fills of one brush: later fills still come after them.
    surface.setBrush(hatches[0]);
    const Point first[] = {{10, 45}, {40, 45}, {40, 60}, {10, 60}};
    surface.polygon(first, 4);
    surface.setPen(Pen::solid(0xff0000));
    surface.moveTo(25, 42);
    surface.lineTo(25, 70);
    surface.setPen(Pen::none());
    const Point second[] = {{20, 50}, {60, 50}, {60, 70}, {20, 70}};
    surface.polygon(second, 4);
    // A later brush over an earlier cell, then the earlier brush again touching it.
    surface.setBrush(Brush::solid(0x00ff00));
    const Point over[] = {{70, 45}, {90, 45}, {90, 65}, {70, 65}};
    surface.polygon(over, 4);
    surface.setBrush(hatches[0]);
    const Point under[] = {{85, 50}, {110, 50}, {110, 70}, {85, 70}};
    surface.polygon(under, 4);
    // Shapes that are drawn alone.
    surface.setBrush(hatches[1]);
    const Point bowTie[] = {{120, 45}, {140, 70}, {140, 45}, {120, 70}};
    surface.polygon(bowTie, 4);
    const Point folded[] = {{145, 45}, {165, 45}, {155, 45}, {155, 70}};
    surface.polygon(folded, 4);
    // An outlined fill is drawn as it comes.
    surface.setPen(Pen::solid(model::kBlack));
    const Point outlined[] = {{170, 45}, {190, 45}, {190, 70}, {170, 70}};
    surface.polygon(outlined, 4);
    surface.setPen(Pen::none());
    surface.setBrush(Brush::solid(0x808080));
    const Point far[] = {{175, 72}, {195, 72}, {195, 78}, {175, 78}};
    surface.polygon(far, 4);
    surface.fillRect({0, 75, 20, 80}, Brush::solid(0xff00ff));
}

RecordingEngine& recorded(RecordingDevice& device)
{
    QPainter painter(&device);
    {
        app::QtSurface surface(painter, {kPage.width(), kPage.height()});
        drawScene(surface);
    }
    return device.engine();
}

} // namespace

// Fills kept on a vector page: which shapes may be kept, which may move ahead, and that the page
// drawn with kept fills has every pixel of the page drawn fill by fill.
class FillBatchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void simplePolygonsAreKeepable_data();
    void simplePolygonsAreKeepable();
    void aFillMovesAheadOnlyWhereItTouchesNoLaterBrush();
    void theBatchIsBounded();
    void aKeptPageHasThePixelsOfThePageDrawnFillByFill();
};

void FillBatchTest::simplePolygonsAreKeepable_data()
{
    QTest::addColumn<QList<QPoint>>("corners");
    QTest::addColumn<bool>("keepable");
    QTest::newRow("triangle") << QList<QPoint>{{0, 0}, {10, 0}, {0, 10}} << true;
    QTest::newRow("rectangle") << QList<QPoint>{{0, 0}, {10, 0}, {10, 5}, {0, 5}} << true;
    QTest::newRow("rectangle the other way") << QList<QPoint>{{0, 0}, {0, 5}, {10, 5}, {10, 0}} << true;
    QTest::newRow("concave L") << QList<QPoint>{{0, 0}, {4, 0}, {4, 6}, {10, 6}, {10, 10}, {0, 10}} << true;
    QTest::newRow("slanted cell") << QList<QPoint>{{0, 8}, {3, 0}, {20, 0}, {20, 16}, {3, 16}} << true;
    QTest::newRow("corner on a straight edge") << QList<QPoint>{{0, 0}, {5, 0}, {10, 0}, {10, 5}, {0, 5}} << true;
    QTest::newRow("two corners") << QList<QPoint>{{0, 0}, {10, 0}} << false;
    QTest::newRow("repeated corner") << QList<QPoint>{{0, 0}, {10, 0}, {10, 0}, {0, 10}} << false;
    QTest::newRow("bow-tie") << QList<QPoint>{{0, 0}, {10, 10}, {10, 0}, {0, 10}} << false;
    QTest::newRow("edge folded back") << QList<QPoint>{{0, 0}, {10, 0}, {5, 0}, {5, 8}} << false;
    QTest::newRow("all on one line") << QList<QPoint>{{0, 0}, {5, 0}, {10, 0}} << false;
    QTest::newRow("corner touching an edge") << QList<QPoint>{{0, 0}, {10, 0}, {10, 10}, {5, 0}, {0, 10}} << false;
}

void FillBatchTest::simplePolygonsAreKeepable()
{
    QFETCH(QList<QPoint>, corners);
    QFETCH(bool, keepable);
    std::vector<Point> points;
    for (const QPoint& p : corners)
        points.push_back({p.x(), p.y()});
    QCOMPARE(app::FillBatch::keepable(points.data(), points.size()), keepable);
}

void FillBatchTest::aFillMovesAheadOnlyWhereItTouchesNoLaterBrush()
{
    const Brush a = Brush::solid(0xff0000), b = Brush::solid(0x00ff00), c{BrushStyle::HatchCross, 0xff0000};
    auto square = [](int left, int top) {
        return std::vector<Point>{{left, top}, {left + 10, top}, {left + 10, top + 10}, {left, top + 10}};
    };
    app::FillBatch batch;
    auto add = [&](int left, int top, const Brush& brush) {
        const auto points = square(left, top);
        return batch.add(points.data(), points.size(), brush);
    };
    QVERIFY(add(0, 0, a));
    QVERIFY(add(0, 20, b));
    QVERIFY(add(10, 0, a));          // touches its own brush only
    QVERIFY(add(12, 20, a));         // two units clear of b's square: may move ahead of it
    QVERIFY(add(100, 0, c));         // the same colour hatched is another brush
    QVERIFY(!add(11, 20, a));        // one unit from b's square: a smoothed edge pixel could be shared
    QVERIFY(add(40, 40, b));         // b passes only c, far away
    QVERIFY(!add(95, 5, b));         // ... and may not pass c where it overlaps it

    const auto groups = batch.take();
    QCOMPARE(groups.size(), std::size_t(3));
    QVERIFY(groups[0].brush == a && groups[1].brush == b && groups[2].brush == c);
    QCOMPARE(groups[0].shape.elementCount(), 3 * 5); // three squares: a move and four lines each
    QCOMPARE(groups[1].shape.elementCount(), 2 * 5);
    QCOMPARE(groups[0].shape.fillRule(), Qt::WindingFill);
    QVERIFY(batch.empty());
    // Every shape of a group goes round one way, so the nonzero rule fills their union.
    QVERIFY(groups[0].shape.contains(QPointF(5, 5)) && groups[0].shape.contains(QPointF(15, 5)));
}

void FillBatchTest::theBatchIsBounded()
{
    app::FillBatch batch;
    const Brush brush = Brush::solid(0x123456);
    std::size_t added = 0;
    while (!batch.full()) {
        const int left = static_cast<int>(added) * 3;
        const Point points[] = {{left, 0}, {left + 2, 0}, {left + 2, 2}};
        QVERIFY(batch.add(points, 3, brush));
        ++added;
    }
    QCOMPARE(added, app::FillBatch::kMaxKept);
}

void FillBatchTest::aKeptPageHasThePixelsOfThePageDrawnFillByFill()
{
    RecordingDevice pdf(QPaintEngine::Pdf, kPage), plain(QPaintEngine::User, kPage);
    const RecordingEngine& kept = recorded(pdf);
    const RecordingEngine& alone = recorded(plain);
    const QImage expected = alone.replayed(kPage), actual = kept.replayed(kPage);
    int differing = 0;
    for (int y = 0; y < kPage.height(); ++y)
        for (int x = 0; x < kPage.width(); ++x)
            differing += expected.pixel(x, y) != actual.pixel(x, y) ? 1 : 0;
    QCOMPARE(differing, 0);
    // The comparison is not of two blanks: the line between the fills and the last fill are there.
    const QRgb lineColour = app::toQColor(0xff0000).rgb();
    int linePixels = 0;
    for (int y = 42; y <= 70; ++y)
        linePixels += expected.pixel(25, y) == lineColour ? 1 : 0;
    QVERIFY(linePixels > 0 && linePixels < 29); // partly covered by the fill after it
    QCOMPARE(expected.pixel(180, 75), qRgb(0x80, 0x80, 0x80));

    // Fills were joined where they may be: eight cells of two hatches and the next fill of the
    // first hatch become two fills; everything else is drawn as it came.
    QCOMPARE(alone.fills(), std::size_t(17));
    QCOMPARE(kept.fills(), std::size_t(10));
}

QTEST_MAIN(FillBatchTest)
#include "test_fill_batch.moc"
