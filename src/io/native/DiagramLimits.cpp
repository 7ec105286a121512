#include "io/native/DiagramLimits.h"

#include <algorithm>
#include <cstdint>

#include "io/native/NativeLayout.h"

namespace sigmora::io {

namespace {

bool layoutInRange(const model::DiagramSettings& s)
{
    for (IntSetting setting : layout::kLayoutSizes)
        if (s.*setting < -kMaxLayoutMagnitude || s.*setting > kMaxLayoutMagnitude)
            return false;
    return true;
}

// Edge offsets are added up along a row: each must be a width a cell can have.
bool edgeOffsetsInRange(const model::ObjectStore& store)
{
    const int rows = std::min(store.signalCount(), model::kMaxRows);
    if (rows <= 0)
        return true;
    const std::int32_t* first = store.edgeOffsets().row(0);
    return std::all_of(first, first + static_cast<std::size_t>(rows) * model::kMaxCells, [](std::int32_t v) {
        return v >= -kMaxLayoutMagnitude && v <= kMaxLayoutMagnitude;
    });
}

} // namespace

std::optional<std::string> diagramOutOfRange(const model::Diagram& diagram)
{
    if (!layoutInRange(diagram.settings))
        return "a layout size is out of range";
    if (!edgeOffsetsInRange(diagram.store))
        return "an edge offset is out of range";
    return std::nullopt;
}

} // namespace sigmora::io
