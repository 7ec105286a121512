#pragma once

namespace sigmora::edit {

class Session;

// Tab stepping, moving text boxes and signals, fitting the name column, "&Delete" and "Cu&t".
void registerSelectionCommands(Session& session);

} // namespace sigmora::edit
