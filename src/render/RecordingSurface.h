#pragma once

#include <string>
#include <vector>

#include "render/Surface.h"

namespace sigmora::render {

// A surface that remembers what was drawn on it, for checking the exact drawing of a redraw.
// Text is measured with fixed metrics: charWidth pixels a character, lineHeight pixels a line.
class RecordingSurface : public Surface {
public:
    struct Segment {
        Point from;
        Point to;
        Pen pen;
        bool operator==(const Segment&) const = default;
    };
    struct Text {
        Point at;
        std::string text;
        FontSpec font;
        Colour colour = 0;
    };
    struct Shape {
        std::string kind; // "polygon", "bezier", "rectangle", "roundRect", "fillRect"
        std::vector<Point> points;
        Pen pen;
        Brush brush;
    };

    explicit RecordingSurface(Size size = {1920, 1080}) : size_(size) {}

    int charWidth = 7;
    int lineHeight = 16;
    FontLeading leading;

    Size size() const override { return size_; }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush& brush) override { brush_ = brush; }
    void setFont(const FontSpec& font) override { font_ = font; }
    void setTextColour(Colour colour) override { textColour_ = colour; }
    void moveTo(int x, int y) override { at_ = {x, y}; }
    void lineTo(int x, int y) override;
    void polygon(const Point* points, std::size_t count) override;
    void bezier(const Point* points, std::size_t count) override;
    void rectangle(const Rect& rect) override;
    void roundRect(const Rect& rect, int cornerWidth, int cornerHeight) override;
    void fillRect(const Rect& rect, const Brush& brush) override;
    void textOut(int x, int y, std::string_view text) override;
    Size textExtent(std::string_view text) override;
    FontLeading fontLeading() override { return leading; }
    void picture(Picture, int x, int y) override { shapes_.push_back({"picture", {{x, y}}, pen_, brush_}); }

    const std::vector<Segment>& segments() const { return segments_; }
    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<Shape>& shapes() const { return shapes_; }
    void clear();

private:
    Size size_;
    Pen pen_;
    Brush brush_;
    FontSpec font_;
    Colour textColour_ = 0;
    Point at_;
    std::vector<Segment> segments_;
    std::vector<Text> texts_;
    std::vector<Shape> shapes_;
};

} // namespace sigmora::render
