#pragma once

namespace sigmora::edit {

class Editor;

// New and the Add Clock / Signal / Bus commands.
void registerDiagramCommands(Editor& editor);

} // namespace sigmora::edit
