#pragma once

namespace sigmora::edit {

class Session;

// The label tool's clicks and caption, the re-placement of a label's ends and its middle handle,
// the "LABEL PROPERTIES" commands and the arrowhead and colour items shared with arrows.
void registerLabelTool(Session& session);

// The time-break tool's clicks.
void registerTimeBreakTool(Session& session);

} // namespace sigmora::edit
