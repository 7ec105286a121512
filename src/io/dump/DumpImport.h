#pragma once

#include <functional>
#include <string>

#include "io/base/ImportResult.h"
#include "io/dump/DumpSampler.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// The reading of a dump's body, whatever its format: hands every change to the sampler and
// answers false with the reason when the dump is damaged.
using DumpBodyReader = std::function<bool(sampling::Sampler& sampler, std::string& error)>;
// The number of a variable's identifier code, as the reader of the body numbers it.
using DumpCodeNumber = std::function<int(const std::string& code)>;

// The import of a dump whose header has been read: chooses the clock and the signals (VcdChoice),
// reads the body through readBody and builds the diagram, as readVcd describes.
ImportResult importDump(const VcdSurvey& header, int codeCount, const DumpCodeNumber& codeOf,
                        const DumpBodyReader& readBody, const VcdChoice& choice, model::Diagram& diagram,
                        const model::TextMeasurer& measurer);

} // namespace sigmora::io
