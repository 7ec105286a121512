#pragma once

#include <string>
#include <vector>

namespace sigmora::edit {

// The view state of the cell clipboard; the entries themselves live in the diagram's copy
// buffer list.
struct CellClipboardState {
    bool cellsInBuffer = false; // the buffer holds a block of cells
    bool cutOrigin = false;     // that block was taken by Cut
    bool wholeSignal = false;   // the buffer holds a whole signal
    bool cutCopies = true;      // Cut copies what it removes
    bool noPicture = false;     // a copy puts no picture on the system clipboard
    // The copied block: diagram rows [firstRow, endRow) and absolute columns firstColumn..lastColumn.
    int firstRow = 0;
    int endRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    // Text boxes that lay wholly inside the copied block.
    std::vector<std::string> copiedTexts;

    // New: the flags go back to their start values; the buffer is cleared with the diagram.
    void resetFlags() { *this = CellClipboardState{}; }
};

} // namespace sigmora::edit
