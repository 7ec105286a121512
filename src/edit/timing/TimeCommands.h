#pragma once

#include <string>
#include <vector>

namespace sigmora::edit {

class Session;

// The diagram's time: "Time Base..." (the time of one cell), the View options "Time Ruler" and
// "Parameter Table", "Timing Parameters..." (the table and the labels its rows measure) and
// "Check Timing" (every parameter with its measured value and margin). Each change is one undo
// step and marks the diagram modified.
void registerTimeCommands(Session& session);

// The labels a parameter can be bound to, by index: "Label 3: t_{RCD} = {t}" (the caption as
// typed; "Label 3" alone without one).
std::vector<std::string> labelChoices(const Session& session);

// The text "Check Timing" shows: one line per parameter with its measured value and margin.
std::string timingCheckText(const Session& session);

} // namespace sigmora::edit
