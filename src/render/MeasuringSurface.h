#pragma once

#include "model/TextMeasurer.h"
#include "render/Surface.h"

namespace sigmora::render {

// A surface that draws nothing and measures text with a text measurer: the full redraw runs on
// it when only its SVG elements are wanted, with no picture to fill.
class MeasuringSurface : public Surface {
public:
    MeasuringSurface(const model::TextMeasurer& measurer, Size size) : measurer_(measurer), size_(size) {}

    Size size() const override { return size_; }
    void setPen(const Pen&) override {}
    void setBrush(const Brush&) override {}
    void setFont(const FontSpec& font) override { font_ = font; }
    void setTextColour(Colour) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void polygon(const Point*, std::size_t) override {}
    void bezier(const Point*, std::size_t) override {}
    void rectangle(const Rect&) override {}
    void roundRect(const Rect&, int, int) override {}
    void fillRect(const Rect&, const Brush&) override {}
    void textOut(int, int, std::string_view) override {}
    Size textExtent(std::string_view text) override
    {
        return {measurer_.textWidth(text, font_), measurer_.lineHeight(font_)};
    }

private:
    const model::TextMeasurer& measurer_;
    Size size_;
    FontSpec font_;
};

} // namespace sigmora::render
