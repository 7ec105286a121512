#pragma once

#include <string>
#include <vector>

#include "io/dump/DrawnChanges.h"

namespace sigmora::io {

// The drawn rows as a value change dump: one scope named after the diagram, $timescale 1ps, every
// row a wire of its width, the values at time 0 under $dumpvars, then the changes in time order,
// and a last time stamp where the last cell ends.
std::string vcdText(const TimedRows& rows);

// Every change of every row in time order (rows in their order within one time), the values at
// time 0 first: what each writer walks through.
struct TimedEvent {
    long long time;
    int row;
    const std::string* value;
};
std::vector<TimedEvent> eventsInTimeOrder(const TimedRows& rows);

} // namespace sigmora::io
