#pragma once

#include <optional>

namespace sigmora::edit {

class Session;

// The arrow tool's clicks, the re-placement of an arrow's end by its handle, the arrow move, the
// snap toggle and the "ARROW PROPERTIES" commands.
void registerArrowTool(Session& session);

// The arrowhead and colour items act on the current arrow while the arrow tool or an arrow
// selection is active, else on the current label.
bool arrowPropertiesActive(const Session& session);
void changeArrowHead(Session& session, int head);
std::optional<int> currentArrowHead(const Session& session);
void editArrowColour(Session& session);

} // namespace sigmora::edit
