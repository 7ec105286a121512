#pragma once

#include <string>

#include "model/Diagram.h"

namespace sigmora::app {

// The diagram as lines of text for reading a change in review ("sigmora --text FILE", the
// textconv driver of git diff): every stored setting, every row and every annotation is one line,
// in the order the file holds them, so that a line that changed names what changed:
//   setting cellWidth 30
//   row 2 "data": waveform "0011XX" | delay 0 | ...
//   text 1: "Setup" at 120,40 ...
// Names and texts are quoted with control characters escaped; nothing depends on the time or the
// machine, so the same diagram always gives the same text.
std::string diagramText(const model::Diagram& diagram);

inline constexpr const char* kTextOption = "--text";

// True when the command line starts with "--text".
bool isTextCommand(int argc, char* argv[]);
// "sigmora --text FILE": FILE (any input --convert reads) as diagramText on standard output;
// 0 on success, 1 when FILE cannot be read, 2 for a wrong command line.
int runTextCommand(int argc, char* argv[]);

} // namespace sigmora::app
