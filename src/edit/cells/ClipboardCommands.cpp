#include "edit/cells/ClipboardCommands.h"

#include "edit/cells/CellClipboard.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"

namespace sigmora::edit {

void registerClipboardCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::EditCopy, [&session] { copySelection(session); });
    r.add(cmd::ctx::Copy, [&session] {
        session.clipboard.cutOrigin = false;
        session.clipboard.noPicture = false;
        copySelection(session);
    });
    // Cut and Delete reach the cells through the tool entry points; Esc empties a copied block.
    session.tools().cutCells = [&session] { cutCells(session); };
    session.tools().removeCells = [&session] { return removeCells(session); };
    session.tools().emptyCellCopy = [&session] { dropCellCopy(session); };
    r.add(cmd::EditPaste, [&session] { pasteBuffer(session); });
    r.add(
        cmd::ctx::Paste, [&session] { pasteBuffer(session); },
        [&session](CommandState& s) { s.enabled = session.clipboard.cellsInBuffer; });
    r.add(
        cmd::ctx::InsertCopiedCells, [&session] { insertCopiedCells(session); },
        [&session](CommandState& s) {
            if (session.clipboard.cellsInBuffer) {
                s.text = kInsertCopiedCellsText;
            } else if (highlightedBlock(session)) {
                s.text = kShiftRightText;
            } else {
                s.text = kShiftRightText;
                s.enabled = false;
            }
        });
}

} // namespace sigmora::edit
