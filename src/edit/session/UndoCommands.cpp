#include "edit/session/UndoCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "io/native/NativeFileReader.h"
#include "model/LabelNumberGenerator.h"

namespace sigmora::edit {

namespace {

void restore(Session& session, const std::string& snapshot)
{
    io::restoreSnapshot(snapshot, session.diagram());
    // The label values are not in a state; they follow its label settings, as after an open.
    model::regenerateLabelNumbers(session.diagram());
    session.restoredFromHistory();
    session.refresh();
}

} // namespace

bool undo(Session& session)
{
    // A run of nudges not yet closed is the newest step: it is what Undo takes back.
    session.settleRun();
    if (!session.undoRing().canUndo() || !session.abortPendingTools())
        return false;
    restore(session, session.undoRing().undo());
    return true;
}

bool redo(Session& session)
{
    session.settleRun();
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
        [&session](CommandState& s) { s.enabled = session.undoRing().canUndo() || session.runPending(); });
    r.add(
        cmd::EditRedo, [&session] { redo(session); },
        [&session](CommandState& s) { s.enabled = session.undoRing().canRedo() && !session.runPending(); });
}

} // namespace sigmora::edit
