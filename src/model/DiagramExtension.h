#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/TimingParameter.h"

namespace sigmora::model {

// What a diagram holds beyond the items of the diagram file's layout. The diagram file keeps it in
// one tagged, versioned block after its last item, written only when something here is set, so a
// diagram without any of it is written exactly as the layout says.
// The dump a diagram was imported from, and how: enough to read it again and redraw the rows it
// made. Times are in the dump's own unit.
struct DumpSource {
    std::string path;                  // the dump file as it was opened
    std::string clock;                 // the clock's full name; empty with fixed cells
    std::vector<std::string> signals;  // the full names of the variables the rows show, clock first
    std::vector<std::string> rows;     // the names those rows were given, in the same order
    std::optional<long long> from;
    std::optional<long long> to;
    std::optional<long long> cellTime; // fixed cells of this time instead of the clock's half-cycles

    bool empty() const { return path.empty(); }
    bool operator==(const DumpSource&) const = default;
};

struct DiagramExtension {
    // The time base: the time of one cell (half a clock period), in femtoseconds, above 0 and at
    // most 1 s. Unset, the exports ask for (or take from the command line) the half-period.
    std::optional<long long> halfPeriodFs;

    // Set by an import from a dump: what File > Refresh from Dump reads again.
    DumpSource dump;

    // The time ruler above the cycle labels, and the parameter table under the diagram, drawn in
    // every output while set.
    bool timeRuler = false;
    bool parameterTable = false;
    // Violated labels are drawn red on the screen only; set, in printed and exported pictures too.
    bool violationsInPictures = false;
    // The table of timing parameters, in the order the user keeps them.
    std::vector<TimingParameter> parameters;

    bool empty() const
    {
        return !halfPeriodFs && dump.empty() && !timeRuler && !parameterTable && !violationsInPictures &&
               parameters.empty();
    }
    bool operator==(const DiagramExtension&) const = default;
};

inline constexpr long long kMaxTimeBaseFs = 1'000'000'000'000'000LL; // 1 s
// The time of one cell while a diagram has no time base of its own: the exports' first offer.
inline constexpr long long kDefaultTimeBaseFs = 5'000'000; // 5 ns

// The diagram's time base, or the default while it has none.
inline long long timeBaseFs(const DiagramExtension& e) { return e.halfPeriodFs.value_or(kDefaultTimeBaseFs); }

} // namespace sigmora::model
