#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "render/AnnotationHits.h"
#include "render/Geometry.h"

namespace sigmora::render {

// What the editor has selected, as far as the drawing shows it.
struct SelectionView {
    int row = -1;
    int cell = -1;
    bool textBoxSelected = false; // the selection kind is a text box: no row highlight
    // A block of cells over one or more rows (absolute cell indices, signal indices).
    struct Block {
        int firstColumn = 0;
        int lastColumn = 0;
        int firstRow = 0;
        int lastRow = 0;
    };
    std::optional<Block> block;
    // Cells marked for the cell clipboard, framed with the current pen.
    std::optional<Rect> clipboardMark;
};

// The row being dragged to a new place, drawn at the mouse instead of its row.
struct MovePreview {
    int signalIndex = -1;
    int mouseY = 0;
    // For a derived row: its derived waveform and delay; empty for an ordinary row.
    std::function<std::optional<std::pair<std::string, int>>(int signalIndex)> derived;
};

// Which annotations are selected, as far as the drawing shows them. Indexes are positions in
// their lists; -1 is none.
struct AnnotationSelection {
    static constexpr int kTextFlags = 256;
    bool editTool = false; // the select tool is current: the selected arrow or label is dotted
    // The selected time break is dotted whatever the tool.
    int arrow = -1;        // gets red handles at its begin, end and middle
    int label = -1;        // gets red handles at its begin anchor, end anchor and measure line
    int timeBreak = -1;
    bool textBoxes = false; // the selection kind is text box: flagged boxes get their frame
    std::array<bool, kTextFlags> textSelected{};
    // While the selected label's measure line is dragged: the mouse's y.
    std::optional<int> labelDragY;
    // While an arrow or label is being made or an end re-placed: the line from the fixed end
    // to the mouse.
    std::optional<Piece> rubberBand;
};

// Everything one full redraw needs besides the diagram and the surface.
struct RedrawOptions {
    double fontScale = 1.0;
    int printOffset = 0;  // above 0 when printing: no highlights, decorations shifted
    int secondOffset = 0;
    SelectionView selection;
    AnnotationSelection annotations;
    bool drawHint = false; // the drawing hint picture is drawn last
    std::optional<MovePreview> movePreview;
    // Skip rows that lie wholly outside the surface. Only for raster surfaces without SVG output:
    // nothing visible changes, the work for rows off the image is saved.
    bool cullOffSurface = false;
    // Labels of violated timing parameters are drawn red (the screen's redraw).
    bool showViolations = false;
};

// Remembered from one redraw to the next.
struct RedrawMemory {
    std::optional<Rect> lastHighlight;
    // Where the annotations were drawn: the handles and paths the mouse tests, and the label
    // caption positions that printing reuses.
    AnnotationHits annotations;
    // What the timing checks found: the status bar's text, empty without a violation.
    std::string timingStatus;
    // The parameter table's column widths, measured for the texts and font of `key`: a redraw
    // with the same table measures nothing again.
    struct TableWidths {
        std::string key;
        std::array<int, 6> widths{};
    };
    TableWidths tableWidths;
};

} // namespace sigmora::render
