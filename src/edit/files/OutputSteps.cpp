#include "edit/files/OutputSteps.h"

#include "edit/Editor.h"

namespace sigmora::edit {

bool endTransactionForOutput(Editor& editor)
{
    if (!editor.abortPendingTools())
        return false;
    InteractionState& s = editor.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    s.textPlacement = 0;
    editor.deselectRow();
    s.selectedCell = -1;
    s.clearTextSelection();
    s.rectangle = {};
    editor.updateCursor();
    return true;
}

render::RedrawOptions outputOptions(const Editor& editor)
{
    render::RedrawOptions options;
    options.drawHint = editor.drawHint;
    return options;
}

render::RedrawMemory outputMemory(const Editor& editor)
{
    render::RedrawMemory memory;
    memory.annotations = editor.annotationHits();
    return memory;
}

UnscrolledView::UnscrolledView(model::DiagramSettings& settings)
    : settings_(settings), firstVisibleCell_(settings.firstVisibleCell), verticalScroll_(settings.verticalScroll)
{
    settings_.firstVisibleCell = 0;
    settings_.verticalScroll = 0;
}

UnscrolledView::~UnscrolledView()
{
    settings_.firstVisibleCell = firstVisibleCell_;
    settings_.verticalScroll = verticalScroll_;
}

} // namespace sigmora::edit
