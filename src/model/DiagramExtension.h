#pragma once

#include <optional>
#include <string>
#include <vector>

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

    bool empty() const { return !halfPeriodFs && dump.empty(); }
    bool operator==(const DiagramExtension&) const = default;
};

inline constexpr long long kMaxTimeBaseFs = 1'000'000'000'000'000LL; // 1 s

} // namespace sigmora::model
