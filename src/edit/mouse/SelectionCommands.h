#pragma once

namespace sigmora::edit {

class Editor;

// Tab stepping, moving text boxes and signals, fitting the name column, "&Delete" and "Cu&t".
void registerSelectionCommands(Editor& editor);

} // namespace sigmora::edit
