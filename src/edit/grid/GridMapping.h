#pragma once

#include <optional>

#include "model/Diagram.h"
#include "render/Layout.h"

namespace sigmora::edit {

// The window point to grid mapping: which signal row and cell a point names, the waveform band
// of each row, the diagram's bottom B and right edge R. Integer division throughout, as the
// layout itself computes.
class GridMapping {
public:
    GridMapping(const render::Layout& layout, int signalCount) : l_(layout), signalCount_(signalCount) {}
    static GridMapping of(const model::Diagram& diagram);

    const render::Layout& layout() const { return l_; }
    int signalCount() const { return signalCount_; }

    // Signal index of the row band a y falls in (not checked against the rows that exist).
    int rowAt(int y) const { return l_.rowAt(y); }
    // Cell index under x (not checked against the diagram's cells).
    int cellAt(int x) const { return l_.cellAt(x); }
    // Top of the waveform band of a signal; the band runs from it to top + 2 x signalHeight, both
    // ends excluded.
    int bandTop(int signalIndex) const;
    // The existing signal whose band strictly contains y.
    std::optional<int> bandRowAt(int y) const;
    // Whether y lies in the upper half of the band of a signal: a click there means high.
    bool inUpperHalf(int signalIndex, int y) const;
    // The last cell the tools edit; a cell beyond it is outside the diagram.
    int lastEditableCell() const;
    bool cellInside(int cell) const { return cell >= 0 && cell <= lastEditableCell(); }
    // The diagram's bottom B and right edge R.
    int bottom() const;
    int rightEdge() const { return l_.waveOriginX() + l_.waveformWidth; }
    // The horizontal line that the top-margin drag takes hold of.
    int topMarginLine() const { return l_.topMargin - kTopMarginLineOffset; }
    // The signal row under y, limited to the last signal.
    int rowWithinSignals(int y) const;

    static constexpr int kTopMarginLineOffset = 20;

private:
    render::Layout l_;
    int signalCount_;
};

} // namespace sigmora::edit
