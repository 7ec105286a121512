#pragma once

#include "model/Diagram.h"

namespace sigmora::edit {

class Session;

// What every import shares: a fresh diagram to read into,
// and taking a diagram that was read in full as the editor's. A file that cannot be read leaves
// the current diagram as it was.

inline constexpr const char* kAddSignalsFirst = "Please add signals to the waveforms first";

// An empty diagram with the settings New would leave, for a reader to fill.
model::Diagram diagramForImport(const Session& session);

// Replaces the editor's diagram by one read from an exchange file: the diagram has no file of
// its own (Save asks for a name), its label numbers follow its settings, and it is the first
// state Undo returns to.
void takeImportedDiagram(Session& session, model::Diagram&& imported);

} // namespace sigmora::edit
