#pragma once

namespace sigmora::edit {

class Editor;

// The label tool's clicks and caption, the re-placement of a label's ends and its middle handle,
// the "LABEL PROPERTIES" commands and the arrowhead and colour items shared with arrows.
void registerLabelTool(Editor& editor);

// The time-break tool's clicks.
void registerTimeBreakTool(Editor& editor);

} // namespace sigmora::edit
