#pragma once

#include <optional>
#include <vector>

#include "model/TextMeasurer.h"
#include "render/Surface.h"

namespace sigmora::io {

// The common part of the metafile surfaces: the drawing calls become records of a Windows
// picture format. Consecutive lines are collected and written as one polyline (readers then
// never take them for the outline of a filled shape). Pens, brushes and fonts are selected into the picture only when a shape that
// uses them is drawn, and only when they differ from the ones selected; a filled rectangle is a
// rectangle with the null pen. Text is measured with the text measurer, since a metafile cannot
// measure anything.
class GdiRecordSurface : public render::Surface {
public:
    GdiRecordSurface(const model::TextMeasurer& measurer, render::Size size);

    render::Size size() const override { return size_; }
    void setPen(const render::Pen& pen) override;
    void setBrush(const render::Brush& brush) override { brush_ = brush; }
    void setFont(const model::FontSpec& font) override { font_ = font; }
    void setTextColour(model::Colour colour) override { textColour_ = colour; }
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

protected:
    // Writes the lines still collected; the subclasses call it before they close the picture.
    void flushLines();

    // Each creates the object, selects it and deletes the one it replaces.
    virtual void selectPen(const render::Pen& pen) = 0;
    virtual void selectBrush(const render::Brush& brush) = 0;
    virtual void selectFont(const model::FontSpec& font) = 0;
    virtual void selectTextColour(model::Colour colour) = 0;

    virtual void recordPolyline(const render::Point* points, std::size_t count) = 0;
    virtual void recordPolygon(const render::Point* points, std::size_t count) = 0;
    virtual void recordBezier(const render::Point* points, std::size_t count) = 0;
    // Outlined with the pen, so that a one-pixel pen covers left ... right - 1.
    virtual void recordRectangle(const render::Rect& rect) = 0;
    virtual void recordRoundRect(const render::Rect& rect, int cornerWidth, int cornerHeight) = 0;
    // Text with its top-left corner at (x, y), UTF-8.
    virtual void recordText(int x, int y, std::string_view text) = 0;

private:
    void usePen(const render::Pen& pen);
    void useBrush(const render::Brush& brush);

    const model::TextMeasurer& measurer_;
    render::Size size_;
    render::Pen pen_;
    render::Brush brush_;
    model::FontSpec font_;
    model::Colour textColour_ = model::kBlack;
    std::optional<render::Pen> selectedPen_;
    std::optional<render::Brush> selectedBrush_;
    std::optional<model::FontSpec> selectedFont_;
    std::optional<model::Colour> selectedTextColour_;
    render::Point at_;
    std::vector<render::Point> polyline_;
};

} // namespace sigmora::io
