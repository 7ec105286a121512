#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sigmora::io {

// The half-period the value change dump and stimulus exports give one cell: a number and a unit
// (fs, ps, ns, us, ms or s), kept in femtoseconds.
inline constexpr long long kDefaultHalfPeriodFs = 5'000'000; // 5 ns: a 100 MHz clock
inline constexpr long long kMaxHalfPeriodFs = 1'000'000'000'000'000; // 1 s

struct HalfPeriodText {
    std::optional<long long> femtoseconds;
    std::string error; // why the text is not a half-period
};

// "5ns", "2.5 ns", "100ps": above 0, at most 1 s, a whole number of femtoseconds.
// `what` names the time in the messages ("The output delay 0x5ns is not a time...").
HalfPeriodText parseHalfPeriod(std::string_view text, std::string_view what = "half-period");

// The output delay of the stimulus exports, typed as a time ("1ns", "250ps"): how long after a
// clock edge the other rows change, in picoseconds, at least 1 ps and shorter than the
// half-period given (a change so late would pass the next edge). An empty text is no delay of its
// own (each row's drawn slant); a text that cannot be one says why.
struct OutputDelayText {
    std::optional<long long> picoseconds;
    std::string error;
};
OutputDelayText parseOutputDelay(std::string_view text, long long halfPeriodFs);

// The half-period written back in the largest unit that keeps it whole: "5ns", "2500ps".
std::string halfPeriodText(long long femtoseconds);

} // namespace sigmora::io
