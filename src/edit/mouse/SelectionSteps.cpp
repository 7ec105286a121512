#include "edit/mouse/SelectionSteps.h"

#include "edit/session/Session.h"
#include "edit/annotations/TextBoxes.h"
#include "model/RecordFields.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

int wrapped(int index, int count, bool forward)
{
    return forward ? (index + 1 >= count ? 0 : index + 1) : (index - 1 < 0 ? count - 1 : index - 1);
}

bool stepList(Session& session, model::ListId id, bool forward)
{
    model::RecordList& records = session.diagram().store.list(id);
    const int count = records.count();
    if (count == 0)
        return false;
    const int current = records.selection();
    records.setSelection(current < 0 || current >= count ? 0 : wrapped(current, count, forward));
    session.refresh();
    return true;
}

bool stepTexts(Session& session, bool forward)
{
    const int first = firstSelectedText(session);
    if (first < 0)
        return false;
    const int count = std::min(session.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
    InteractionState& s = session.state();
    s.clearTextSelection();
    const int next = wrapped(first, count, forward);
    s.textSelected[next] = true;
    session.diagram().store.list(model::ListId::Texts).setSelection(next);
    session.refresh();
    return true;
}

// The top of a text box as the steps see it: the stored top of a free box, where a label's
// caption is drawn.
int stepTop(const Session& session, int index)
{
    if (isLabelText(session, index)) {
        const auto rect = textBoxScreenRect(session, index);
        return rect ? rect->top : 0;
    }
    return model::fields::intField(session.diagram().store.list(model::ListId::Texts).get(index), 1);
}

} // namespace

bool tabStep(Session& session, bool forward, bool fromMenu)
{
    const InteractionState& s = session.state();
    bool stepped = false;
    const char* none = kTabFindsNothing;
    if (s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow) {
        stepped = stepList(session, model::ListId::Arrows, forward);
        none = kTabFindsNoArrow;
    } else if (s.is(Tool::Label) || s.selectionKind == SelectionKind::Label) {
        stepped = stepList(session, model::ListId::Labels, forward);
        none = kTabFindsNoLabel;
    } else if (s.is(Tool::TimeBreak) || s.selectionKind == SelectionKind::TimeBreak) {
        stepped = stepList(session, model::ListId::TimeBreaks, forward);
        none = kTabFindsNoTimeBreak;
    } else if (s.selectionKind == SelectionKind::TextBox && !(fromMenu && s.textPlacement == 1)) {
        stepped = stepTexts(session, forward);
    }
    // Tab with nothing to step through does nothing; the status bar says why.
    if (!stepped)
        session.showStatus(none);
    return stepped;
}

bool stepTextsHorizontally(Session& session, int direction)
{
    const int step = session.state().fineStep ? 1 : session.diagram().settings.cellWidth / kTextStepDivisor;
    const bool moved = step != 0 && moveSelectedTextBoxes(session, direction * step, 0, TextMove::Step);
    if (moved)
        session.diagram().modified = true;
    session.refresh();
    return moved;
}

bool stepTextsVertically(Session& session, int direction)
{
    const render::Layout l = render::Layout::from(session.diagram().settings);
    const int highest = l.topMargin - l.signalHeight / 4;
    const int n = std::min(session.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        if (!session.state().textSelected[i])
            continue;
        const int top = stepTop(session, i);
        int next = session.state().fineStep ? top + direction : kTextGridY * (top / kTextGridY + direction);
        if (direction < 0 && next < highest)
            break;
        if (next != top) {
            moveTextBox(session, i, 0, next - top, TextMove::Step);
            moved = true;
        }
    }
    if (moved)
        session.diagram().modified = true;
    session.refresh();
    return moved;
}

void nudgeNameColumn(Session& session, int dx)
{
    session.diagram().settings.nameColumnWidth += dx;
    const int n = session.diagram().store.list(model::ListId::Texts).count();
    for (int i = 0; i < n; ++i)
        if (!isLabelText(session, i))
            moveTextBox(session, i, dx, 0, TextMove::Step);
    // A run of these keys is one undo step, taken when the run ends.
    session.changed(false);
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
