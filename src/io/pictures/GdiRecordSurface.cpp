#include "io/pictures/GdiRecordSurface.h"

#include <algorithm>

namespace sigmora::io {

GdiRecordSurface::GdiRecordSurface(const model::TextMeasurer& measurer, render::Size size)
    : measurer_(measurer), size_(size)
{
}

void GdiRecordSurface::usePen(const render::Pen& pen)
{
    if (selectedPen_ != pen) {
        selectPen(pen);
        selectedPen_ = pen;
    }
}

void GdiRecordSurface::useBrush(const render::Brush& brush)
{
    if (selectedBrush_ != brush) {
        selectBrush(brush);
        selectedBrush_ = brush;
    }
}

void GdiRecordSurface::setPen(const render::Pen& pen)
{
    if (pen != pen_)
        flushLines();
    pen_ = pen;
}

void GdiRecordSurface::moveTo(int x, int y)
{
    at_ = {x, y};
}

void GdiRecordSurface::lineTo(int x, int y)
{
    const render::Point to{x, y};
    if (polyline_.empty() || polyline_.back() != at_) {
        flushLines();
        polyline_.push_back(at_);
    }
    polyline_.push_back(to);
    at_ = to;
}

void GdiRecordSurface::flushLines()
{
    if (polyline_.size() >= 2) {
        usePen(pen_);
        recordPolyline(polyline_.data(), polyline_.size());
    }
    polyline_.clear();
}

void GdiRecordSurface::polygon(const render::Point* points, std::size_t count)
{
    flushLines();
    if (count < 2)
        return;
    usePen(pen_);
    useBrush(brush_);
    recordPolygon(points, count);
}

void GdiRecordSurface::bezier(const render::Point* points, std::size_t count)
{
    flushLines();
    if (count < 4)
        return;
    usePen(pen_);
    recordBezier(points, count - (count - 1) % 3);
}

void GdiRecordSurface::rectangle(const render::Rect& rect)
{
    flushLines();
    usePen(pen_);
    useBrush(brush_);
    recordRectangle(rect);
}

void GdiRecordSurface::roundRect(const render::Rect& rect, int cornerWidth, int cornerHeight)
{
    flushLines();
    usePen(pen_);
    useBrush(brush_);
    recordRoundRect(rect, cornerWidth, cornerHeight);
}

void GdiRecordSurface::fillRect(const render::Rect& r, const render::Brush& brush)
{
    flushLines();
    if (r.empty() || brush.style == render::BrushStyle::Null)
        return;
    usePen(render::Pen::none());
    useBrush(brush);
    // Without a pen a rectangle covers one pixel less to the right and below.
    recordRectangle({r.left, r.top, r.right + 1, r.bottom + 1});
}

void GdiRecordSurface::textOut(int x, int y, std::string_view text)
{
    flushLines();
    if (text.empty())
        return;
    if (selectedFont_ != font_) {
        selectFont(font_);
        selectedFont_ = font_;
    }
    if (selectedTextColour_ != textColour_) {
        selectTextColour(textColour_);
        selectedTextColour_ = textColour_;
    }
    recordText(x, y, text);
}

render::Size GdiRecordSurface::textExtent(std::string_view text)
{
    return {measurer_.textWidth(text, font_), measurer_.lineHeight(font_)};
}

render::FontLeading GdiRecordSurface::fontLeading()
{
    return {std::max(0, measurer_.lineHeight(font_) - font_.pixelSize), 0};
}

} // namespace sigmora::io
