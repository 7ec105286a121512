#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Diagram.h"
#include "model/ReaderReport.h"

namespace sigmora::io {

struct ReadResult {
    enum class Status {
        Ok,              // read in full
        NotSigmora,      // the first string lacks the tag "SGM"
        PreviousVersion, // a version that must be converted ("011", "009" and older)
        Damaged,         // ends early, absurd counts, lengths or layout sizes, bytes that are not text
    };
    Status status = Status::Ok;
    std::string version; // the version string, once read
    std::string problem; // for Damaged: what was wrong
    // For Ok: what of the block after the file's last item was left out, one sentence each.
    std::vector<std::string> notes;
};

// Reads a file of the current version ("012") or of version "010" into a diagram that has just
// been reset; version "010" files get the values of the items they lack. Lists are appended in
// file order. Nothing after the tag and version is read for NotSigmora and PreviousVersion;
// after Damaged the diagram holds whatever was read and must be reset by the caller.
ReadResult readNativeFile(std::string_view bytes, model::Diagram& diagram);

// Reads a file of a previous version ("011", "009" and older) into a diagram that has just been
// reset and converts its records to the current formats (PreviousVersions.h); what the record
// readers found wrong goes into report when one is given.
ReadResult readPreviousVersionFile(std::string_view bytes, model::Diagram& diagram,
                                   model::ReaderReport* report = nullptr);

// Reads a file of any version, converting previous versions.
ReadResult readAnyVersion(std::string_view bytes, model::Diagram& diagram, model::ReaderReport* report = nullptr);

// Puts an undo snapshot back: the six stored lists are cleared (the copy buffer and the delay
// list stay) and every item is read in order without checking the tag or the version. Grid rows
// below the last signal are cleared. False when the bytes are not a complete snapshot.
bool restoreSnapshot(std::string_view bytes, model::Diagram& diagram);

} // namespace sigmora::io
