#include "model/CellGrid.h"

#include <algorithm>

namespace sigmora::model {

namespace {
constexpr size_t kSize = static_cast<size_t>(kMaxRows) * kMaxCells;
}

CellGrid::CellGrid() : cells_(new std::int32_t[kSize]())
{
}

CellGrid::CellGrid(const CellGrid& other) : cells_(new std::int32_t[kSize])
{
    std::copy_n(other.cells_.get(), kSize, cells_.get());
}

CellGrid& CellGrid::operator=(const CellGrid& other)
{
    if (this != &other)
        std::copy_n(other.cells_.get(), kSize, cells_.get());
    return *this;
}

void CellGrid::clearRow(int r)
{
    if (auto* p = row(r))
        std::fill_n(p, kMaxCells, 0);
}

void CellGrid::clear()
{
    std::fill_n(cells_.get(), kSize, 0);
}

} // namespace sigmora::model
