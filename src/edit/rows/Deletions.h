#pragma once

namespace sigmora::edit {

class Session;

// Deleting what is selected, each after its question. A signal takes with it every arrow, label,
// time break, flood entry and text box attached to it; a label takes its caption.
void deleteSelectedSignal(Session& session);
// Removes the row and everything attached to it without asking: the caller has asked already
// (the signal attributes dialog's "Delete Signal"). Takes no snapshot.
void removeSignalRow(Session& session, int row);
void deleteSelectedTextBoxes(Session& session);
void deleteCurrentLabel(Session& session);
void deleteCurrentTimeBreak(Session& session);
void deleteCurrentArrow(Session& session);

// "Cu&t": after the abort prologue, the selected annotation or text boxes are deleted, or the
// cells of the signal selection cut.
void cutSelection(Session& session);
// The Delete key: by tool, then by selection kind.
void deleteByKey(Session& session);

} // namespace sigmora::edit
