#pragma once

#include <string>
#include <string_view>

#include "io/base/ImportResult.h"
#include "io/dump/VcdReader.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// FST, the compressed dump format of GTKWave and the simulators, read through their own reader
// library into what a value change dump's reading makes: the same survey, the same variable
// names (scopes joined with '.', a vector's range after its name), the same cells. A variable's
// identifier code is its FST handle in decimal. The library runs in a child process of its own: a
// damaged dump it cannot read past (it would end the process, or read out of bounds) is refused
// with a reason, and the program goes on.

// Whether the first bytes of a file are those of an FST dump (its header block, or the whole dump
// compressed).
bool looksLikeFst(std::string_view firstBytes);

// The header (unit and variables) of an FST dump, as readVcdHeader answers it.
VcdSurvey readFstHeader(const std::string& path);
// The header and how often each variable changes, as surveyVcd answers it.
VcdSurvey surveyFst(const std::string& path);
// The import of an FST dump, as readVcd makes it of a value change dump.
ImportResult readFst(const std::string& path, const VcdChoice& choice, model::Diagram& diagram,
                     const model::TextMeasurer& measurer);

} // namespace sigmora::io
