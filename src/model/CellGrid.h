#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace sigmora::model {

inline constexpr int kMaxRows = 256;
inline constexpr int kMaxCells = 600;

// A 256 x 600 grid of integers, one row per signal index, one entry per cell.
// Reads outside the grid answer 0; writes outside it are ignored.
class CellGrid {
public:
    CellGrid();
    CellGrid(const CellGrid& other);
    CellGrid& operator=(const CellGrid& other);

    std::int32_t get(int row, int cell) const
    {
        return inside(row, cell) ? cells_[index(row, cell)] : 0;
    }
    void set(int row, int cell, std::int32_t value)
    {
        if (inside(row, cell))
            cells_[index(row, cell)] = value;
    }
    // The 600 entries of a row; nullptr outside the grid.
    const std::int32_t* row(int row) const { return rowInside(row) ? &cells_[index(row, 0)] : nullptr; }
    std::int32_t* row(int row) { return rowInside(row) ? &cells_[index(row, 0)] : nullptr; }

    void clearRow(int row);
    void clear();

    static bool inside(int row, int cell) { return rowInside(row) && cell >= 0 && cell < kMaxCells; }
    static bool rowInside(int row) { return row >= 0 && row < kMaxRows; }

private:
    static size_t index(int row, int cell) { return static_cast<size_t>(row) * kMaxCells + static_cast<size_t>(cell); }
    std::unique_ptr<std::int32_t[]> cells_;
};

} // namespace sigmora::model
