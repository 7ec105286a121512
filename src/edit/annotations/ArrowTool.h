#pragma once

#include <optional>

namespace sigmora::edit {

class Editor;

// The arrow tool's clicks, the re-placement of an arrow's end by its handle, the arrow move, the
// snap toggle and the "ARROW PROPERTIES" commands.
void registerArrowTool(Editor& editor);

// The arrowhead and colour items act on the current arrow while the arrow tool or an arrow
// selection is active, else on the current label.
bool arrowPropertiesActive(const Editor& editor);
void changeArrowHead(Editor& editor, int head);
std::optional<int> currentArrowHead(const Editor& editor);
void editArrowColour(Editor& editor);

} // namespace sigmora::edit
