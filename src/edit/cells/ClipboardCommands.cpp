#include "edit/cells/ClipboardCommands.h"

#include "edit/cells/CellClipboard.h"
#include "edit/session/CommandIds.h"
#include "edit/Editor.h"

namespace sigmora::edit {

void registerClipboardCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::EditCopy, [&editor] { copySelection(editor); });
    r.add(cmd::ctx::Copy, [&editor] {
        editor.clipboard.cutOrigin = false;
        editor.clipboard.noPicture = false;
        copySelection(editor);
    });
    // Cut and Delete reach the cells through the tool entry points; Esc empties a copied block.
    editor.tools().cutCells = [&editor] { cutCells(editor); };
    editor.tools().removeCells = [&editor] { return removeCells(editor); };
    editor.tools().emptyCellCopy = [&editor] { dropCellCopy(editor); };
    r.add(cmd::EditPaste, [&editor] { pasteBuffer(editor); });
    r.add(
        cmd::ctx::Paste, [&editor] { pasteBuffer(editor); },
        [&editor](CommandState& s) { s.enabled = editor.clipboard.cellsInBuffer; });
    r.add(
        cmd::ctx::InsertCopiedCells, [&editor] { insertCopiedCells(editor); },
        [&editor](CommandState& s) {
            if (editor.clipboard.cellsInBuffer) {
                s.text = kInsertCopiedCellsText;
            } else if (highlightedBlock(editor)) {
                s.text = kShiftRightText;
            } else {
                s.text = kShiftRightText;
                s.enabled = false;
            }
        });
}

} // namespace sigmora::edit
