#include "edit/annotations/AnnotationPoints.h"

#include "model/RecordFields.h"
#include "render/AnnotationPlacer.h"

namespace sigmora::edit {

namespace {

constexpr int kRoundStep = 5;

} // namespace

std::string pointText(const model::Diagram& diagram, int cell, int row, const char* fallbackName)
{
    const model::RecordList& rows = diagram.store.signals();
    std::string name;
    if (row >= rows.count() && fallbackName)
        name = fallbackName;
    else if (rows.count() > 0)
        name = model::fields::nameOfRow(rows.get(row < 0 ? 0 : row >= rows.count() ? rows.count() - 1 : row));
    return std::to_string(cell) + "." + name + ".";
}

int unscrolledX(const render::Layout& layout, int x)
{
    return x + layout.cellWidth * layout.firstVisibleCell;
}

int unscrolledY(const render::Layout& layout, int y)
{
    return y + layout.rowPitch() * layout.firstVisibleSignal();
}

int roundToFive(int v)
{
    int r = v % kRoundStep;
    if (r < 0)
        r += kRoundStep;
    return r <= 2 ? v - r : v + (kRoundStep - r);
}

AnchorPoint anchorPoint(const model::Diagram& diagram, int cell, int row, int anchor)
{
    // The drawing's own endpoint rule, on a layout scrolled to the top left.
    render::Layout unscrolled = render::Layout::from(diagram.settings);
    unscrolled.firstVisibleCell = 0;
    unscrolled.verticalScroll = 0;
    const render::AnnotationPlacer placer(diagram, unscrolled);
    const render::Point p = placer.place({cell, row, anchor == render::kAnchorFloating ? render::kAnchorMiddle : anchor, {}});
    return {p.x, p.y};
}

} // namespace sigmora::edit
