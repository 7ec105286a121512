#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/native/ArchiveWriter.h"
#include "model/DiagramExtension.h"

namespace sigmora::io {

// The entries of the extension block that say which dump a diagram was imported from
// (model::DumpSource), each a key and a string value:
//   "dump.path"     the dump file
//   "dump.clock"    the clock's full name (absent with fixed cells)
//   "dump.signals"  the variables' full names, one per line
//   "dump.rows"     the names of the rows they made, one per line
//   "dump.from", "dump.to", "dump.cell"   times in the dump's unit, decimal, when set
// A dump's names hold no line breaks, so one line per name keeps them apart.

void writeDumpSourceEntries(const model::DumpSource& dump, ArchiveWriter& w);

// Takes one entry when its key is one of the dump's (true), noting a value that cannot be one.
bool readDumpSourceEntry(std::string_view key, const std::string& value, model::DumpSource& dump,
                         std::vector<std::string>& notes);

// After the last entry: a source without its path, or whose names and rows differ in number, is
// left out with a note.
void checkDumpSource(model::DumpSource& dump, std::vector<std::string>& notes);

} // namespace sigmora::io
