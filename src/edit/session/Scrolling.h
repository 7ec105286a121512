#pragma once

namespace sigmora::edit {

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb };

inline constexpr int kScrollLimit = 480;
inline constexpr int kScrollLineStep = 2;
inline constexpr int kScrollPageStep = 10;

// The new scroll position after an action: a line is 2 (one clock cycle or one row), a page 10,
// a thumb position is rounded up to even; never below 0, and a step past 480 is ignored.
int scrolledPosition(int position, ScrollAction action, int thumbPosition = 0);

} // namespace sigmora::edit
