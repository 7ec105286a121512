#include "render/RecordingSurface.h"

namespace sigmora::render {

void RecordingSurface::lineTo(int x, int y)
{
    segments_.push_back({at_, {x, y}, pen_});
    at_ = {x, y};
}

void RecordingSurface::polygon(const Point* points, std::size_t count)
{
    shapes_.push_back({"polygon", std::vector<Point>(points, points + count), pen_, brush_});
}

void RecordingSurface::bezier(const Point* points, std::size_t count)
{
    shapes_.push_back({"bezier", std::vector<Point>(points, points + count), pen_, brush_});
}

void RecordingSurface::rectangle(const Rect& r)
{
    shapes_.push_back({"rectangle", {{r.left, r.top}, {r.right, r.bottom}}, pen_, brush_});
}

void RecordingSurface::roundRect(const Rect& r, int cornerWidth, int cornerHeight)
{
    shapes_.push_back({"roundRect", {{r.left, r.top}, {r.right, r.bottom}, {cornerWidth, cornerHeight}}, pen_, brush_});
}

void RecordingSurface::fillRect(const Rect& r, const Brush& brush)
{
    shapes_.push_back({"fillRect", {{r.left, r.top}, {r.right, r.bottom}}, Pen::none(), brush});
}

void RecordingSurface::textOut(int x, int y, std::string_view text)
{
    texts_.push_back({{x, y}, std::string(text), font_, textColour_});
}

Size RecordingSurface::textExtent(std::string_view text)
{
    return {static_cast<int>(text.size()) * charWidth, lineHeight};
}

void RecordingSurface::clear()
{
    segments_.clear();
    texts_.clear();
    shapes_.clear();
}

} // namespace sigmora::render
