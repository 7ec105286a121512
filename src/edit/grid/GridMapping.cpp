#include "edit/grid/GridMapping.h"

#include <algorithm>

namespace sigmora::edit {

GridMapping GridMapping::of(const model::Diagram& diagram)
{
    return GridMapping(render::Layout::from(diagram.settings), diagram.store.signalCount());
}

int GridMapping::bandTop(int signalIndex) const
{
    return l_.rowPitch() * l_.displayRow(signalIndex) + l_.topMargin - l_.signalHeight / 2;
}

std::optional<int> GridMapping::bandRowAt(int y) const
{
    const int row = rowAt(y);
    if (row < 0 || row >= signalCount_)
        return std::nullopt;
    const int b = bandTop(row);
    if (b < y && y < b + 2 * l_.signalHeight)
        return row;
    return std::nullopt;
}

bool GridMapping::inUpperHalf(int signalIndex, int y) const
{
    const int b = bandTop(signalIndex);
    return b < y && y < (b + (b + 2 * l_.signalHeight)) / 2;
}

int GridMapping::lastEditableCell() const
{
    return l_.cellWidth > 0 ? l_.waveformWidth / l_.cellWidth + l_.firstVisibleCell - 2 : -1;
}

int GridMapping::bottom() const
{
    return l_.topMargin + signalCount_ * l_.signalSpacing + signalCount_ * 2 * l_.signalHeight;
}

int GridMapping::rowWithinSignals(int y) const
{
    return std::clamp(rowAt(y), 0, std::max(0, signalCount_ - 1));
}

} // namespace sigmora::edit
