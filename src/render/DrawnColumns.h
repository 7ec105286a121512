#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Diagram.h"
#include "render/Layout.h"

namespace sigmora::render {

// Which columns of a row the drawing shows and what each holds: the one rule that every writer
// turning the drawing into another program's terms follows (the dump, the stimulus, WaveJSON), and
// that every reader building a drawing from another program's columns follows back.
//
// A row draws waveformWidth / cellWidth characters of its waveform, padded with its last character
// ('1' when it is empty). Character 0 is the level entering the first column and column k is
// character k + 1, so one column fewer than the characters is drawn. The flood entry k covers
// column k; a hatch (styles 2 to 7) shows the column's value as undefined, a solid shade (1) does
// not. The change into column k is drawn at waveOriginX + k x cellWidth plus the edge offset
// entries 0 to k + 1, summed.

inline constexpr int kMaxDrawnColumns = model::kMaxCells - 1;

// Columns drawn on every row (the layout unscrolled).
int drawnColumnCount(const Layout& layout);
// The cell count (and with it the waveform width) that draws exactly `columns` columns.
int cellCountDrawing(int columns);

// Character k of a waveform as drawn: past its end, its last character.
char drawnCharacter(std::string_view waveform, int k);
inline char columnValue(std::string_view waveform, int column) { return drawnCharacter(waveform, column + 1); }
// The level entering the first column.
inline char enteringLevel(std::string_view waveform) { return drawnCharacter(waveform, 0); }

// The flood styles that hatch a column, showing its value as undefined.
bool hatchesColumn(int floodStyle);
inline bool hatchedColumn(const model::Diagram& d, int row, int column)
{
    return hatchesColumn(d.store.floodStyles().get(row, column));
}

// Where a row's changes are drawn: x of the change into each column, edge offsets included.
class ColumnEdges {
public:
    ColumnEdges(const model::Diagram& d, const Layout& layout, int row, int columns);
    // x of the change into column k (k = columns: where the drawing ends); far left before column
    // 0 and far right past the end.
    long long changeX(int column) const;
    // Pixels the change into column k is moved by (the entries 0 to k + 1, summed).
    long long offset(int column) const;
    int columns() const { return columns_; }

private:
    const Layout& layout_;
    int columns_;
    std::vector<long long> sums_; // sums_[k]: entries 0 to k
};

// The row (of rows) whose band holds y: half the spacing above its high level to half the spacing
// below its low level, the layout unscrolled; nullopt above the first band, between bands (none
// are, today) and below the last row.
std::optional<int> rowOfBand(const Layout& layout, long long y, int rows);

// The text boxes that name bus values, found the way the drawing shows them: a value's box is the
// first box (in the text list's order) that is no label's caption, whose middle lies in the row's
// band (half the spacing above its high level to half the spacing below its low level) and whose
// left edge lies from half a cell before the run's first change to half a cell before the change
// that ends it (or where the drawing ends).
class BusValueBoxes {
public:
    struct Box {
        long long left = 0;
        long long middle = 0;
        std::string text; // on one line, as typed
        std::size_t index = 0; // in the text list
    };

    // layout unscrolled; the boxes are sorted into the rows' bands once.
    BusValueBoxes(const model::Diagram& d, const Layout& layout);
    // The box on the run of `row` whose change is drawn at x0 and which ends at the change drawn at
    // x1; nullptr when there is none.
    const Box* on(int row, long long x0, long long x1) const;

private:
    const Layout& layout_;
    std::vector<Box> boxes_;
    std::vector<std::vector<std::size_t>> byRow_; // indexes into boxes_, in list order
};

} // namespace sigmora::render
