#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/native/ArchiveWriter.h"
#include "model/DiagramExtension.h"

namespace sigmora::io {

// The one block the diagram file (and the undo snapshot) holds after its last item: what a diagram
// holds beyond the layout (model::DiagramExtension). Written only when the extension is not empty,
// so that a diagram without it is written byte for byte as before; a reader of the layout alone
// stops before it and never sees it.
//
//   string "SGMX"            the block's tag, as the file's strings are written
//   int32  version           kExtensionVersion
//   int32  length            bytes of the entries that follow
//   entries                  pairs of strings, a key and its value:
//                              "timebase"  the time base in femtoseconds, decimal
//                              "dump.*"    the dump the diagram was imported from (DumpSourceEntries)
//                              "ruler", "parametertable", "violationsinpictures"
//                                          "1" while the View option is set
//                              "parameter" one row of the timing parameter table: symbol,
//                                          description, min, typ, max, unit and label index,
//                                          joined by tabs (an empty field: not given)
//
// A reader keeps what it understands and says, one sentence each, what it left out: a block of an
// unknown tag or version, one cut short (the entries read before the cut are kept), bytes after it,
// a key it does not know, a value out of range. None of these makes the diagram unreadable.
inline constexpr std::string_view kExtensionTag = "SGMX";
inline constexpr int kExtensionVersion = 1;

void writeExtensionBlock(const model::DiagramExtension& extension, ArchiveWriter& w);

// Reads the bytes after the file's last item into extension (left empty when there are none).
void readExtensionBlock(std::string_view bytes, model::DiagramExtension& extension, std::vector<std::string>& notes);

} // namespace sigmora::io
