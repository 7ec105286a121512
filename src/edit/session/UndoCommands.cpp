#include "edit/session/UndoCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "io/native/NativeFileReader.h"

namespace sigmora::edit {

namespace {

void restore(Session& session, const std::string& snapshot)
{
    io::restoreSnapshot(snapshot, session.diagram());
    session.refresh();
}

} // namespace

bool undo(Session& session)
{
    if (!session.undoRing().canUndo() || !session.abortPendingTools())
        return false;
    restore(session, session.undoRing().undo());
    return true;
}

bool redo(Session& session)
{
    if (!session.undoRing().canRedo() || !session.abortPendingTools())
        return false;
    restore(session, session.undoRing().redo());
    return true;
}

void registerUndoCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(
        cmd::EditUndo, [&session] { undo(session); },
        [&session](CommandState& s) { s.enabled = session.undoRing().canUndo(); });
    r.add(
        cmd::EditRedo, [&session] { redo(session); },
        [&session](CommandState& s) { s.enabled = session.undoRing().canRedo(); });
}

} // namespace sigmora::edit
