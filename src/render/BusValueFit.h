#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Diagram.h"
#include "render/DrawnColumns.h"
#include "render/Layout.h"
#include "render/Surface.h"

namespace sigmora::render {

// Bus values kept within their runs. A one-line text box that is no label's caption, whose middle
// lies in a row's band and whose left edge lies on a run of that row's bus value (from half a cell
// before the run's first change to half a cell before the change that ends it, where the exports
// look for a run's value) and is wider than from its left edge to where the run ends is shortened
// with an ellipsis and drawn between the run's two changes, clear of their slants. A value of nothing but x digits (or z digits), 0x
// before them or not, is drawn as one x (or z).
class BusValueFit {
public:
    // layout: the diagram's own, unscrolled; the stored places of text boxes are in its terms.
    BusValueFit(const model::Diagram& d, const Layout& layout);

    // Where the changes that begin and end the bus run a box stands on are drawn, or nullopt
    // when it stands on none.
    struct Run {
        long long begin = 0;
        long long end = 0;
    };
    std::optional<Run> runUnder(long long left, long long top, long long bottom);
    int slantWidth() const { return layout_.slantWidth; }

    // The text shown for a value: all-x or all-z values as one letter, others as they stand.
    static std::string_view shownValue(std::string_view text);

private:
    const ColumnEdges& edgesOf(int row);

    const model::Diagram& diagram_;
    Layout layout_;
    int columns_ = 0;
    std::vector<std::optional<ColumnEdges>> edges_; // by row, made when first asked for
};

// The longest start of text, by whole characters, that fits into room pixels in the surface's
// font with an ellipsis after it; the ellipsis alone when no character fits with it, and nothing
// when not even the ellipsis fits.
std::string shortenedToFit(Surface& surface, std::string_view text, long long room);

} // namespace sigmora::render
