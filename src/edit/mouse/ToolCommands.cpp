#include "edit/mouse/ToolCommands.h"

#include "edit/grid/GridMapping.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"

namespace sigmora::edit {

namespace {

constexpr const char* kFloodStyles = "12345670"; // each style followed by the next one

model::RecordList& list(Session& e, model::ListId id)
{
    return e.diagram().store.list(id);
}

void finishToolCommand(Session& session)
{
    session.updateCursor();
    session.refresh();
}

// The clearing that "&Draw", "Add Tri-state" and "Add Both Hi/Low" share.
void clearForPainting(Session& session)
{
    InteractionState& s = session.state();
    s.clearTextSelection();
    session.deselectRow();
    list(session, model::ListId::Arrows).setSelection(-1);
    list(session, model::ListId::Labels).setSelection(-1);
    s.arrowStep = kStepIdle;
    s.labelStep = kStepIdle;
}

void chooseDraw(Session& session)
{
    InteractionState& s = session.state();
    s.currentTool = Tool::Draw;
    s.selectionKind = SelectionKind::None;
    s.textPlacement = 0;
    clearForPainting(session);
    session.drawHint = false;
}

void chooseSelect(Session& session)
{
    InteractionState& s = session.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    s.textPlacement = 0;
    s.selectedRow = -1;
    s.selectedCell = -1;
    s.clearTextSelection();
}

void choosePainting(Session& session, Tool tool)
{
    InteractionState& s = session.state();
    s.currentTool = tool;
    s.selectionKind = SelectionKind::Signal;
    clearForPainting(session);
    session.drawHint = false;
    session.diagram().modified = true;
}

void chooseText(Session& session, int alternate)
{
    InteractionState& s = session.state();
    s.textPlacement = 1;
    s.alternateTextCursor = alternate;
    s.currentTool = Tool::Draw;
    session.diagram().modified = true;
}

void chooseArrow(Session& session, ArrowShape shape, int floating)
{
    InteractionState& s = session.state();
    s.currentTool = Tool::Arrow;
    s.arrowStep = kStepIdle;
    s.arrowShape = shape;
    s.floatingArrow = floating;
    s.textPlacement = 0;
    session.deselectRow();
    session.diagram().modified = true;
}

void chooseLabel(Session& session, int inward)
{
    InteractionState& s = session.state();
    s.currentTool = Tool::Label;
    s.labelStep = kStepIdle;
    s.labelArrowsInward = inward;
    session.deselectRow();
    session.diagram().modified = true;
}

void chooseTimeBreak(Session& session)
{
    session.state().currentTool = Tool::TimeBreak;
    session.deselectRow();
    session.diagram().modified = true;
}

void chooseFlood(Session& session, bool erase)
{
    InteractionState& s = session.state();
    s.currentTool = Tool::Flood;
    if (erase) {
        s.floodStyle = "0";
    } else {
        if (s.lastFloodStyle == "0")
            s.lastFloodStyle = "1";
        s.floodStyle = s.lastFloodStyle;
        session.deselectRow();
    }
    s.textPlacement = 0;
}

// A tool command: the abort prologue, the choice, then cursor and screen. A tool whose clicks
// are served elsewhere is enabled once that code has registered its entry point.
void addTool(Session& session, int command, std::function<void(Session&)> choose, std::function<bool(const ToolEntryPoints&)> available = {})
{
    session.commands().add(
        command,
        [&session, choose, available] {
            if (available && !available(session.tools()))
                return;
            if (!session.abortPendingTools())
                return;
            choose(session);
            finishToolCommand(session);
        },
        [&session, available](CommandState& st) { st.enabled = !available || available(session.tools()); });
}

std::string nextFloodStyle(const std::string& style)
{
    const std::string_view order(kFloodStyles);
    const auto at = style.size() == 1 ? order.find(style[0]) : std::string_view::npos;
    if (at == std::string_view::npos)
        return "1";
    return std::string(1, order[(at + 1) % order.size()]);
}

ContextMenuKind menuFor(Session& session)
{
    const InteractionState& s = session.state();
    if (s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow)
        return list(session, model::ListId::Arrows).selection() >= 0 ? ContextMenuKind::Arrow : ContextMenuKind::Signal;
    if (s.is(Tool::Label) || s.selectionKind == SelectionKind::Label)
        return list(session, model::ListId::Labels).selection() >= 0 ? ContextMenuKind::Label : ContextMenuKind::Signal;
    if (s.selectionKind == SelectionKind::TextBox)
        return list(session, model::ListId::Texts).selection() >= 0 ? ContextMenuKind::Text : ContextMenuKind::Signal;
    return ContextMenuKind::Signal;
}

bool insideRectangle(const InteractionState& s, const render::Layout& l, int row, int cell)
{
    const CellRectangle& r = s.rectangle;
    const int displayRow = row - l.firstVisibleSignal();
    const int column = cell - l.firstVisibleCell;
    return r.active && r.firstRow() <= displayRow && displayRow <= r.lastRow() && r.firstCell() <= column &&
           column <= r.lastCell();
}

// The row a right-click names becomes the one the row menu acts on: a click on a row's name
// always, a click on its cells when the row menu is the one that opens and the click is not on
// the highlighted cells (which the menu's cell commands act on). Answers whether a row was
// chosen so.
bool chooseClickedRow(Session& session, int x, int y, bool rowMenu)
{
    InteractionState& s = session.state();
    if (s.arrowInProgress() || s.labelInProgress())
        return false;
    const GridMapping g = GridMapping::of(session.diagram());
    const render::Layout& l = g.layout();
    const int row = g.rowAt(y);
    if (row < 0 || row >= g.signalCount() || y <= g.topMarginLine())
        return false;
    const bool onName = x < l.waveOriginX();
    const int cell = g.cellAt(x);
    if (!onName && (!rowMenu || x >= g.rightEdge() || insideRectangle(s, l, row, cell)))
        return false;
    if (s.rectangle.active && !s.rectangle.dragging)
        s.rectangle.active = false;
    s.clearTextSelection();
    list(session, model::ListId::Texts).setSelection(-1);
    session.selectRow(row);
    s.selectedCell = onName ? 1 : cell;
    s.selectionKind = SelectionKind::Signal;
    session.refresh();
    return true;
}

} // namespace

void cancelHalfMadeAnnotations(Session& session)
{
    InteractionState& s = session.state();
    if (s.arrowStep == kStepFirstPointPlaced) {
        model::RecordList& arrows = list(session, model::ListId::Arrows);
        arrows.remove(arrows.selection());
        arrows.setSelection(-1);
    }
    if (s.labelStep == kStepFirstPointPlaced) {
        model::RecordList& labels = list(session, model::ListId::Labels);
        labels.remove(labels.selection());
        labels.setSelection(-1);
    }
    s.arrowStep = kStepIdle;
    s.labelStep = kStepIdle;
}

void rightButton(Session& session, int x, int y, int screenX, int screenY)
{
    Session::Step step(session);
    InteractionState& s = session.state();
    switch (s.currentTool) {
    case Tool::Draw: session.execute(cmd::ToolTriState); return;
    case Tool::TriState: session.execute(cmd::ToolBothHighLow); return;
    case Tool::Both: session.execute(cmd::ModeDraw); return;
    case Tool::Flood:
        s.floodStyle = nextFloodStyle(s.floodStyle);
        s.lastFloodStyle = s.floodStyle;
        session.updateCursor();
        session.refresh();
        return;
    default: break;
    }
    ContextMenuKind menu = menuFor(session);
    if (chooseClickedRow(session, x, y, menu == ContextMenuKind::Signal))
        menu = ContextMenuKind::Signal;
    session.ui().popupContextMenu(menu, screenX, screenY);
}

void registerToolCommands(Session& session)
{
    addTool(session, cmd::ModeDraw, chooseDraw);
    addTool(session, cmd::ModeEdit, chooseSelect);
    addTool(session, cmd::ToolTriState, [](Session& e) { choosePainting(e, Tool::TriState); });
    addTool(session, cmd::ToolBothHighLow, [](Session& e) { choosePainting(e, Tool::Both); });
    addTool(session, cmd::ToolFloodFill, [](Session& e) { chooseFlood(e, false); });
    addTool(session, cmd::ToolEraseFloodFill, [](Session& e) { chooseFlood(e, true); });

    auto text = [](const ToolEntryPoints& t) { return static_cast<bool>(t.createTextBox); };
    auto arrows = [](const ToolEntryPoints& t) { return static_cast<bool>(t.arrowClick); };
    auto labels = [](const ToolEntryPoints& t) { return static_cast<bool>(t.labelClick); };
    auto breaks = [](const ToolEntryPoints& t) { return static_cast<bool>(t.timeBreakClick); };
    addTool(session, cmd::ToolText, [](Session& e) { chooseText(e, 0); }, text);
    addTool(session, cmd::ToolBezierArrow, [](Session& e) { chooseArrow(e, ArrowShape::Bezier, 0); }, arrows);
    addTool(session, cmd::ToolStraightArrow, [](Session& e) { chooseArrow(e, ArrowShape::Straight, 0); }, arrows);
    addTool(session, cmd::ToolAngledWire, [](Session& e) { chooseArrow(e, ArrowShape::Angled, 0); }, arrows);
    addTool(session, cmd::ToolFloatingArrow, [](Session& e) { chooseArrow(e, ArrowShape::Straight, 1); }, arrows);
    addTool(session, cmd::ToolLabelOutward, [](Session& e) { chooseLabel(e, 0); }, labels);
    addTool(session, cmd::ToolLabelInward, [](Session& e) { chooseLabel(e, 1); }, labels);
    addTool(session, cmd::ToolTimeBreak, chooseTimeBreak, breaks);

    session.commands().add(cmd::CancelTransaction, [&session] {
        cancelHalfMadeAnnotations(session);
        session.drawHint = false;
        session.refresh();
    });
}

} // namespace sigmora::edit
