#pragma once

namespace sigmora::edit {

// Which kind of annotation a click selects when it hits several at once.
enum class OverlapKind { None, TimeBreak, Arrow, Label };

struct OverlapHits {
    bool timeBreak = false;
    bool arrow = false;
    bool label = false;
    // What is selected before the click.
    bool timeBreakSelected = false;
    bool arrowSelected = false;
    bool labelSelected = false;
};

// Chooses the kind for one click and advances turn (0 to 3), so that repeated clicks at one spot
// step through time break, arrow, label and nothing, skipping kinds that are not hit. With a
// single hit that kind is chosen and the turn stays; with none the answer is None.
OverlapKind rotateOverlap(const OverlapHits& hits, int& turn);

} // namespace sigmora::edit
