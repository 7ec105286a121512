#pragma once

#include "model/DiagramSettings.h"

namespace sigmora::render {

// The coordinate system of a diagram, derived from its settings. Painting and hit testing both
// use it, so what is drawn and what is clicked agree.
struct Layout {
    int nameMargin = 5;
    int nameColumnWidth = 100;
    int topMargin = 20;
    int signalHeight = 16;
    int signalSpacing = 12;
    int cellWidth = 30;
    int waveformWidth = 600;
    int slantWidth = 10;
    int firstVisibleCell = 0;
    int verticalScroll = 0;

    static Layout from(const model::DiagramSettings& s);

    // A position computed in wide arithmetic, held within what a surface can take. Settings read
    // from a file can be large enough for their products to overflow an int.
    static int clampCoordinate(long long v)
    {
        constexpr long long kLimit = 1LL << 30;
        return static_cast<int>(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
    }

    int waveOriginX() const { return nameMargin + nameColumnWidth; }
    int rowPitch() const { return signalSpacing + 2 * signalHeight; }
    int firstVisibleSignal() const { return verticalScroll / 2; }
    // Display row of a signal index.
    int displayRow(int signalIndex) const { return signalIndex - firstVisibleSignal(); }
    // y of the high level of display row i.
    int rowTop(int displayRow) const { return topMargin + displayRow * rowPitch(); }
    // y of the high level of a signal, scrolled.
    int signalTop(int signalIndex) const { return rowTop(displayRow(signalIndex)); }
    int highLevel(int top) const { return top; }
    int lowLevel(int top) const { return top + signalHeight; }
    int middleLevel(int top) const { return top + signalHeight / 2; }
    // Number of cells drawn: waveformWidth / cellWidth.
    int drawnCells() const { return cellWidth > 0 ? waveformWidth / cellWidth : 0; }

    // Inverse mapping of a point to a signal index and a cell index.
    int rowAt(int y) const
    {
        return rowPitch() > 0 ? (signalHeight / 2 + y - topMargin) / rowPitch() + verticalScroll / 2 : 0;
    }
    int cellAt(int x) const { return cellWidth > 0 ? (x - waveOriginX()) / cellWidth + firstVisibleCell : 0; }
};

} // namespace sigmora::render
