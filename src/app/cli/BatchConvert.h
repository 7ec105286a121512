#pragma once

namespace sigmora::app {

// The conversion of many files in one run, the form office suites use:
//   sigmora --convert-to FORMAT[,FORMAT...] [--outdir DIR] [--jobs N] [dump options] FILE...
// Every FILE (any input "sigmora --convert" reads) is written as each FORMAT ("svg", "png",
// ".pdf", ...: an extension --convert writes, with or without its dot), named after FILE with the
// format's extension, in DIR or beside FILE. The files are shared out among worker processes,
// one a core (or N), each started before any application object exists; a failed file prints one
// line on standard error naming it and the reason, and the others are still converted. Nothing
// half-written is left: every output replaces its file only when complete.

inline constexpr const char* kConvertToOption = "--convert-to";

// True when the command line starts with "--convert-to".
bool isConvertToCommand(int argc, char* argv[]);

// Runs the command: 0 when every file was converted, 1 when any failed, 2 for a wrong command line.
int runConvertToCommand(int argc, char* argv[]);

} // namespace sigmora::app
