#pragma once

#include <QPainterPath>
#include <cstddef>
#include <vector>

#include "render/Geometry.h"
#include "render/Pen.h"

namespace sigmora::app {

// Outline-less fills on a vector page, kept to be filled together by brush. A PDF page writes the
// whole drawing state for every fill, and a hatch a new pattern object each time: a row of cells
// flooded in alternating hatches took most of a document's time. Fills of one brush go into one
// shape, drawn where that brush's first fill was, so a fill moves ahead of the fills of other
// brushes that came before it. It may only where the order cannot show: its bounds stay at least
// kSeparation units clear of each fill it passes (so no smoothed edge pixel is shared while the
// page is shown at half its size or larger), and it is a simple polygon (the shapes of a brush all
// go round one way and are filled by the nonzero rule, which fills a simple polygon as the painter
// fills it alone). A fill that may not move ends the batch: what is kept is drawn first. Touching
// fills of one brush become one shape: a viewer that smooths edges no longer shows a seam between
// them.
class FillBatch {
public:
    static constexpr int kSeparation = 2;
    static constexpr std::size_t kMaxKept = 128; // bounds the checks each fill makes

    struct Group {
        render::Brush brush;
        QPainterPath shape;
    };

    // Adds the fill if it may join the batch; false when the batch must be drawn first (then the
    // fill is added to the empty batch, or, when it is no simple polygon, is to be drawn alone).
    bool add(const render::Point* points, std::size_t count, const render::Brush& brush);
    // Whether a fill of this polygon may be kept at all (a simple polygon of three corners or more).
    static bool keepable(const render::Point* points, std::size_t count);

    bool empty() const { return kept_.empty(); }
    bool full() const { return kept_.size() >= kMaxKept; }
    // The groups in the order they are to be drawn; the batch is empty afterwards.
    std::vector<Group> take();

private:
    struct Box {
        int left, top, right, bottom;
    };
    struct Kept {
        std::size_t group;
        Box box;
    };
    static Box boundsOf(const render::Point* points, std::size_t count);
    static bool apart(const Box& a, const Box& b);
    void append(std::size_t group, const render::Point* points, std::size_t count, const Box& box);

    std::vector<Group> groups_;
    std::vector<Kept> kept_;
};

} // namespace sigmora::app
