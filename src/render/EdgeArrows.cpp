#include "render/EdgeArrows.h"

namespace sigmora::render {

std::array<Point, 3> risingArrow(int c, int s, int y, int h)
{
    if (s == 0)
        return {{{c - 3, y + h / 2}, {c + 3, y + h / 2}, {c, y + h / 4 - 1}}};
    const int f = c + s / 2;
    return {{{f - 3, y + h / 2}, {f + 3, y + h / 2 + 2}, {f + 3, y + h / 4 - 1}}};
}

std::array<Point, 3> fallingArrow(int c, int s, int y, int h)
{
    if (s == 0)
        return {{{c - 3, y + h / 4}, {c + 3, y + h / 4}, {c, y + h / 2 + 1}}};
    const int f = c + s / 2;
    return {{{f - 5, y + h / 4 + 1}, {f + 1, y + h / 4 - 1}, {f + 1, y + h / 2 + 2}}};
}

} // namespace sigmora::render
