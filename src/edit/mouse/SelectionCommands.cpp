#include "edit/mouse/SelectionCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/Deletions.h"
#include "edit/Editor.h"
#include "edit/mouse/SelectionSteps.h"
#include "edit/rows/SignalOrder.h"
#include "model/NameColumnFitter.h"

namespace sigmora::edit {

namespace {

constexpr const char* kDeleteCellsText = "Delete Cells\tDel";
constexpr const char* kDeleteSignalText = "Delete Signal";

// "Move &Up" / "Move &Down": with the select tool, a text selection steps (with Shift once per
// text box in the diagram), anything else moves the selected signal.
void moveVertically(Editor& editor, int direction, bool shift)
{
    const InteractionState& s = editor.state();
    if (!s.is(Tool::Select))
        return;
    if (s.selectionKind != SelectionKind::TextBox) {
        moveSignal(editor, direction);
        return;
    }
    const int repeats = shift ? editor.diagram().store.list(model::ListId::Texts).count() : 1;
    bool moved = false;
    for (int i = 0; i < repeats; ++i)
        moved = stepTextsVertically(editor, direction) || moved;
    if (moved)
        editor.takeSnapshot();
}

void moveHorizontally(Editor& editor, int direction, bool shift)
{
    const InteractionState& s = editor.state();
    if (!s.is(Tool::Select) || s.selectionKind != SelectionKind::TextBox)
        return;
    const int repeats = shift ? editor.diagram().store.list(model::ListId::Texts).count() : 1;
    bool moved = false;
    for (int i = 0; i < repeats; ++i)
        moved = stepTextsHorizontally(editor, direction) || moved;
    if (moved)
        editor.takeSnapshot();
}

void fitNames(Editor& editor)
{
    model::fitNameColumn(editor.diagram(), editor.measurer());
    editor.refresh();
    editor.takeSnapshot();
}

} // namespace

void registerSelectionCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::TabNextSelection, [&editor] { tabStep(editor, true, true); });
    r.add(cmd::TabPreviousSelection, [&editor] { tabStep(editor, false, true); });
    r.add(cmd::MoveUp, [&editor] { moveVertically(editor, -1, editor.shiftHeld); });
    r.add(cmd::MoveDown, [&editor] { moveVertically(editor, +1, editor.shiftHeld); });
    r.add(cmd::MoveTextLeft, [&editor] { moveHorizontally(editor, -1, editor.shiftHeld); });
    r.add(cmd::MoveTextRight, [&editor] { moveHorizontally(editor, +1, editor.shiftHeld); });
    r.add(cmd::DecreaseLeftMargin, [&editor] { fitNames(editor); });
    r.add(cmd::IncreaseLeftMargin, [&editor] { fitNames(editor); });
    r.add(
        cmd::ctx::Delete, [&editor] { deleteSelectedSignal(editor); },
        [&editor](CommandState& s) {
            s.text = editor.state().rectangle.active ? kDeleteCellsText : kDeleteSignalText;
            s.enabled = !editor.state().rectangle.active || static_cast<bool>(editor.tools().removeCells);
        });
    // Cutting cells belongs to the cell clipboard: without it a signal selection has nothing to cut.
    auto cutState = [&editor](CommandState& s) {
        const InteractionState& st = editor.state();
        const bool cells = st.selectionKind == SelectionKind::Signal && !st.is(Tool::Arrow) && !st.is(Tool::Label) &&
                           !st.is(Tool::TimeBreak);
        s.enabled = !cells || static_cast<bool>(editor.tools().cutCells);
    };
    r.add(cmd::EditCut, [&editor] { cutSelection(editor); }, cutState);
    r.add(cmd::ctx::Cut, [&editor] { cutSelection(editor); }, cutState);
}

} // namespace sigmora::edit
