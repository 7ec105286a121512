#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::edit {

// Redraws the rows a diagram was imported from a dump with, from that dump read again or from a
// newer one, keeping everything else of the diagram. What is attached to a redrawn row (arrow,
// label and time-break ends, text boxes, floods) stays on the same edge of the row, the n-th from
// the window's start, or, where it is on no edge, at the same cell; what cannot be placed (its edge
// is gone) stays where it was and is listed. Rows drawn by hand, and a row whose signal the dump
// no longer has, are left as they are (the latter listed too). The bus values the import wrote
// on a row (0x..., x, z) are written anew; the import's hatch of unknown cells (its diagonal cross
// over tri-state cells, and over a bus row) is drawn anew, any other flood is a user's.

struct RefreshRequest {
    std::string dumpPath;              // empty: the dump the diagram was imported from
    std::optional<long long> from;     // the window in the dump's unit; unset: as it was imported
    std::optional<long long> to;
};

struct RefreshResult {
    bool ok = false;
    std::string error;                 // why nothing was changed
    std::vector<std::string> notes;    // what the reading of the dump left out
    std::vector<std::string> unplaced; // what stayed where it was, a sentence each
};

inline constexpr const char* kNoDumpSource = "This diagram was not imported from a dump: there is nothing to refresh.";

// Changes the diagram only when it answers ok.
RefreshResult refreshFromDump(model::Diagram& diagram, const RefreshRequest& request,
                              const model::TextMeasurer& measurer);

} // namespace sigmora::edit
