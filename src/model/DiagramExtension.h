#pragma once

#include <optional>

namespace sigmora::model {

// What a diagram holds beyond the items of the diagram file's layout. The diagram file keeps it in
// one tagged, versioned block after its last item, written only when something here is set, so a
// diagram without any of it is written exactly as the layout says.
struct DiagramExtension {
    // The time base: the time of one cell (half a clock period), in femtoseconds, above 0 and at
    // most 1 s. Unset, the exports ask for (or take from the command line) the half-period.
    std::optional<long long> halfPeriodFs;

    bool empty() const { return !halfPeriodFs; }
    bool operator==(const DiagramExtension&) const = default;
};

inline constexpr long long kMaxTimeBaseFs = 1'000'000'000'000'000LL; // 1 s

} // namespace sigmora::model
