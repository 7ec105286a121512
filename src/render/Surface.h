#pragma once

#include <cstddef>
#include <string_view>

#include "model/FontSpec.h"
#include "render/Geometry.h"
#include "render/Pen.h"

namespace sigmora::render {

using model::FontSpec;

// The leading of the current font: the room above the letters inside the line height, and the
// room the font asks between lines.
struct FontLeading {
    int internal = 0;
    int external = 0;
};

// The pictures a redraw may place: the hint balloon shown while the diagram is being started.
enum class Picture { DrawHint };

// What the full redraw draws on: the screen image, a printer page, a bitmap, a metafile, or a
// recording in tests. Lines follow a current position like a pen on paper: moveTo lifts it,
// lineTo draws from it. Shapes are outlined with the pen and filled with the brush.
class Surface {
public:
    virtual ~Surface() = default;

    // The full drawing area in pixels; the redraw clears it first.
    virtual Size size() const = 0;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    virtual void setTextColour(Colour colour) = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void polygon(const Point* points, std::size_t count) = 0;
    virtual void bezier(const Point* points, std::size_t count) = 0;
    virtual void rectangle(const Rect& rect) = 0;
    virtual void roundRect(const Rect& rect, int cornerWidth, int cornerHeight) = 0;
    virtual void fillRect(const Rect& rect, const Brush& brush) = 0;
    // Text with its top-left corner at (x, y), in the current font and text colour, on a
    // transparent background.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // Width and line height of text in the current font.
    virtual Size textExtent(std::string_view text) = 0;
    virtual FontLeading fontLeading() { return {}; }
    // A picture with its top-left corner at (x, y), white left transparent. Surfaces that
    // cannot show pictures leave it out.
    virtual void picture(Picture, int, int) {}
};

} // namespace sigmora::render
