#include "edit/mouse/KeyInput.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/Deletions.h"
#include "edit/Editor.h"
#include "edit/mouse/SelectionSteps.h"
#include "edit/rows/SignalOrder.h"
#include "edit/annotations/TextBoxes.h"
#include "edit/mouse/ToolCommands.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

constexpr int kArrowheadField = 4;
using Key = KeyPress::Key;

bool textSelection(const InteractionState& s)
{
    return s.selectionKind == SelectionKind::TextBox;
}

bool arrowTarget(const InteractionState& s)
{
    return (s.is(Tool::Arrow) && s.arrowStep != kStepFirstPointPlaced) || s.selectionKind == SelectionKind::Arrow;
}

bool labelTarget(const InteractionState& s)
{
    return (s.is(Tool::Label) && s.labelStep == kStepIdle) || s.selectionKind == SelectionKind::Label;
}

void nudge(Editor& editor, bool arrow, int dx, int dy)
{
    const auto& hook = arrow ? editor.tools().nudgeArrow : editor.tools().nudgeLabel;
    if (hook)
        hook(dx, dy);
}

// Shift+Comma / Shift+Period: the selected arrow (or, with none, the selected label) toggles one head.
void toggleHead(Editor& editor, bool beginHead)
{
    const InteractionState& s = editor.state();
    model::RecordList& arrows = editor.diagram().store.list(model::ListId::Arrows);
    model::RecordList& labels = editor.diagram().store.list(model::ListId::Labels);
    const bool arrow = (arrows.selection() >= 0 && arrows.selection() < arrows.count()) || s.is(Tool::Arrow);
    model::RecordList& records = arrow ? arrows : labels;
    const int index = records.selection();
    if (index < 0 || index >= records.count() || !model::fields::hasField(records.get(index), kArrowheadField))
        return;
    const std::string& record = records.get(index);
    const int code = model::fields::intField(record, kArrowheadField);
    records.replace(index, model::fields::withIntField(record, kArrowheadField, toggledArrowhead(code, beginHead)));
    editor.diagram().modified = true;
    editor.refresh();
    editor.takeSnapshot();
}

void escape(Editor& editor)
{
    InteractionState& s = editor.state();
    s.rectangle.active = false;
    s.rectangle.dragging = false;
    if (editor.diagram().store.list(model::ListId::CopyBuffer).count() > 0) {
        if (editor.tools().emptyCellCopy)
            editor.tools().emptyCellCopy();
        else
            editor.diagram().store.list(model::ListId::CopyBuffer).clear();
    }
    cancelHalfMadeAnnotations(editor);
    s.currentTool = Tool::Select;
    s.textPlacement = 0;
    editor.execute(cmd::ModeEdit);
    editor.updateCursor();
    editor.refresh();
}

bool horizontal(Editor& editor, const KeyPress& k, int direction)
{
    const InteractionState& s = editor.state();
    if (k.ctrl) {
        nudgeNameColumn(editor, direction);
    } else if (k.shift) {
        editor.scrollHorizontal(direction < 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
    } else if (arrowTarget(s)) {
        nudge(editor, true, direction, 0);
    } else if (labelTarget(s)) {
        nudge(editor, false, direction, 0);
    } else if (textSelection(s)) {
        stepTextsHorizontally(editor, direction);
    } else {
        return false;
    }
    return true;
}

bool vertical(Editor& editor, const KeyPress& k, int direction)
{
    const InteractionState& s = editor.state();
    if (k.shift) {
        editor.scrollVertical(direction < 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
    } else if (textSelection(s)) {
        stepTextsVertically(editor, direction);
        if (direction < 0)
            editor.takeSnapshot();
    } else if (arrowTarget(s)) {
        nudge(editor, true, 0, direction);
    } else if (labelTarget(s)) {
        nudge(editor, false, 0, direction);
    } else if (s.is(Tool::Select)) {
        moveSignal(editor, direction);
    } else {
        return false;
    }
    return true;
}

bool character(Editor& editor, const KeyPress& k)
{
    if (k.ctrl && k.character == 'A') {
        if (selectedTextCount(editor) == 0)
            return false;
        const int n = std::min(editor.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
        for (int i = 0; i < n; ++i)
            editor.state().textSelected[i] = true;
        editor.refresh();
        return true;
    }
    if (k.ctrl && k.character == 'C')
        return editor.execute(cmd::EditCopy);
    if (k.ctrl && k.character == 'V')
        return editor.execute(cmd::EditPaste);
    if (k.ctrl && k.character == 'I')
        return editor.execute(cmd::ctx::InsertCopiedCells);
    if (k.shift && (k.character == ',' || k.character == '.')) {
        toggleHead(editor, k.character == ',');
        return true;
    }
    return false;
}

bool dispatch(Editor& editor, const KeyPress& k)
{
    switch (k.key) {
    case Key::Character: return character(editor, k);
    case Key::Tab: tabStep(editor, !k.shift, false); return true;
    case Key::Escape: escape(editor); return true;
    case Key::Left: return horizontal(editor, k, -1);
    case Key::Right: return horizontal(editor, k, +1);
    case Key::Up: return vertical(editor, k, -1);
    case Key::Down: return vertical(editor, k, +1);
    case Key::Delete: deleteByKey(editor); return true;
    case Key::Insert: return editor.execute(cmd::ctx::InsertCopiedCells);
    }
    return false;
}

// With Alt the arrow keys move selected text boxes and the selected arrow by single pixels.
bool altArrowKey(Editor& editor, const KeyPress& k)
{
    const InteractionState& s = editor.state();
    const int dx = k.key == Key::Left ? -1 : k.key == Key::Right ? 1 : 0;
    const int dy = k.key == Key::Up ? -1 : k.key == Key::Down ? 1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    if (textSelection(s)) {
        if (dx != 0)
            stepTextsHorizontally(editor, dx);
        else
            stepTextsVertically(editor, dy);
        if (dy < 0)
            editor.takeSnapshot();
        return true;
    }
    if (s.selectionKind == SelectionKind::Arrow || (s.is(Tool::Arrow) && s.arrowStep == kStepIdle)) {
        nudge(editor, true, dx, dy);
        return true;
    }
    return false;
}

} // namespace

bool keyDown(Editor& editor, const KeyPress& key)
{
    InteractionState& s = editor.state();
    s.fineStep = key.alt;
    const bool used = key.alt ? altArrowKey(editor, key) : dispatch(editor, key);
    s.fineStep = false;
    return used;
}

} // namespace sigmora::edit
