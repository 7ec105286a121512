#pragma once

namespace sigmora::render {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// A rectangle by its edges, right and bottom exclusive as on the drawing surfaces.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
    bool empty() const { return right <= left || bottom <= top; }
};

} // namespace sigmora::render
