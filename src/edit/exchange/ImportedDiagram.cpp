#include "edit/exchange/ImportedDiagram.h"

#include "edit/session/Session.h"
#include "model/LabelNumberGenerator.h"

namespace sigmora::edit {

model::Diagram diagramForImport(const Session& session)
{
    model::Diagram fresh;
    fresh.settings = session.diagram().settings;
    fresh.resetForNew();
    return fresh;
}

void takeImportedDiagram(Session& session, model::Diagram&& imported)
{
    session.resetDiagram();
    session.diagram() = std::move(imported);
    session.diagram().modified = false;
    model::regenerateLabelNumbers(session.diagram());
    session.setFilePath({});
    session.refresh();
    session.takeSnapshot();
}

} // namespace sigmora::edit
