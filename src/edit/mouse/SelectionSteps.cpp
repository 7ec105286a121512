#include "edit/mouse/SelectionSteps.h"

#include "edit/Editor.h"
#include "edit/annotations/TextBoxes.h"
#include "model/RecordFields.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

int wrapped(int index, int count, bool forward)
{
    return forward ? (index + 1 >= count ? 0 : index + 1) : (index - 1 < 0 ? count - 1 : index - 1);
}

void stepList(Editor& editor, model::ListId id, bool forward)
{
    model::RecordList& records = editor.diagram().store.list(id);
    const int count = records.count();
    if (count == 0)
        return;
    const int current = records.selection();
    records.setSelection(current < 0 || current >= count ? 0 : wrapped(current, count, forward));
    editor.refresh();
}

void stepTexts(Editor& editor, bool forward)
{
    const int first = firstSelectedText(editor);
    if (first < 0)
        return;
    const int count = std::min(editor.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
    InteractionState& s = editor.state();
    s.clearTextSelection();
    const int next = wrapped(first, count, forward);
    s.textSelected[next] = true;
    editor.diagram().store.list(model::ListId::Texts).setSelection(next);
    editor.refresh();
}

// The top of a text box as the steps see it: the stored top of a free box, where a label's
// caption is drawn.
int stepTop(const Editor& editor, int index)
{
    if (isLabelText(editor, index)) {
        const auto rect = textBoxScreenRect(editor, index);
        return rect ? rect->top : 0;
    }
    return model::fields::intField(editor.diagram().store.list(model::ListId::Texts).get(index), 1);
}

} // namespace

void tabStep(Editor& editor, bool forward, bool fromMenu)
{
    const InteractionState& s = editor.state();
    if (s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow)
        stepList(editor, model::ListId::Arrows, forward);
    else if (s.is(Tool::Label) || s.selectionKind == SelectionKind::Label)
        stepList(editor, model::ListId::Labels, forward);
    else if (s.is(Tool::TimeBreak) || s.selectionKind == SelectionKind::TimeBreak)
        stepList(editor, model::ListId::TimeBreaks, forward);
    else if (s.selectionKind == SelectionKind::TextBox && !(fromMenu && s.textPlacement == 1))
        stepTexts(editor, forward);
}

bool stepTextsHorizontally(Editor& editor, int direction)
{
    const int step = editor.state().fineStep ? 1 : editor.diagram().settings.cellWidth / kTextStepDivisor;
    const bool moved = step != 0 && moveSelectedTextBoxes(editor, direction * step, 0, TextMove::Step);
    if (moved)
        editor.diagram().modified = true;
    editor.refresh();
    return moved;
}

bool stepTextsVertically(Editor& editor, int direction)
{
    const render::Layout l = render::Layout::from(editor.diagram().settings);
    const int highest = l.topMargin - l.signalHeight / 4;
    const int n = std::min(editor.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        if (!editor.state().textSelected[i])
            continue;
        const int top = stepTop(editor, i);
        int next = editor.state().fineStep ? top + direction : kTextGridY * (top / kTextGridY + direction);
        if (direction < 0 && next < highest)
            break;
        if (next != top) {
            moveTextBox(editor, i, 0, next - top, TextMove::Step);
            moved = true;
        }
    }
    if (moved)
        editor.diagram().modified = true;
    editor.refresh();
    return moved;
}

void nudgeNameColumn(Editor& editor, int dx)
{
    editor.diagram().settings.nameColumnWidth += dx;
    const int n = editor.diagram().store.list(model::ListId::Texts).count();
    for (int i = 0; i < n; ++i)
        if (!isLabelText(editor, i))
            moveTextBox(editor, i, dx, 0, TextMove::Step);
    editor.diagram().modified = true;
    editor.refresh();
    editor.takeSnapshot();
}

int toggledArrowhead(int code, bool beginHead)
{
    // Codes: 0 end only, 1 begin only, 2 both, 3 none.
    static constexpr int kBegin[] = {2, 3, 0, 1};
    static constexpr int kEnd[] = {3, 2, 1, 0};
    if (code < 0 || code > 3)
        return code;
    return beginHead ? kBegin[code] : kEnd[code];
}

} // namespace sigmora::edit
