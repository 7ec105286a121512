#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "io/pictures/GdiRecordSurface.h"

namespace sigmora::io {

// A classic Windows metafile as a drawing surface: our own record writer. The file starts with
// the placeable header (bounding box from the origin to extent, 96 units an inch, so that one
// unit is one view pixel), then the metafile header and the records; coordinates are 16-bit, so
// they are held within -32768 ... 32767. Béziers are written as polylines (the format has no
// curves); text is written in the Windows Latin-1 code page, other characters as '?'.
class WmfSurface : public GdiRecordSurface {
public:
    WmfSurface(const model::TextMeasurer& measurer, render::Size extent);

    // The whole file: headers, records and the closing record.
    std::string finish();

protected:
    void selectPen(const render::Pen& pen) override;
    void selectBrush(const render::Brush& brush) override;
    void selectFont(const model::FontSpec& font) override;
    void selectTextColour(model::Colour colour) override;
    void recordPolyline(const render::Point* points, std::size_t count) override;
    void recordPolygon(const render::Point* points, std::size_t count) override;
    void recordBezier(const render::Point* points, std::size_t count) override;
    void recordRectangle(const render::Rect& rect) override;
    void recordRoundRect(const render::Rect& rect, int cornerWidth, int cornerHeight) override;
    void recordText(int x, int y, std::string_view text) override;

private:
    // One record: its function number and its parameters, 16-bit words.
    void record(std::uint16_t function, const std::vector<std::uint16_t>& words);
    void points(std::uint16_t function, const render::Point* points, std::size_t count);
    // Creates an object in the lowest free slot of the object table, selects it and deletes
    // the object it replaces (held: the slot of that kind's current object, or -1).
    void replaceObject(int& held, std::uint16_t createFunction, const std::vector<std::uint16_t>& words);
    // Selects the current pen again after a filled shape: some readers (Inkscape) lose the pen
    // after a shape filled in the pen's own colour and draw the following lines without it.
    void reselectPen();

    render::Size extent_;
    std::string records_;
    std::vector<bool> slots_;
    std::size_t largestRecordWords_ = 0;
    int pen_ = -1;
    int brush_ = -1;
    int font_ = -1;
};

} // namespace sigmora::io
