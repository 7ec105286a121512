#include "edit/mouse/KeyInput.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/Deletions.h"
#include "edit/session/Session.h"
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

void nudge(Session& session, bool arrow, int dx, int dy)
{
    const auto& hook = arrow ? session.tools().nudgeArrow : session.tools().nudgeLabel;
    if (hook)
        hook(dx, dy);
}

// Shift+Comma / Shift+Period: the selected arrow (or, with none, the selected label) toggles one head.
void toggleHead(Session& session, bool beginHead)
{
    const InteractionState& s = session.state();
    model::RecordList& arrows = session.diagram().store.list(model::ListId::Arrows);
    model::RecordList& labels = session.diagram().store.list(model::ListId::Labels);
    const bool arrow = (arrows.selection() >= 0 && arrows.selection() < arrows.count()) || s.is(Tool::Arrow);
    model::RecordList& records = arrow ? arrows : labels;
    const int index = records.selection();
    if (index < 0 || index >= records.count() || !model::fields::hasField(records.get(index), kArrowheadField))
        return;
    const std::string& record = records.get(index);
    const int code = model::fields::intField(record, kArrowheadField);
    records.replace(index, model::fields::withIntField(record, kArrowheadField, toggledArrowhead(code, beginHead)));
    session.changed();
}

void escape(Session& session)
{
    InteractionState& s = session.state();
    s.rectangle.active = false;
    s.rectangle.dragging = false;
    if (session.diagram().store.list(model::ListId::CopyBuffer).count() > 0) {
        if (session.tools().emptyCellCopy)
            session.tools().emptyCellCopy();
        else
            session.diagram().store.list(model::ListId::CopyBuffer).clear();
    }
    cancelHalfMadeAnnotations(session);
    s.currentTool = Tool::Select;
    s.textPlacement = 0;
    session.execute(cmd::ModeEdit);
    session.updateCursor();
    session.refresh();
}

bool horizontal(Session& session, const KeyPress& k, int direction)
{
    const InteractionState& s = session.state();
    if (k.ctrl) {
        nudgeNameColumn(session, direction);
    } else if (k.shift) {
        session.scrollHorizontal(direction < 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
    } else if (arrowTarget(s)) {
        nudge(session, true, direction, 0);
    } else if (labelTarget(s)) {
        nudge(session, false, direction, 0);
    } else if (textSelection(s)) {
        stepTextsHorizontally(session, direction);
    } else {
        return false;
    }
    return true;
}

bool vertical(Session& session, const KeyPress& k, int direction)
{
    const InteractionState& s = session.state();
    if (k.shift) {
        session.scrollVertical(direction < 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
    } else if (textSelection(s)) {
        stepTextsVertically(session, direction);
    } else if (arrowTarget(s)) {
        nudge(session, true, 0, direction);
    } else if (labelTarget(s)) {
        nudge(session, false, 0, direction);
    } else if (s.is(Tool::Select)) {
        moveSignal(session, direction);
    } else {
        return false;
    }
    return true;
}

bool character(Session& session, const KeyPress& k)
{
    if (k.ctrl && k.character == 'A') {
        if (selectedTextCount(session) == 0)
            return false;
        const int n = std::min(session.diagram().store.list(model::ListId::Texts).count(), kSelectionFlags);
        for (int i = 0; i < n; ++i)
            session.state().textSelected[i] = true;
        session.refresh();
        return true;
    }
    if (k.ctrl && k.character == 'C')
        return session.execute(cmd::EditCopy);
    if (k.ctrl && k.character == 'V')
        return session.execute(cmd::EditPaste);
    if (k.ctrl && k.character == 'I')
        return session.execute(cmd::ctx::InsertCopiedCells);
    if (k.shift && (k.character == ',' || k.character == '.')) {
        toggleHead(session, k.character == ',');
        return true;
    }
    return false;
}

bool dispatch(Session& session, const KeyPress& k)
{
    switch (k.key) {
    case Key::Character: return character(session, k);
    case Key::Tab: tabStep(session, !k.shift, false); return true;
    case Key::Escape: escape(session); return true;
    case Key::Left: return horizontal(session, k, -1);
    case Key::Right: return horizontal(session, k, +1);
    case Key::Up: return vertical(session, k, -1);
    case Key::Down: return vertical(session, k, +1);
    case Key::Delete: deleteByKey(session); return true;
    case Key::Insert: return session.execute(cmd::ctx::InsertCopiedCells);
    }
    return false;
}

// With Alt the arrow keys move selected text boxes and the selected arrow by single pixels.
bool altArrowKey(Session& session, const KeyPress& k)
{
    const InteractionState& s = session.state();
    const int dx = k.key == Key::Left ? -1 : k.key == Key::Right ? 1 : 0;
    const int dy = k.key == Key::Up ? -1 : k.key == Key::Down ? 1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    if (textSelection(s)) {
        if (dx != 0)
            stepTextsHorizontally(session, dx);
        else
            stepTextsVertically(session, dy);
        return true;
    }
    if (s.selectionKind == SelectionKind::Arrow || (s.is(Tool::Arrow) && s.arrowStep == kStepIdle)) {
        nudge(session, true, dx, dy);
        return true;
    }
    return false;
}

bool arrowKey(const KeyPress& k)
{
    return k.key == Key::Left || k.key == Key::Right || k.key == Key::Up || k.key == Key::Down;
}

// The arrow keys that nudge a text box, an arrow or a label, or the name column by a pixel, make
// runs: a run of one kind is one undo step, closed when something else is done.
Session::StepRun runOf(const Session& session, const KeyPress& k)
{
    const InteractionState& s = session.state();
    if (!arrowKey(k) || k.shift)
        return Session::StepRun::None;
    if (k.ctrl && !k.alt)
        return k.key == Key::Left || k.key == Key::Right ? Session::StepRun::NameColumn : Session::StepRun::None;
    if (textSelection(s) || arrowTarget(s) || labelTarget(s))
        return Session::StepRun::Nudge;
    return Session::StepRun::None;
}

} // namespace

bool keyDown(Session& session, const KeyPress& key)
{
    Session::Step step(session, runOf(session, key));
    InteractionState& s = session.state();
    s.fineStep = key.alt;
    const bool used = key.alt ? altArrowKey(session, key) : dispatch(session, key);
    s.fineStep = false;
    return used;
}

} // namespace sigmora::edit
