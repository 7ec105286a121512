#pragma once

#include <string>

#include "io/dump/DrawnChanges.h"

namespace sigmora::io {

// The drawn rows as a Verilog module "<name>_stimulus" (`timescale 1ns/1ps) with one output reg
// port per row and one initial block that gives every row its value at time 0 and then drives
// each change after a # delay, ending where the last cell ends. Made with the Verilog names.
std::string verilogStimulus(const TimedRows& rows);

// "#5.25" style delays: picoseconds written in nanoseconds with up to three decimals.
std::string nanosecondText(long long picoseconds);

} // namespace sigmora::io
