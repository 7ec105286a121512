#include "edit/rows/DiagramCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "model/NameColumnFitter.h"

namespace sigmora::edit {

void registerDiagramCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::AddClock, [&session] { addRow(session, model::NewRowKind::Clock); });
    r.add(cmd::AddSignal, [&session] { addRow(session, model::NewRowKind::Signal); });
    r.add(cmd::AddBus, [&session] { addRow(session, model::NewRowKind::Bus); });
}

std::string addRow(Session& session, model::NewRowKind kind)
{
    if (!session.abortPendingTools())
        return kNoRowAdded;
    if (!session.roomForRow())
        return kNoRowAdded;
    model::Diagram& diagram = session.diagram();
    InteractionState& state = session.state();
    model::RecordList& rows = diagram.store.signals();
    diagram.modified = true;
    const std::string name = model::chooseRowName(rows, kind);
    const int index = rows.append(model::buildRowRecord(kind, name, diagram.settings.newSignalLevel));
    rows.setSelection(index);
    session.startHint = false;
    session.drawHint = !session.drawHintDiscarded;
    state.selectedRow = index;
    state.selectedCell = 100;
    state.currentTool = Tool::Draw;
    state.textPlacement = 0;
    state.alternateTextCursor = 0;
    diagram.store.floodStyles().clearRow(index);
    diagram.store.edgeOffsets().clearRow(index);
    model::fitNameColumn(diagram, session.measurer());
    session.refresh();
    session.takeSnapshot();
    return name;
}

} // namespace sigmora::edit
