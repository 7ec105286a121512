#pragma once

#include <string>

#include "model/Diagram.h"

namespace sigmora::io {

// Writes the whole diagram in the current native layout (tag "SGM", version "012") into out,
// replacing what it held; out keeps its capacity, so a reused buffer does not grow again.
void writeNativeFile(const model::Diagram& diagram, std::string& out);
std::string nativeFileBytes(const model::Diagram& diagram);

} // namespace sigmora::io
