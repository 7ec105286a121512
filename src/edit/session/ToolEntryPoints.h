#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "render/AnnotationHits.h"
#include "render/Geometry.h"

namespace sigmora::edit {

// A straight piece of an annotation's drawn path, in window pixels.
using PathPiece = render::Piece;

// The places where the mouse pipeline hands a click, a drag or a hit test to a tool that lives
// outside it: the arrow, label, time-break and text tools, the transition-edge drag, the height
// window, the attribute dialogs and the annotation geometry of the drawing. Each tool fills its
// own entries when it registers; an empty entry means the tool is not there, and the pipeline
// then treats the click as declined (and the commands that choose such a tool stay disabled).
struct ToolEntryPoints {
    // Arrow tool: a click at (cell, row, x, y); true when the tool accepts it.
    std::function<bool(int cell, int row, int x, int y)> arrowClick;
    // Label tool: a click at (cell, row); true when accepted.
    std::function<bool(int cell, int row)> labelClick;
    // Time-break tool: a click at (cell, row); true when a time break was added.
    std::function<bool(int cell, int row)> timeBreakClick;
    // Text placement: a click at (x, y) creates a text box there.
    std::function<void(int x, int y)> createTextBox;

    // The rubber-band end of a half-made arrow or label follows the pointer.
    std::function<void(int x, int y)> arrowRubberBand;
    std::function<void(int x, int y)> labelRubberBand;
    // End re-placement: the release point becomes the dragged end; true when accepted.
    std::function<bool(int x, int y)> replaceArrowEnd;
    std::function<bool(int x, int y)> replaceLabelEnd;
    // The middle handle of the selected label moved vertically by dy, with its caption.
    std::function<void(int dy)> moveLabelMiddle;
    // The selected arrow shifted by (dx, dy) while it is dragged; begins by taking its drawn ends.
    std::function<void(int dx, int dy)> moveArrow;
    // Whether one end of the selected arrow is floating (then a drop keeps it where it is).
    std::function<bool()> selectedArrowFloating;
    // The "On" item of "Snap to Grid" applied to the selected arrow.
    std::function<void()> snapSelectedArrow;
    // Both ends of the selected arrow made floating where it was dragged to.
    std::function<void()> floatSelectedArrow;
    // Nudges of the selected arrow and label by keys: (dx, dy) is the direction, each -1, 0 or 1;
    // the state's fineStep says whether Alt asks for single pixels.
    std::function<void(int dx, int dy)> nudgeArrow;
    std::function<void(int dx, int dy)> nudgeLabel;

    // Transition edges: whether (x, y) hovers an edge of the selected row, starting the drag of
    // that edge, and moving it by dx pixels.
    std::function<bool(int x, int y)> edgeHoverTest;
    std::function<bool(int x, int y)> startEdgeDrag;
    std::function<void(int dx)> moveEdge;

    // The modeless "Adjust Signal Height/Spacing" window.
    std::function<void()> openHeightWindow;
    // The signal attribute editing of a row, and the text dialog of a text box.
    std::function<void(int row)> editSignalAttributes;
    std::function<void(int textIndex)> editTextAttributes;

    // The cell clipboard: cut the cells of the selection (copying them), remove the cells of the
    // cell rectangle without copying them, and empty the copy buffer.
    std::function<void()> cutCells;
    std::function<bool()> removeCells;
    std::function<void()> emptyCellCopy;

    // Geometry the drawing computes: the drawn path of arrow i, the three lines of label i, the
    // caption rectangle of a label's text box, and the handles of the selected arrow and label.
    std::function<std::vector<PathPiece>(int arrowIndex)> arrowPath;
    std::function<std::vector<PathPiece>(int labelIndex)> labelLines;
    // Where the last redraw drew a text box's text (its outline rectangle); nothing when it was not
    // drawn.
    std::function<std::optional<render::Rect>(int textIndex)> drawnTextRect;
    // Nothing when the selected arrow or label was not drawn.
    std::function<std::optional<render::HandleRects>()> arrowHandles;
    std::function<std::optional<render::HandleRects>()> labelHandles;
};

} // namespace sigmora::edit
