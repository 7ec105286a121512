#include "edit/files/OutputSteps.h"

#include "edit/session/Session.h"

namespace sigmora::edit {

bool endTransactionForOutput(Session& session)
{
    if (!session.abortPendingTools())
        return false;
    InteractionState& s = session.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    s.textPlacement = 0;
    session.deselectRow();
    s.selectedCell = -1;
    s.clearTextSelection();
    s.rectangle = {};
    session.updateCursor();
    return true;
}

render::RedrawOptions outputOptions(const Session& session)
{
    render::RedrawOptions options;
    options.drawHint = session.drawHint;
    return options;
}

render::RedrawMemory outputMemory(const Session& session)
{
    render::RedrawMemory memory;
    memory.annotations = session.annotationHits();
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
