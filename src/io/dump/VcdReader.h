#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "io/base/ImportResult.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::io {

// Vectors up to kMaxVcdWidth bits become rows; wider ones (up to kMaxDeclaredVcdWidth) are left out
// with a note. A width of 0 or past kMaxDeclaredVcdWidth is refused as damage.
inline constexpr int kMaxVcdWidth = 1024;
inline constexpr int kMaxDeclaredVcdWidth = 65536;
// A dump declaring more variables than this is refused.
inline constexpr std::size_t kMaxVcdVariables = 1000000;
// Value changes kept while waiting for the end of one half-cycle of the clock.
inline constexpr std::size_t kMaxPendingChanges = 1000000;

struct VcdVariable {
    std::string name; // hierarchical: scopes and the reference joined with '.'
    std::string code; // identifier code; aliases share one
    int width = 1;
    bool real = false;
    long long changes = 0; // value changes seen by surveyVcd
};

// What the header of a dump declares, and what a survey of its changes found.
struct VcdSurvey {
    bool ok = false;
    std::string error;
    std::string timescale; // as written, e.g. "1ns"
    std::vector<VcdVariable> variables;
    long long firstTime = 0;
    long long lastTime = 0;
    // The time of one cell, in the dump's unit, when the dump says it (a dump this program wrote
    // does: "$comment sigmora-cell T $end").
    std::optional<long long> cellTime;
};

// Reads the whole dump once, in bounded memory: the header, and how often each variable changes.
VcdSurvey surveyVcd(std::istream& in);

// The header of a dump only: its unit and its variables, without change counts (nothing of the
// body is read).
VcdSurvey readVcdHeader(std::istream& in);

// The clock an import takes when the user names none: a 1-bit variable whose own name is like
// "clk" or "clock", else the 1-bit variable that changes most often; empty when there is none.
std::string defaultVcdClock(const VcdSurvey& survey);
// True when that choice depends on how often the variables change, that is unless exactly one
// 1-bit variable is named like a clock: then the header alone names the default clock.
bool defaultVcdClockNeedsCounts(const VcdSurvey& header);

struct VcdChoice {
    std::string clock;                // a variable's hierarchical name (or its end after a '.')
    std::vector<std::string> signals; // empty: every variable but the clock, in declaration order
    std::optional<long long> from;    // in the dump's time units
    std::optional<long long> to;
    // Cells of this time each, the first starting one cell after `from` (or time 0) as a drawn
    // diagram's first column does, instead of a clock's half-cycles: for a dump that says its cell
    // time. Rows named like a clock are clock rows then.
    std::optional<long long> cellTime = std::nullopt;
};

// Reads the dump once and makes a diagram of it in a diagram that has just been reset. Cells are
// the half-cycles of the chosen clock from its first edge at or after `from` (or of the cell time
// asked for); each cell takes
// every signal's value at the middle of its half-cycle. The clock becomes a clock row, 1-bit
// variables signal rows (z tri-state, x tri-state with a hatched flood), vectors bus rows with a
// new value at each change and the value in hexadecimal as a text box on its run. Names lose the
// scopes all chosen variables share. Reading stops once the window or the row is full; what was
// cut is noted. Damaged dumps (truncated, unknown keywords, undeclared codes, time going
// backwards, absurd widths) fail with a message naming the line. The diagram's extension keeps how
// it was read (the clock, the variables and the names of their rows, the window; not the path).
ImportResult readVcd(std::istream& in, const VcdChoice& choice, model::Diagram& diagram,
                     const model::TextMeasurer& measurer);

} // namespace sigmora::io
