#include "app/platform/QtSurface.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace sigmora::app {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::BrushStyle toQtBrushStyle(render::BrushStyle style)
{
    switch (style) {
    case render::BrushStyle::Solid: return Qt::SolidPattern;
    case render::BrushStyle::Null: return Qt::NoBrush;
    case render::BrushStyle::HatchHorizontal: return Qt::HorPattern;
    case render::BrushStyle::HatchVertical: return Qt::VerPattern;
    case render::BrushStyle::HatchForwardDiagonal: return Qt::FDiagPattern;
    case render::BrushStyle::HatchBackwardDiagonal: return Qt::BDiagPattern;
    case render::BrushStyle::HatchCross: return Qt::CrossPattern;
    case render::BrushStyle::HatchDiagonalCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

} // namespace

QColor toQColor(model::Colour c)
{
    return QColor(model::redOf(c), model::greenOf(c), model::blueOf(c));
}

QFont toQFont(const model::FontSpec& wanted)
{
    QFont font(QString::fromStdString(wanted.face));
    font.setPixelSize(wanted.pixelSize > 0 ? wanted.pixelSize : 1);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QPen toQPen(const render::Pen& pen)
{
    if (pen.style == render::PenStyle::Null)
        return QPen(Qt::NoPen);
    QPen q(toQColor(pen.colour));
    q.setWidth(pen.width <= 1 ? 1 : pen.width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (pen.style == render::PenStyle::Dotted)
        q.setDashPattern({3, 3});
    return q;
}

QBrush toQBrush(const render::Brush& brush)
{
    return QBrush(toQColor(brush.colour), toQtBrushStyle(brush.style));
}

namespace {

// Qt fills a hatch by tiling its 8 x 8 pattern, blending one tile width at a time: a cell-wide
// flood costs several blends per scan line. The same pattern laid out over a wider tile, drawn
// by Qt itself from the same origin, gives the same pixels in one blend per span. Metafile and
// PDF painters keep the hatch itself, which they write as a hatch.
constexpr int kHatchTileWidth = 256;
constexpr int kHatchPeriod = 8;

QBrush wideHatch(const render::Brush& brush)
{
    QImage tile(kHatchTileWidth, kHatchPeriod, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.fillRect(tile.rect(), toQBrush(brush));
    painter.end();
    return QBrush(tile);
}

bool isHatch(render::BrushStyle style)
{
    return style != render::BrushStyle::Solid && style != render::BrushStyle::Null;
}

} // namespace

QBrush QtSurface::paintingBrush(const render::Brush& brush) const
{
    if (!isHatch(brush.style) || !plainImage_)
        return toQBrush(brush);
    constexpr std::size_t kKeptHatches = 256;
    thread_local std::unordered_map<std::uint64_t, QBrush> kept;
    const std::uint64_t key = (static_cast<std::uint64_t>(brush.style) << 32) | brush.colour;
    if (auto it = kept.find(key); it != kept.end())
        return it->second;
    if (kept.size() >= kKeptHatches)
        kept.clear();
    return kept.emplace(key, wideHatch(brush)).first->second;
}

QtSurface::QtSurface(QPainter& painter, render::Size size) : painter_(painter), size_(size)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    // On a PDF page (an exported document or a printed one) outline-less fills are kept by brush.
    batchFills_ = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Pdf;
    // On an image drawn pixel for pixel (no scaling), the surface takes faster ways to the same
    // pixels: wider hatch tiles, a clip and lines of its own. Qt draws thin lines straight into
    // an image only when a clip rectangle is set; without one each pixel goes through a span
    // fill. Clipping to the whole image leaves every pixel as it was.
    plainImage_ = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster &&
                  painter_.device() && painter_.transform().isIdentity() &&
                  !painter_.testRenderHint(QPainter::NonCosmeticBrushPatterns);
    if (plainImage_ && !painter_.hasClipping()) {
        painter_.setClipRect(QRect(0, 0, painter_.device()->width(), painter_.device()->height()));
        // Horizontal and vertical thin lines, the most of any diagram, are written into the image
        // directly; Qt would take each pixel through its general line stepper.
        auto* image = painter_.device()->devType() == QInternal::Image ? static_cast<QImage*>(painter_.device()) : nullptr;
        if (image && (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied) &&
            painter_.compositionMode() == QPainter::CompositionMode_SourceOver && painter_.opacity() == 1.0)
            // The painter already holds this image's pixels for itself: reading them does not copy.
            imageLines_.emplace(reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(image->constBits())),
                                static_cast<int>(image->bytesPerLine() / 4), image->width(), image->height());
    }
}

QtSurface::~QtSurface()
{
    flush();
}

void QtSurface::flush()
{
    drawFills();
    drawLines();
}

void QtSurface::drawLines()
{
    if (polyline_.size() >= 2) {
        const int count = static_cast<int>(polyline_.size());
        const bool dotted = pen_.style == render::PenStyle::Dotted;
        if (imageLines_ && penSet_ && pen_.width <= 1 && pen_.style != render::PenStyle::Null &&
            imageLines_->handles(polyline_.data(), count, dotted))
            imageLines_->polyline(polyline_.data(), count, toQColor(pen_.colour).rgb(), dotted);
        else
            painter_.drawPolyline(polyline_.data(), count);
    }
    polyline_.clear();
}

void QtSurface::drawFills()
{
    // Kept fills have no outline: setPen draws them before the pen changes, so the painter's pen
    // is still the empty one here.
    if (fills_.empty())
        return;
    for (const FillBatch::Group& group : fills_.take()) {
        painter_.setBrush(paintingBrush(group.brush));
        painter_.drawPath(group.shape);
    }
    painter_.setBrush(paintingBrush(brush_));
}

void QtSurface::setPen(const render::Pen& pen)
{
    if (penSet_ && pen == pen_)
        return;
    flush();
    pen_ = pen;
    penSet_ = true;
    painter_.setPen(toQPen(pen));
}

void QtSurface::setBrush(const render::Brush& brush)
{
    if (brushSet_ && brush == brush_)
        return;
    // Kept fills carry their own brushes and stay kept; lines drawn since come after them.
    if (!polyline_.empty())
        flush();
    brush_ = brush;
    brushSet_ = true;
    painter_.setBrush(paintingBrush(brush));
}

void QtSurface::setFont(const model::FontSpec& font)
{
    if (fontSet_ && font == font_)
        return;
    font_ = font;
    fontSet_ = true;
    painter_.setFont(toQFont(font));
    // The part of the measured-size key that names the font and the device resolution.
    const QPaintDevice* device = painter_.device();
    measuredKey_ = font.face;
    measuredKey_ += '\x1f';
    measuredKey_ += std::to_string(font.pixelSize) + (font.bold ? "b" : "") + (font.italic ? "i" : "") +
                    (font.underline ? "u" : "");
    measuredKey_ += '\x1f';
    measuredKey_ += std::to_string(device ? device->logicalDpiX() : 0) + "," +
                    std::to_string(device ? device->logicalDpiY() : 0);
    measuredKey_ += '\x1f';
    fontKeyLength_ = measuredKey_.size();
}

void QtSurface::setTextColour(model::Colour colour)
{
    textColour_ = toQColor(colour);
}

void QtSurface::moveTo(int x, int y)
{
    at_ = QPoint(x, y);
}

void QtSurface::lineTo(int x, int y)
{
    const QPoint to(x, y);
    if (to == at_)
        return;
    if (polyline_.empty() || polyline_.back() != at_) {
        flush();
        polyline_.push_back(at_);
    }
    polyline_.push_back(to);
    at_ = to;
}

void QtSurface::polygon(const render::Point* points, std::size_t count)
{
    if (batchFills_ && penSet_ && brushSet_ && pen_.style == render::PenStyle::Null &&
        FillBatch::keepable(points, count)) {
        // Lines drawn since the kept fills come after them: both go out before this fill.
        if (!polyline_.empty())
            flush();
        if (!fills_.add(points, count, brush_)) {
            drawFills();
            fills_.add(points, count, brush_);
        }
        if (fills_.full())
            drawFills();
        return;
    }
    flush();
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    painter_.drawPolygon(poly);
}

void QtSurface::bezier(const render::Point* points, std::size_t count)
{
    flush();
    if (count < 4)
        return;
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (std::size_t i = 1; i + 2 < count; i += 3)
        path.cubicTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x, points[i + 2].y);
    painter_.strokePath(path, painter_.pen());
}

void QtSurface::rectangle(const render::Rect& r)
{
    flush();
    painter_.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
}

void QtSurface::roundRect(const render::Rect& r, int cornerWidth, int cornerHeight)
{
    flush();
    painter_.drawRoundedRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1), cornerWidth / 2.0,
                             cornerHeight / 2.0);
}

void QtSurface::fillRect(const render::Rect& r, const render::Brush& brush)
{
    flush();
    if (r.empty() || brush.style == render::BrushStyle::Null)
        return;
    painter_.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), paintingBrush(brush));
}

void QtSurface::textOut(int x, int y, std::string_view text)
{
    flush();
    const QPen pen = painter_.pen();
    painter_.setPen(textColour_);
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), toQString(text));
    painter_.setPen(pen);
}

// Shaping a text to measure it is among the costliest steps of a redraw, and every redraw
// measures the same cycle labels, names and text boxes again: the sizes are kept per font,
// device resolution and text. A measurement depends on nothing else, so what is drawn stays
// the same.
render::Size QtSurface::textExtent(std::string_view text)
{
    constexpr std::size_t kKeptSizes = 8192;
    thread_local std::unordered_map<std::string, render::Size> kept;
    auto measure = [this, text] {
        const QFontMetrics metrics = painter_.fontMetrics();
        return render::Size{metrics.horizontalAdvance(toQString(text)), metrics.height()};
    };
    if (!fontSet_) // the painter's own font: not one of ours, not kept
        return measure();
    std::string& key = measuredKey_;
    key.resize(fontKeyLength_);
    key += text;
    if (auto it = kept.find(key); it != kept.end())
        return it->second;
    const render::Size size = measure();
    if (kept.size() >= kKeptSizes)
        kept.clear();
    kept.emplace(key, size);
    return size;
}

} // namespace sigmora::app

namespace sigmora::app {

namespace {

QImage transparentWhite(const QString& resource)
{
    QImage image = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
        }
    }
    return image;
}

} // namespace

const QImage& hintImage(render::Picture)
{
    static const QImage drawHint = transparentWhite(":/hints/draw-hint.png");
    return drawHint;
}

const QImage& startHintImage()
{
    static const QImage startHint(":/hints/start-hint.png");
    return startHint;
}

render::FontLeading QtSurface::fontLeading()
{
    const QFontMetrics metrics = painter_.fontMetrics();
    return {std::max(0, metrics.height() - painter_.font().pixelSize()), std::max(0, metrics.leading())};
}

void QtSurface::picture(render::Picture which, int x, int y)
{
    flush();
    painter_.drawImage(QPoint(x, y), hintImage(which));
}

} // namespace sigmora::app
