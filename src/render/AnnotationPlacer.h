#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Diagram.h"
#include "render/Geometry.h"
#include "render/Layout.h"

namespace sigmora::render {

// Anchor codes of arrow and label ends: where on the row an end sits.
inline constexpr int kAnchorMiddle = 0;
inline constexpr int kAnchorFloating = 1;

// One end of an arrow or label as its record gives it.
struct AnnotationEnd {
    int cell = 0;
    int signalIndex = 0;
    int anchor = kAnchorMiddle;
    Point stored; // the stored pixel position of a floating end (unscrolled diagram coordinates)
};

// Places the ends of arrows and labels on the diagram by the endpoint rule: the column of the
// end's cell, the height of its anchor on the row, the row's edge offsets and, on slanted edges,
// the part of the slant at that height. Rows are looked up by name once per redraw.
class AnnotationPlacer {
public:
    AnnotationPlacer(const model::Diagram& diagram, const Layout& layout);

    // The signal index of a row name, as records name their rows (trimmed, any case); the
    // store's no-match answer when no row has the name.
    int signalIndexOf(std::string_view name) const;

    // The point of an end. fallbackDelay is the delay sum used when the end's row does not
    // exist (the begin end's); delaySum receives this end's own delay sum.
    Point place(const AnnotationEnd& end, int fallbackDelay = 0, int* delaySum = nullptr) const;

    // Places a begin and an end together: the end falls back to the begin's delay sum.
    std::pair<Point, Point> placePair(const AnnotationEnd& begin, const AnnotationEnd& end) const;

    // The height of an anchor code below the row top (unknown codes sit in the middle).
    static int anchorHeight(int anchor, int signalHeight);
    // The offset into a slanted edge of an anchor code, for a rising or falling edge.
    static int slantOffset(int anchor, bool rising);
    // Whether the waveform rises between characters c and c + 1.
    static bool risesAt(std::string_view waveform, long long c);

    // Whether a row of this index exists and is no separator: a row whose edges have a time.
    bool timedRow(int signalIndex) const
    {
        return signalIndex >= 0 && signalIndex < static_cast<int>(rows_.size()) &&
               !rows_[static_cast<size_t>(signalIndex)].separator;
    }
    // Pixels the edge at the left of column `cell` of a timed row is moved by (its edge offsets
    // 0 to cell + 1, summed): the delay the endpoint rule adds.
    int edgeDelay(int signalIndex, long long cell) const { return delaySum(signalIndex, cell); }

    const Layout& layout() const { return layout_; }
    const model::Diagram& diagram() const { return diagram_; }

private:
    struct RowFacts {
        std::string_view waveform;
        bool separator = false;
        bool ideal = false;
    };
    int delaySum(int signalIndex, long long cell) const;
    // The running sums of a row's edge offsets, made when the row is first asked for: a redraw
    // places hundreds of ends on the same rows.
    const long long* runningDelays(int signalIndex) const;

    const model::Diagram& diagram_;
    Layout layout_;
    std::vector<RowFacts> rows_;
    std::unordered_map<std::string, int> indexByName_;
    mutable std::vector<std::unique_ptr<long long[]>> runningDelays_;
};

} // namespace sigmora::render
