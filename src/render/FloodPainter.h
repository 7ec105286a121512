#pragma once

#include <string_view>

#include "render/RedrawContext.h"

namespace sigmora::render {

// Draws the flood fills of the visible cells: solid or hatched bands in the row's fill colour
// whose left side follows the transition at the cell's boundary, so that two neighbouring fill
// styles tile the column along the edge.
class FloodPainter {
public:
    explicit FloodPainter(RedrawContext& ctx) : ctx_(ctx) {}

    void drawAll();
    void drawRow(int signalIndex, int top);

    // The brush of a flood style (1 solid, 2 to 7 hatched) in the fill colour; nullopt for 0 and
    // for styles no diagram has.
    static std::optional<Brush> brushFor(int style, Colour fill);

private:
    struct Band;
    void drawCell(const Band& band);
    void fill(const Point* points, size_t count, const Brush& brush, Colour colour);

    RedrawContext& ctx_;
};

} // namespace sigmora::render
