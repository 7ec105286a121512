#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Diagram.h"

namespace sigmora::io {

struct SvgReadResult {
    enum class Status {
        Ok,
        NotSigmora, // the marker line is not within the first 200 bytes
        NoData,     // the data comments do not start anywhere in the document
        Damaged,    // the data comments end early or hold values no diagram can have
    };
    Status status = Status::Ok;
    std::string problem; // for Damaged: what was wrong
    // What of the diagram's time base, timing parameters or dump source could not be read and was
    // left out, one sentence each.
    std::vector<std::string> notes;
};

// Reads the diagram back from the data comments of an SVG document this program wrote (any SVG
// scale; the drawing itself is passed over). The comments are located one by one, so the values
// are those the writer put there whatever the line ends. diagram must have just been reset; after
// any status but Ok it holds partial data and must be dropped. The label numbers are left to the
// caller.
SvgReadResult readSvgDiagram(std::string_view bytes, model::Diagram& diagram);

} // namespace sigmora::io
