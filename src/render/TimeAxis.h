#pragma once

#include <string>

namespace sigmora::render {

// How the drawing counts time: cells are half-cycles of the time base, and the change into column
// k is drawn at the left of the column moved by the edge offsets (entries 0 to k + 1, summed).
// Character 0 of a row is the level before the first column, at time 0, so the change into
// column k happens at (k + 1 + offset / cellWidth) x the time base. The value change dump, the
// stimulus files, the measured labels and the time ruler all count time by this one rule.
struct TimeAxis {
    long long halfPeriodFs = 0;
    int cellWidth = 1;

    // Femtoseconds of the change into column `column` drawn `offsetPixels` into it.
    long double changeFs(long long column, long double offsetPixels) const
    {
        return (static_cast<long double>(column) + 1 + offsetPixels / cellWidth) * static_cast<long double>(halfPeriodFs);
    }
    // Femtoseconds at x pixels right of the waveforms' origin (unscrolled).
    long double atX(long double xFromOrigin) const { return changeFs(0, xFromOrigin); }
    // Pixels right of the waveforms' origin (unscrolled) where time fs is drawn.
    long double xOf(long double fs) const
    {
        return (fs / static_cast<long double>(halfPeriodFs) - 1) * cellWidth;
    }
};

// A time for people: three significant digits and the unit that keeps them between 1 and 999
// ("7.5 ns", "1.25 µs", "100 ps"); "0 s" for no time at all. Negative times get a minus sign.
std::string timeText(long double femtoseconds);

// The same for a ruler: its ticks at whole steps, "0" for time 0.
std::string rulerText(long double femtoseconds);

} // namespace sigmora::render
