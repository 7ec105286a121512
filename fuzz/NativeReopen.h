#pragma once

#include <cstdlib>
#include <string>

#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/Diagram.h"

#include "ReusedDiagrams.h"

namespace sigmora::fuzz {

// What a reader took in is saved as a diagram file, which must reopen to the same bytes: a reader
// may never make a diagram that Save writes and Open then refuses.
inline void expectNativeReopens(const model::Diagram& diagram)
{
    const std::string bytes = io::nativeFileBytes(diagram);
    model::Diagram& reopened = reusedDiagram(2);
    if (io::readNativeFile(bytes, reopened).status != io::ReadResult::Status::Ok)
        std::abort();
    if (io::nativeFileBytes(reopened) != bytes)
        std::abort();
}

} // namespace sigmora::fuzz
