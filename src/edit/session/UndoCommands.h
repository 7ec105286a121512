#pragma once

namespace sigmora::edit {

class Session;

// "&Undo" and "&Redo": each first asks to abandon a half-made arrow or label, then puts back the
// previous (next) snapshot of the ring. Undo is enabled while more than one state is reachable,
// Redo while an undone state can be returned to.
void registerUndoCommands(Session& session);

// The commands themselves; false when nothing was restored.
bool undo(Session& session);
bool redo(Session& session);

} // namespace sigmora::edit
