#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <string>
#include <optional>
#include <vector>

#include "app/platform/FillBatch.h"
#include "app/platform/ImageLines.h"
#include "render/Surface.h"

namespace sigmora::app {

QColor toQColor(model::Colour colour);
QFont toQFont(const model::FontSpec& font);

// The drawing surface on a QPainter: the screen image, a printer page or a picture file.
// Consecutive lines are collected and drawn as one polyline; on a vector page (a PDF document, a
// printer) outline-less fills are kept and filled together by brush where no pixel can tell
// (see FillBatch). Nothing else changes on the way.
class QtSurface : public render::Surface {
public:
    QtSurface(QPainter& painter, render::Size size);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    render::Size size() const override { return size_; }
    void setPen(const render::Pen& pen) override;
    void setBrush(const render::Brush& brush) override;
    void setFont(const model::FontSpec& font) override;
    void setTextColour(model::Colour colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polygon(const render::Point* points, std::size_t count) override;
    void bezier(const render::Point* points, std::size_t count) override;
    void rectangle(const render::Rect& rect) override;
    void roundRect(const render::Rect& rect, int cornerWidth, int cornerHeight) override;
    void fillRect(const render::Rect& rect, const render::Brush& brush) override;
    void textOut(int x, int y, std::string_view text) override;
    render::Size textExtent(std::string_view text) override;
    render::FontLeading fontLeading() override;
    void picture(render::Picture picture, int x, int y) override;

    // Draws any fills and lines still kept; called before the painter is used elsewhere.
    void flush();

private:
    void drawLines();
    void drawFills();

    // The brush as this painter fills with it: hatches on a raster image use a wider tile.
    QBrush paintingBrush(const render::Brush& brush) const;

    QPainter& painter_;
    bool plainImage_ = false; // a raster image without scaling: the fast paths of Qt hold
    render::Size size_;
    render::Pen pen_;
    bool penSet_ = false;
    render::Brush brush_;
    bool brushSet_ = false;
    model::FontSpec font_;
    bool fontSet_ = false;
    std::string measuredKey_; // the font's part of the key of kept text sizes, then the text
    std::size_t fontKeyLength_ = 0;
    QColor textColour_;
    QPoint at_;
    std::vector<QPoint> polyline_;
    bool batchFills_ = false; // a vector page: fills are kept in fills_
    FillBatch fills_;
    std::optional<ImageLines> imageLines_; // thin lines written straight into a plain image
};

QBrush toQBrush(const render::Brush& brush);

// The picture resources, white made transparent.
const QImage& hintImage(render::Picture picture);
const QImage& startHintImage();
QPen toQPen(const render::Pen& pen);

} // namespace sigmora::app
