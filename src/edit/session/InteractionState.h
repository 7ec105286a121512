#pragma once

#include <array>
#include <string>

namespace sigmora::edit {

inline constexpr int kSelectionFlags = 256;

// The active tool; the numbers are those the program has always used (3 is not used).
enum class Tool { Draw = 0, Select = 1, Flood = 2, Arrow = 4, TimeBreak = 5, Label = 6, TriState = 7, Both = 8 };

// What the current selection is.
enum class SelectionKind { None = 0, Signal = 1, TextBox = 2, TimeBreak = 3, Arrow = 4, Label = 5 };

// Steps of the arrow and label tools.
inline constexpr int kStepIdle = 1;
inline constexpr int kStepFirstPointPlaced = 2;
inline constexpr int kStepMiddleHandle = 3;

// The selection of an annotation list that has no current entry.
inline constexpr int kNoAnnotation = 99;

// Shapes of the next arrow.
enum class ArrowShape { Bezier = 0, Straight = 1, Angled = 2 };

// The rectangular cell selection, in display rows and columns. The rows covered run from the
// smaller to the larger of start and end; an end below (right of) the start is stored one past
// the last covered row (column), an end above (left of) it as the covered row (column) itself.
struct CellRectangle {
    int startRow = 0;
    int startCell = 0;
    int endRow = 0;
    int endCell = 0;
    bool active = false;   // a rectangle exists
    bool dragging = false; // its end still follows the pointer

    // Covered display rows and columns, inclusive.
    int firstRow() const { return endRow > startRow ? startRow : endRow; }
    int lastRow() const { return endRow > startRow ? endRow - 1 : startRow; }
    int firstCell() const { return endCell > startCell ? startCell : endCell; }
    int lastCell() const { return endCell > startCell ? endCell - 1 : startCell; }
};

// The one drag the left button can be running.
enum class Drag {
    None,
    RightEdge,
    TopMargin,
    NameColumn,
    BottomEdge,
    TextMove,
    ArrowMove,
    EndReplacement,
    TransitionEdge,
    SignalMove,
    CellRectangle,
};

// What the pointer is over while no button is held; it chooses the cursor and arms drags.
enum class Hover {
    None,
    HandleBegin,   // begin handle of the selected arrow or label
    HandleEnd,     // end handle
    HandleMiddle,  // middle handle
    TextMove,      // inside a selected text box
    NameMove,      // a signal name that can be dragged
    RightEdge,     // sizing, west-east
    NameBorder,    // sizing, west-east
    TransitionEdge, // a transition edge that can be dragged, west-east
    Bottom,        // sizing, north-south
    TopMargin,     // sizing, north-south
};

// The state of a running drag: where it started and what it started from.
struct DragState {
    Drag kind = Drag::None;
    int anchorX = 0;
    int anchorY = 0;
    int startValue = 0; // the width, margin or row the drag began with
    Hover handle = Hover::None; // the handle of an armed handle drag
};

// The editor's interaction state: the tool in use, what is selected, where half-made arrows and
// labels stand, which drag runs. New puts every value back to its idle state.
struct InteractionState {
    Tool currentTool = Tool::Draw;
    SelectionKind selectionKind = SelectionKind::None;
    int arrowStep = kStepIdle; // 1 waiting for the first point, 2 first point placed
    int labelStep = kStepIdle; // 1 waiting, 2 first point placed, 3 middle handle being moved
    int labelArrowsInward = 0;
    ArrowShape arrowShape = ArrowShape::Bezier;
    int floatingArrow = 0;
    std::string floodStyle = "1";
    std::string lastFloodStyle = "1";
    int selectedRow = -1;
    int selectedCell = -1;
    int textPlacement = 0;
    int alternateTextCursor = 0;
    CellRectangle rectangle;
    int overlapTurn = 0;
    std::array<bool, kSelectionFlags> textSelected{};
    std::array<bool, kSelectionFlags> arrowSelected{};
    std::array<bool, kSelectionFlags> labelSelected{};
    std::array<bool, kSelectionFlags> timeBreakSelected{};

    DragState drag;
    Hover hover = Hover::None;
    // The handle of the selected arrow or label pressed last: the end the arrow keys move (the
    // middle handle moves both ends).
    Hover lastHandle = Hover::HandleMiddle;
    // The last pointer position seen and whether the left button was down then.
    int lastX = 0;
    int lastY = 0;
    bool buttonDown = false;

    // The both tool's remembered phase and the last cell it painted (row -1: none).
    char bothPhase = '3';
    int bothLastRow = -1;
    int bothLastCell = -1;
    // Alt is held while a key is handled: text and arrow steps become single pixels.
    bool fineStep = false;
    // Edits made by the draw tool since its cached screen image was last released.
    int drawEdits = 0;

    void reset() { *this = InteractionState{}; }
    // A half-made arrow or label: the tool commands ask before abandoning it.
    bool arrowInProgress() const { return arrowStep == kStepFirstPointPlaced; }
    bool labelInProgress() const { return labelStep > kStepIdle; }
    bool is(Tool tool) const { return currentTool == tool; }
    // The painting tools: a press in a band paints instead of starting a rectangle.
    bool paintingTool() const
    {
        return currentTool == Tool::Draw || currentTool == Tool::Flood || currentTool == Tool::TriState ||
               currentTool == Tool::Both;
    }
    void clearTextSelection() { textSelected.fill(false); }
    bool anyTextSelected() const
    {
        for (bool s : textSelected)
            if (s)
                return true;
        return false;
    }
};

} // namespace sigmora::edit
