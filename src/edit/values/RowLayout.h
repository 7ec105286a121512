#pragma once

#include <functional>

#include "model/DiagramSettings.h"

namespace sigmora::edit {

// The three values of the "Adjust Signal Height/Spacing" window.
struct RowLayout {
    int signalHeight = 16;
    int signalSpacing = 12;
    int topMargin = 20;

    bool operator==(const RowLayout&) const = default;
};

inline constexpr int kMinSignalHeight = 8;
inline constexpr int kMaxSignalHeight = 32;
inline constexpr int kMinSignalSpacing = 0;
inline constexpr int kMaxSignalSpacing = 24;
inline constexpr int kMinTopMargin = 20;
inline constexpr int kMaxTopMargin = 420;
inline constexpr RowLayout kDefaultRowLayout{16, 12, 20};

RowLayout rowLayoutOf(const model::DiagramSettings& settings);
// Each value held within the range its track bar offers.
RowLayout clampedRowLayout(const RowLayout& layout);

// What the modeless window needs of the editor: the values now, the layout change (which
// redraws) and the refresh request.
struct RowLayoutLink {
    std::function<RowLayout()> current;
    std::function<void(const RowLayout&)> apply;
    std::function<void()> refresh;
};

} // namespace sigmora::edit
