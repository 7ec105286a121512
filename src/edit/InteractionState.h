#pragma once

#include <array>

namespace sigmora::edit {

inline constexpr int kSelectionFlags = 256;

enum class Tool { Draw = 0 };

// Steps of the arrow and label tools.
inline constexpr int kStepIdle = 1;
inline constexpr int kStepFirstPointPlaced = 2;
inline constexpr int kStepMiddleHandle = 3;

// The editor's interaction state: the tool in use, what is selected, where half-made arrows and
// labels stand. New puts every value back to its idle state.
struct InteractionState {
    int currentTool = 0;
    int selectionKind = 0;
    int arrowStep = kStepIdle; // 1 waiting for the first point, 2 first point placed
    int labelStep = kStepIdle; // 1 waiting, 2 first point placed, 3 middle handle being moved
    int selectedRow = -1;
    int selectedCell = -1;
    int textPlacement = 0;
    int alternateTextCursor = 0;
    std::array<bool, kSelectionFlags> textSelected{};
    std::array<bool, kSelectionFlags> arrowSelected{};
    std::array<bool, kSelectionFlags> labelSelected{};
    std::array<bool, kSelectionFlags> timeBreakSelected{};

    void reset() { *this = InteractionState{}; }
    // A half-made arrow or label: the tool commands ask before abandoning it.
    bool arrowInProgress() const { return arrowStep == kStepFirstPointPlaced; }
    bool labelInProgress() const { return labelStep > kStepIdle; }
};

// Selection kind of a text box: the row highlight is not drawn while it is selected.
inline constexpr int kSelectionKindTextBox = 2;

} // namespace sigmora::edit
