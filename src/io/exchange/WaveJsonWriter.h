#pragma once

#include <string>
#include <vector>

#include "model/Diagram.h"

namespace sigmora::io {

// The diagram as WaveJSON, the text format of the WaveDrom family of timing-diagram tools: one
// lane per row in row order, separators as spacer lanes "{}" (with the name the user gave them),
// and the columns the drawing shows (DrawnColumns: a lane of whole cycles may reach half a cycle
// past them).
// One WaveJSON period is one clock cycle, two cells. A lane whose cells change only on whole
// cycles gets one character per cycle; one that changes only on the other half-cycles is shifted
// with "phase"; any other gets one character per cell with "period" 0.5. Where one lane ends with
// the diagram, the others leave off a last character that only reaches half a cycle past the end
// to repeat what came before (reading pads a short lane with its last value): a shifted lane is
// written back as long as it was read. Levels are 0 and 1
// (clock rows that show only levels use the clock characters p, n, h and l, with P and N for edge
// arrows; other clock rows are written as signals), tri-state
// is z, a hatched column (any value) is x, and a bus value is "=" with "." for its continuation,
// labelled with the text of the text box the drawing shows on that run (an empty label when there
// is none).
// Beside the lanes: arrows and labels as node letters and edges, time breaks as gaps, free text
// above the first row and below the last as head and foot text, and a solid-line separator the
// user named as a group of the rows up to the next separator (WaveJsonAnnotations says how).
// The text is UTF-8 JSON.
struct WaveJsonExport {
    std::string text;
    std::vector<std::string> notes; // what the format cannot carry and was left out, one sentence each
};
WaveJsonExport waveJsonExport(const model::Diagram& diagram);
std::string waveJsonText(const model::Diagram& diagram);

} // namespace sigmora::io
