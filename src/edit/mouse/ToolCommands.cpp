#include "edit/mouse/ToolCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"

namespace sigmora::edit {

namespace {

constexpr const char* kFloodStyles = "12345670"; // each style followed by the next one

model::RecordList& list(Editor& e, model::ListId id)
{
    return e.diagram().store.list(id);
}

void finishToolCommand(Editor& editor)
{
    editor.updateCursor();
    editor.refresh();
}

// The clearing that "&Draw", "Add Tri-state" and "Add Both Hi/Low" share.
void clearForPainting(Editor& editor)
{
    InteractionState& s = editor.state();
    s.clearTextSelection();
    editor.deselectRow();
    list(editor, model::ListId::Arrows).setSelection(-1);
    list(editor, model::ListId::Labels).setSelection(-1);
    s.arrowStep = kStepIdle;
    s.labelStep = kStepIdle;
}

void chooseDraw(Editor& editor)
{
    InteractionState& s = editor.state();
    s.currentTool = Tool::Draw;
    s.selectionKind = SelectionKind::None;
    s.textPlacement = 0;
    clearForPainting(editor);
    editor.drawHint = false;
}

void chooseSelect(Editor& editor)
{
    InteractionState& s = editor.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    s.textPlacement = 0;
    s.selectedRow = -1;
    s.selectedCell = -1;
    s.clearTextSelection();
}

void choosePainting(Editor& editor, Tool tool)
{
    InteractionState& s = editor.state();
    s.currentTool = tool;
    s.selectionKind = SelectionKind::Signal;
    clearForPainting(editor);
    editor.drawHint = false;
    editor.diagram().modified = true;
}

void chooseText(Editor& editor, int alternate)
{
    InteractionState& s = editor.state();
    s.textPlacement = 1;
    s.alternateTextCursor = alternate;
    s.currentTool = Tool::Draw;
    editor.diagram().modified = true;
}

void chooseArrow(Editor& editor, ArrowShape shape, int floating)
{
    InteractionState& s = editor.state();
    s.currentTool = Tool::Arrow;
    s.arrowStep = kStepIdle;
    s.arrowShape = shape;
    s.floatingArrow = floating;
    s.textPlacement = 0;
    editor.deselectRow();
    editor.diagram().modified = true;
}

void chooseLabel(Editor& editor, int inward)
{
    InteractionState& s = editor.state();
    s.currentTool = Tool::Label;
    s.labelStep = kStepIdle;
    s.labelArrowsInward = inward;
    editor.deselectRow();
    editor.diagram().modified = true;
}

void chooseTimeBreak(Editor& editor)
{
    editor.state().currentTool = Tool::TimeBreak;
    editor.deselectRow();
    editor.diagram().modified = true;
}

void chooseFlood(Editor& editor, bool erase)
{
    InteractionState& s = editor.state();
    s.currentTool = Tool::Flood;
    if (erase) {
        s.floodStyle = "0";
    } else {
        if (s.lastFloodStyle == "0")
            s.lastFloodStyle = "1";
        s.floodStyle = s.lastFloodStyle;
        editor.deselectRow();
    }
    s.textPlacement = 0;
}

// A tool command: the abort prologue, the choice, then cursor and screen. A tool whose clicks
// are served elsewhere is enabled once that code has registered its entry point.
void addTool(Editor& editor, int command, std::function<void(Editor&)> choose, std::function<bool(const ToolEntryPoints&)> available = {})
{
    editor.commands().add(
        command,
        [&editor, choose, available] {
            if (available && !available(editor.tools()))
                return;
            if (!editor.abortPendingTools())
                return;
            choose(editor);
            finishToolCommand(editor);
        },
        [&editor, available](CommandState& st) { st.enabled = !available || available(editor.tools()); });
}

std::string nextFloodStyle(const std::string& style)
{
    const std::string_view order(kFloodStyles);
    const auto at = style.size() == 1 ? order.find(style[0]) : std::string_view::npos;
    if (at == std::string_view::npos)
        return "1";
    return std::string(1, order[(at + 1) % order.size()]);
}

ContextMenuKind menuFor(Editor& editor)
{
    const InteractionState& s = editor.state();
    if (s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow)
        return list(editor, model::ListId::Arrows).selection() >= 0 ? ContextMenuKind::Arrow : ContextMenuKind::Signal;
    if (s.is(Tool::Label) || s.selectionKind == SelectionKind::Label)
        return list(editor, model::ListId::Labels).selection() >= 0 ? ContextMenuKind::Label : ContextMenuKind::Signal;
    if (s.selectionKind == SelectionKind::TextBox)
        return list(editor, model::ListId::Texts).selection() >= 0 ? ContextMenuKind::Text : ContextMenuKind::Signal;
    return ContextMenuKind::Signal;
}

} // namespace

void cancelHalfMadeAnnotations(Editor& editor)
{
    InteractionState& s = editor.state();
    if (s.arrowStep == kStepFirstPointPlaced) {
        model::RecordList& arrows = list(editor, model::ListId::Arrows);
        arrows.remove(arrows.selection());
        arrows.setSelection(-1);
    }
    if (s.labelStep == kStepFirstPointPlaced) {
        model::RecordList& labels = list(editor, model::ListId::Labels);
        labels.remove(labels.selection());
        labels.setSelection(-1);
    }
    s.arrowStep = kStepIdle;
    s.labelStep = kStepIdle;
}

void rightButton(Editor& editor, int screenX, int screenY)
{
    InteractionState& s = editor.state();
    switch (s.currentTool) {
    case Tool::Draw: editor.execute(cmd::ToolTriState); return;
    case Tool::TriState: editor.execute(cmd::ToolBothHighLow); return;
    case Tool::Both: editor.execute(cmd::ModeDraw); return;
    case Tool::Flood:
        s.floodStyle = nextFloodStyle(s.floodStyle);
        s.lastFloodStyle = s.floodStyle;
        editor.updateCursor();
        editor.refresh();
        return;
    default: break;
    }
    editor.ui().popupContextMenu(menuFor(editor), screenX, screenY);
}

void registerToolCommands(Editor& editor)
{
    addTool(editor, cmd::ModeDraw, chooseDraw);
    addTool(editor, cmd::ModeEdit, chooseSelect);
    addTool(editor, cmd::ToolTriState, [](Editor& e) { choosePainting(e, Tool::TriState); });
    addTool(editor, cmd::ToolBothHighLow, [](Editor& e) { choosePainting(e, Tool::Both); });
    addTool(editor, cmd::ToolFloodFill, [](Editor& e) { chooseFlood(e, false); });
    addTool(editor, cmd::ToolEraseFloodFill, [](Editor& e) { chooseFlood(e, true); });

    auto text = [](const ToolEntryPoints& t) { return static_cast<bool>(t.createTextBox); };
    auto arrows = [](const ToolEntryPoints& t) { return static_cast<bool>(t.arrowClick); };
    auto labels = [](const ToolEntryPoints& t) { return static_cast<bool>(t.labelClick); };
    auto breaks = [](const ToolEntryPoints& t) { return static_cast<bool>(t.timeBreakClick); };
    addTool(editor, cmd::ToolText, [](Editor& e) { chooseText(e, 0); }, text);
    addTool(editor, cmd::ToolBezierArrow, [](Editor& e) { chooseArrow(e, ArrowShape::Bezier, 0); }, arrows);
    addTool(editor, cmd::ToolStraightArrow, [](Editor& e) { chooseArrow(e, ArrowShape::Straight, 0); }, arrows);
    addTool(editor, cmd::ToolAngledWire, [](Editor& e) { chooseArrow(e, ArrowShape::Angled, 0); }, arrows);
    addTool(editor, cmd::ToolFloatingArrow, [](Editor& e) { chooseArrow(e, ArrowShape::Straight, 1); }, arrows);
    addTool(editor, cmd::ToolLabelOutward, [](Editor& e) { chooseLabel(e, 0); }, labels);
    addTool(editor, cmd::ToolLabelInward, [](Editor& e) { chooseLabel(e, 1); }, labels);
    addTool(editor, cmd::ToolTimeBreak, chooseTimeBreak, breaks);

    editor.commands().add(cmd::CancelTransaction, [&editor] {
        cancelHalfMadeAnnotations(editor);
        editor.drawHint = false;
        editor.refresh();
    });
}

} // namespace sigmora::edit
