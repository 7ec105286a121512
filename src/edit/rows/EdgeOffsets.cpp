#include "edit/rows/EdgeOffsets.h"

#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

constexpr int kIdealEdgeRun = 1;

bool movable(int column)
{
    return column >= 0 && column <= kLastMovableEdge;
}

} // namespace

int accumulatedOffset(const model::CellGrid& offsets, int row, int column)
{
    long long sum = 0;
    for (int i = 0; i <= column + 1 && i < model::kMaxCells; ++i)
        sum += offsets.get(row, i);
    return static_cast<int>(sum);
}

int edgeRun(std::string_view rowRecord, int slantWidth)
{
    return model::signal::ideal(rowRecord) == 1 ? kIdealEdgeRun : slantWidth;
}

void moveEdgeBy(model::CellGrid& offsets, int row, int column, int n)
{
    if (!movable(column))
        return;
    offsets.set(row, column + 1, offsets.get(row, column + 1) + n);
    offsets.set(row, column + 2, offsets.get(row, column + 2) - n);
}

bool delayEdge(model::CellGrid& offsets, int row, int column, int limit)
{
    if (!movable(column) || accumulatedOffset(offsets, row, column) > limit)
        return false;
    moveEdgeBy(offsets, row, column, 1);
    return true;
}

bool advanceEdge(model::CellGrid& offsets, int row, int column)
{
    if (!movable(column) || accumulatedOffset(offsets, row, column) <= 0)
        return false;
    moveEdgeBy(offsets, row, column, -1);
    return true;
}

void shiftEdges(model::CellGrid& offsets, int row, int first, int last, int limit, bool later)
{
    if (first < 0)
        first = 0;
    if (last > kLastMovableEdge)
        last = kLastMovableEdge;
    if (first > last || !model::CellGrid::rowInside(row))
        return;
    // The accumulated offset is carried along instead of summed again for every column.
    long long sum = accumulatedOffset(offsets, row, first);
    for (int k = first; k <= last; ++k) {
        const bool moves = later ? sum <= limit : sum > 0;
        if (moves) {
            moveEdgeBy(offsets, row, k, later ? 1 : -1);
            sum += later ? 1 : -1;
        }
        sum += offsets.get(row, k + 2);
    }
}

bool resetUnbalancedRow(model::CellGrid& offsets, int row)
{
    const std::int32_t* entries = offsets.row(row);
    if (!entries)
        return false;
    long long sum = 0;
    for (int i = 0; i < model::kMaxCells; ++i)
        sum += entries[i];
    if (sum == 0)
        return false;
    offsets.clearRow(row);
    return true;
}

} // namespace sigmora::edit
