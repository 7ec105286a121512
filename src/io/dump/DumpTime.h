#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sigmora::io {

// A time as a user types it for a dump: a whole number in the dump's own unit ("460"), or a
// number with a unit of its own ("460ns", "2.5 us"; s, ms, us, ns, ps, fs), which must come to a
// whole number of the dump's unit. timescale is the dump's unit as its header writes it ("1ns",
// "10ps"); empty or unreadable, only whole numbers in that unit are taken.
struct DumpTimeText {
    std::optional<long long> time; // in the dump's unit
    std::string problem;           // why the text is not a time, when time is empty
};
DumpTimeText dumpTimeFromText(std::string_view text, std::string_view timescale);

// A time in the dump's unit written with the largest unit that keeps it at 1 or more ("460ns",
// "2.5us", "0ns"); empty when the timescale cannot be read.
std::string dumpTimeWithUnit(long long time, std::string_view timescale);

} // namespace sigmora::io
