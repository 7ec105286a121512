#pragma once

#include <memory>
#include <string>

#include "io/pictures/GdiRecordSurface.h"

namespace sigmora::io {

// An enhanced metafile as a drawing surface, written through libEMF. The picture's frame runs
// from the origin to extent (view pixels), given in hundredths of a millimetre with the
// reference display's size and resolution; its description is "Sigmora". libEMF has no rounded
// rectangles, so they are drawn as polygons; pictures are left out.
class EmfSurface : public GdiRecordSurface {
public:
    EmfSurface(const model::TextMeasurer& measurer, render::Size extent);
    ~EmfSurface() override;
    EmfSurface(const EmfSurface&) = delete;
    EmfSurface& operator=(const EmfSurface&) = delete;

    // Closes the metafile and answers its bytes; empty when it could not be made.
    std::string finish();

    // The reference display the frame is measured with: its width in millimetres and pixels.
    static int referenceWidthMillimetres();
    static int referenceWidthPixels();

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
    struct Gdi;
    std::unique_ptr<Gdi> gdi_;
};

} // namespace sigmora::io
