#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/dump/BusNumbers.h"
#include "io/dump/HdlNames.h"
#include "model/Diagram.h"

namespace sigmora::io {

// The drawn rows of a diagram as timed value changes: what the value change dump and the
// stimulus writers write.
//
// Cells are half-cycles: character k of a row's waveform starts at k x the half-period, and the
// edge offset table moves the change into it by (entries 0 to k, summed) / cellWidth x the
// half-period, rounded to the nearest picosecond: where the drawing puts the edge (a slanted
// edge where its slant starts). Character 0 is the level before the first column, at time 0.
// The row ends with its last drawn cell (waveformWidth / cellWidth characters).
//
// Clocks and signals are 1 bit: '0' and '1' as such, tri-state as z, x where the drawing hatches
// the cell (flood styles 2 to 7; the flood entry of column k covers character k + 1) or draws
// nothing. Rows with two-line cells (3 and 4) are buses: each run of one two-line value takes the
// number of the text box the drawing shows on it (BusNumbers: any width, with unknown and
// high-impedance bits), else x. A bus named with a range ("data[7:0]") has that width and is named
// without it; another is as wide as its widest number (8 bits when there is none).
// Separators and rows that draw nothing are left out.

inline constexpr long long kFemtosecondsPerPicosecond = 1000;

struct TimedChange {
    long long time = 0; // picoseconds
    // 1 bit: "0", "1", "z" or "x"; a bus: width characters, the most significant first, each
    // '0', '1', 'x' or 'z'.
    std::string value;
};

struct TimedRow {
    std::string name;       // as the diagram shows it
    std::string identifier; // legal in the language asked for
    int width = 1;
    std::vector<TimedChange> changes; // the first at time 0; times rising, each value new
    bool clock = false;
    long long slant = 0; // picoseconds: the time its slanted edges take to draw (0 for ideal edges)
};

struct TimedRows {
    bool ok = false;
    std::string error;
    std::string baseName;   // the legal name the module, entity and scope are built from
    long long endTime = 0;  // picoseconds: where the last cell ends
    long long cellTime = 0; // picoseconds: one cell (the half-period); 0 when not a whole number
    std::vector<TimedRow> rows;
    std::vector<std::string> renamings;
};

// The diagram's drawn rows for a file of the language, with the half-period in femtoseconds
// (above 0). baseName is the diagram file's base name ("diagram" for an untitled one). Fails
// with a one-line message for names that collide after renaming, a bus text that is not a
// number, and a diagram with nothing drawn.
TimedRows timedRows(const model::Diagram& diagram, std::string_view baseName, HdlLanguage language,
                    long long halfPeriodFs);

// Stimulus drives what the drawing slants after a clock edge a little after that edge, so that a
// flip-flop clocked by the edge takes the value before the change: every change of a row that is
// no clock, but the values at time 0, moves later by `delay` picoseconds; without one, by the
// row's drawn slant, at least 1 ps. The end time follows the last change.
inline constexpr long long kMinOutputDelayPs = 1;
void applyOutputDelay(TimedRows& rows, std::optional<long long> delay);

// The base name of a diagram file: the name without its folders and its last extension;
// "diagram" for an empty path.
std::string diagramBaseName(std::string_view path);

} // namespace sigmora::io
