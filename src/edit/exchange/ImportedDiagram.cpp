#include "edit/exchange/ImportedDiagram.h"

#include "edit/Editor.h"
#include "model/LabelNumberGenerator.h"

namespace sigmora::edit {

model::Diagram diagramForImport(const Editor& editor)
{
    model::Diagram fresh;
    fresh.settings = editor.diagram().settings;
    fresh.resetForNew();
    return fresh;
}

void takeImportedDiagram(Editor& editor, model::Diagram&& imported)
{
    editor.resetDiagram();
    editor.diagram() = std::move(imported);
    editor.diagram().modified = false;
    model::regenerateLabelNumbers(editor.diagram());
    editor.setFilePath({});
    editor.refresh();
    editor.takeSnapshot();
}

} // namespace sigmora::edit
