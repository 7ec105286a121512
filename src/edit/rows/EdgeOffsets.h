#pragma once

#include <string_view>

#include "model/CellGrid.h"

namespace sigmora::edit {

// Moving the edges of one row of the edge offset table by whole pixels. The edge at the left of
// column k sits at the accumulated offset of entries 0 to k + 1; moving it adds to entry k + 1
// and takes the same from entry k + 2, so a row's entries always sum to 0.

// The last column whose left edge can be moved: entry k + 2 must lie inside the row.
inline constexpr int kLastMovableEdge = model::kMaxCells - 3;

// Sum of entries 0 to column + 1 of the row.
int accumulatedOffset(const model::CellGrid& offsets, int row, int column);

// The horizontal run of an edge as the edge tests use it: 1 for a row with ideal edges, else
// slantWidth.
int edgeRun(std::string_view rowRecord, int slantWidth);

// The latest offset an edge may be delayed to: cellWidth − run − 1.
inline int delayLimit(int cellWidth, int run)
{
    return cellWidth - run - 1;
}

// One edge one pixel later when its offset is at most limit, or one pixel earlier when its
// offset is above 0. Answers whether it moved.
bool delayEdge(model::CellGrid& offsets, int row, int column, int limit);
bool advanceEdge(model::CellGrid& offsets, int row, int column);

// Every edge of the columns first ... last (bounded to the movable ones) by one pixel, from left
// to right, each test seeing the entries as already changed.
void shiftEdges(model::CellGrid& offsets, int row, int first, int last, int limit, bool later);

// Moves n pixels from entry column + 1 to entry column + 2 (negative n moves the edge earlier).
void moveEdgeBy(model::CellGrid& offsets, int row, int column, int n);

// A row whose entries no longer sum to 0 is put back to no offsets at all. Answers whether it was.
bool resetUnbalancedRow(model::CellGrid& offsets, int row);

} // namespace sigmora::edit
