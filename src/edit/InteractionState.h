#pragma once

#include <array>

namespace sigmora::edit {

inline constexpr int kSelectionFlags = 256;

enum class Tool { Draw = 0 };

// The editor's interaction state: the tool in use, what is selected, where half-made arrows and
// labels stand. New puts every value back to its idle state.
struct InteractionState {
    int currentTool = 0;
    int selectionKind = 0;
    int arrowStep = 0; // 1 while an arrow waits for its second point
    int labelStep = 0; // 1 while a label waits for its second point
    int selectedRow = -1;
    int selectedCell = -1;
    int textPlacement = 0;
    int alternateTextCursor = 0;
    std::array<bool, kSelectionFlags> textSelected{};
    std::array<bool, kSelectionFlags> arrowSelected{};
    std::array<bool, kSelectionFlags> labelSelected{};
    std::array<bool, kSelectionFlags> timeBreakSelected{};

    void reset() { *this = InteractionState{}; }
    bool arrowFirstPointPlaced() const { return arrowStep == 1; }
    bool labelFirstPointPlaced() const { return labelStep == 1; }
};

// Selection kind of a text box: the row highlight is not drawn while it is selected.
inline constexpr int kSelectionKindTextBox = 2;

} // namespace sigmora::edit
