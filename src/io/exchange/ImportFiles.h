#pragma once

#include <string>

#include "io/base/ImportResult.h"
#include "io/dump/VcdReader.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// The file-reading side of the imports from other programs: each opens the file, says so when it
// cannot, and reads it into a diagram that has just been reset.

ImportResult importWaveJsonFile(const std::string& path, model::Diagram& diagram, const model::TextMeasurer& measurer);

// A dump file is a value change dump or an FST dump, told apart by its first bytes.
// The header and change counts of a dump file, for choosing what to import.
VcdSurvey surveyVcdFile(const std::string& path);
// The header alone (no change counts), read without going through the dump's body.
VcdSurvey readVcdHeaderFile(const std::string& path);
ImportResult importVcdFile(const std::string& path, const VcdChoice& choice, model::Diagram& diagram,
                           const model::TextMeasurer& measurer);

} // namespace sigmora::io
