#pragma once

#include <string_view>

#include "io/base/ImportResult.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// Limits of a WaveJSON import: the rows a diagram holds, and the columns a row holds (the first
// character of a row's cells is the level that enters its first column).
inline constexpr int kMaxImportedRows = 256;
inline constexpr int kMaxImportedColumns = 599;
// Files above this size are not timing diagrams.
inline constexpr std::size_t kMaxWaveJsonBytes = 16u * 1024 * 1024;

// Reads WaveJSON text into a diagram that has just been reset: lanes with name, wave, data,
// period and phase; groups flattened under a separator row with the group's name; spacers as
// blank separators; node/edge arrows where both ends name nodes; head and foot text as text boxes.
// One WaveJSON period is two cells; p is high then low in each period, n low then high; x is
// tri-state with a hatched flood; = and 2-9 start bus values whose labels become text boxes on
// the run. Unknown keys are ignored. Text that is not WaveJSON fails with a message naming the
// problem; lanes past 256 rows and cells past the row length are dropped and noted.
ImportResult readWaveJson(std::string_view text, model::Diagram& diagram, const model::TextMeasurer& measurer);

} // namespace sigmora::io
