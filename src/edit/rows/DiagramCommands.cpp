#include "edit/rows/DiagramCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"

namespace sigmora::edit {

void registerDiagramCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::FileNew, [&editor] { editor.newDiagram(); });
    r.add(cmd::AddClock, [&editor] { editor.addRow(model::NewRowKind::Clock); });
    r.add(cmd::AddSignal, [&editor] { editor.addRow(model::NewRowKind::Signal); });
    r.add(cmd::AddBus, [&editor] { editor.addRow(model::NewRowKind::Bus); });
}

} // namespace sigmora::edit
