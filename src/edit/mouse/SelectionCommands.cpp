#include "edit/mouse/SelectionCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/Deletions.h"
#include "edit/session/Session.h"
#include "edit/mouse/SelectionSteps.h"
#include "edit/rows/SignalOrder.h"
#include "model/NameColumnFitter.h"

namespace sigmora::edit {

namespace {

constexpr const char* kDeleteCellsText = "Delete Cells\tDel";
constexpr const char* kDeleteSignalText = "Delete Signal";

// "Move &Up" / "Move &Down": with the select tool, a text selection steps (with Shift once per
// text box in the diagram), anything else moves the selected signal.
void moveVertically(Session& session, int direction, bool shift)
{
    const InteractionState& s = session.state();
    if (!s.is(Tool::Select))
        return;
    if (s.selectionKind != SelectionKind::TextBox) {
        moveSignal(session, direction);
        return;
    }
    const int repeats = shift ? session.diagram().store.list(model::ListId::Texts).count() : 1;
    bool moved = false;
    for (int i = 0; i < repeats; ++i)
        moved = stepTextsVertically(session, direction) || moved;
    if (moved)
        session.takeSnapshot();
}

void moveHorizontally(Session& session, int direction, bool shift)
{
    const InteractionState& s = session.state();
    if (!s.is(Tool::Select) || s.selectionKind != SelectionKind::TextBox)
        return;
    const int repeats = shift ? session.diagram().store.list(model::ListId::Texts).count() : 1;
    bool moved = false;
    for (int i = 0; i < repeats; ++i)
        moved = stepTextsHorizontally(session, direction) || moved;
    if (moved)
        session.takeSnapshot();
}

void fitNames(Session& session)
{
    model::fitNameColumn(session.diagram(), session.measurer());
    session.refresh();
    session.takeSnapshot();
}

} // namespace

void registerSelectionCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::TabNextSelection, [&session] { tabStep(session, true, true); });
    r.add(cmd::TabPreviousSelection, [&session] { tabStep(session, false, true); });
    r.add(cmd::MoveUp, [&session] { moveVertically(session, -1, session.shiftHeld); });
    r.add(cmd::MoveDown, [&session] { moveVertically(session, +1, session.shiftHeld); });
    r.add(cmd::MoveTextLeft, [&session] { moveHorizontally(session, -1, session.shiftHeld); });
    r.add(cmd::MoveTextRight, [&session] { moveHorizontally(session, +1, session.shiftHeld); });
    r.add(cmd::DecreaseLeftMargin, [&session] { fitNames(session); });
    r.add(cmd::IncreaseLeftMargin, [&session] { fitNames(session); });
    r.add(
        cmd::ctx::Delete, [&session] { deleteSelectedSignal(session); },
        [&session](CommandState& s) {
            s.text = session.state().rectangle.active ? kDeleteCellsText : kDeleteSignalText;
            s.enabled = !session.state().rectangle.active || static_cast<bool>(session.tools().removeCells);
        });
    // Cutting cells belongs to the cell clipboard: without it a signal selection has nothing to cut.
    auto cutState = [&session](CommandState& s) {
        const InteractionState& st = session.state();
        const bool cells = st.selectionKind == SelectionKind::Signal && !st.is(Tool::Arrow) && !st.is(Tool::Label) &&
                           !st.is(Tool::TimeBreak);
        s.enabled = !cells || static_cast<bool>(session.tools().cutCells);
    };
    r.add(cmd::EditCut, [&session] { cutSelection(session); }, cutState);
    r.add(cmd::ctx::Cut, [&session] { cutSelection(session); }, cutState);
}

} // namespace sigmora::edit
