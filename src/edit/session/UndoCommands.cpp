#include "edit/session/UndoCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "io/native/NativeFileReader.h"

namespace sigmora::edit {

namespace {

void restore(Editor& editor, const std::string& snapshot)
{
    io::restoreSnapshot(snapshot, editor.diagram());
    editor.refresh();
}

} // namespace

bool undo(Editor& editor)
{
    if (!editor.undoRing().canUndo() || !editor.abortPendingTools())
        return false;
    restore(editor, editor.undoRing().undo());
    return true;
}

bool redo(Editor& editor)
{
    if (!editor.undoRing().canRedo() || !editor.abortPendingTools())
        return false;
    restore(editor, editor.undoRing().redo());
    return true;
}

void registerUndoCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(
        cmd::EditUndo, [&editor] { undo(editor); },
        [&editor](CommandState& s) { s.enabled = editor.undoRing().canUndo(); });
    r.add(
        cmd::EditRedo, [&editor] { redo(editor); },
        [&editor](CommandState& s) { s.enabled = editor.undoRing().canRedo(); });
}

} // namespace sigmora::edit
