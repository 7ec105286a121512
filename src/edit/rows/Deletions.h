#pragma once

namespace sigmora::edit {

class Editor;

// Deleting what is selected, each after its question. A signal takes with it every arrow, label,
// time break, flood entry and text box attached to it; a label takes its caption.
void deleteSelectedSignal(Editor& editor);
// Removes the row and everything attached to it without asking: the caller has asked already
// (the signal attributes dialog's "Delete Signal"). Takes no snapshot.
void removeSignalRow(Editor& editor, int row);
void deleteSelectedTextBoxes(Editor& editor);
void deleteCurrentLabel(Editor& editor);
void deleteCurrentTimeBreak(Editor& editor);
void deleteCurrentArrow(Editor& editor);

// "Cu&t": after the abort prologue, the selected annotation or text boxes are deleted, or the
// cells of the signal selection cut.
void cutSelection(Editor& editor);
// The Delete key: by tool, then by selection kind.
void deleteByKey(Editor& editor);

} // namespace sigmora::edit
