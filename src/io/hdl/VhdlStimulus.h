#pragma once

#include <string>

#include "io/dump/DrawnChanges.h"

namespace sigmora::io {

// The drawn rows as a VHDL entity "<name>_stimulus" with one out std_logic (a bus:
// std_logic_vector) port per row, and an architecture whose one process gives every row its value
// at time 0 and then drives each change after a "wait for", ending where the last cell ends and
// waiting for ever. Made with the VHDL names.
std::string vhdlStimulus(const TimedRows& rows);

} // namespace sigmora::io
