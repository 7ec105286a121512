#pragma once

#include <string>
#include <vector>

#include "render/RedrawContext.h"
#include "render/TimeAxis.h"

namespace sigmora::render {

// The time ruler above the cycle labels: a line with a tick at every step of a 1-2-5 series
// (1, 2, 5, 10, 20, 50 ... of a unit), the step the smallest that keeps the tick texts ("0",
// "10 ns", "20 ns", "1.5 µs") apart. Its times are those of the time axis, so an edge stands
// under the time the value change dump gives it; time 0 lies one cell left of the first column.

struct RulerTick {
    long double fs = 0;   // the tick's time
    long double x = 0;    // pixels right of the waveforms' origin (unscrolled)
    std::string text;     // "0", "10 ns"
};

// The 1-2-5 steps from the smallest to the largest, in femtoseconds: 1 fs, 2 fs, 5 fs, 10 fs ...
// up to 1000 s.
std::vector<long double> rulerSteps();

// The ticks of one step from fromX to toX (pixels right of the origin, unscrolled); none before
// time 0.
std::vector<RulerTick> rulerTicks(const TimeAxis& axis, long double stepFs, long double fromX, long double toX);

// The smallest step whose ticks stand at least `width(text) + gap` pixels apart, given a
// measure of texts; the largest step when none does.
template <typename Measure>
long double rulerStep(const TimeAxis& axis, long double fromX, long double toX, int gap, Measure&& width);

// The top margin the ruler needs above the rows: with or without the cycle labels under it.
int rulerTopMargin(bool cycleLabels);

// Draws the ruler when the diagram's View option is set.
void drawTimeRuler(RedrawContext& ctx);

// --- template ---

template <typename Measure>
long double rulerStep(const TimeAxis& axis, long double fromX, long double toX, int gap, Measure&& width)
{
    const std::vector<long double> steps = rulerSteps();
    const long double pixelsPerFs = static_cast<long double>(axis.cellWidth) / static_cast<long double>(axis.halfPeriodFs);
    for (long double step : steps) {
        const long double apart = step * pixelsPerFs;
        if (apart < gap)
            continue;
        // The widest texts are at the ruler's far end and at odd multiples of the step: measure
        // a few, not every tick.
        const std::vector<RulerTick> ticks = rulerTicks(axis, step, std::max(toX - 3 * apart, fromX), toX);
        int widest = width(rulerText(step * 3));
        for (const RulerTick& t : ticks)
            widest = std::max(widest, width(t.text));
        if (apart >= widest + gap)
            return step;
    }
    return steps.back();
}

} // namespace sigmora::render
