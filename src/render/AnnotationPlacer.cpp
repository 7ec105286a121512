#include "render/AnnotationPlacer.h"

#include <algorithm>
#include <cctype>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"

namespace sigmora::render {

namespace {

// Offsets into a 10-pixel slant by anchor code: {falling, rising}.
struct SlantOffsets {
    int falling;
    int rising;
};
constexpr SlantOffsets kSlantOffsets[10] = {{5, 5}, {0, 0}, {2, 8}, {8, 2}, {0, 10},
                                            {10, 0}, {1, 9}, {9, 1}, {2, 7}, {7, 2}};

std::string nameKey(std::string_view name)
{
    std::string key(model::trimBlanks(name));
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool knownAnchor(int anchor)
{
    return anchor >= 0 && anchor <= 9;
}

} // namespace

AnnotationPlacer::AnnotationPlacer(const model::Diagram& diagram, const Layout& layout)
    : diagram_(diagram), layout_(layout)
{
    const model::RecordList& list = diagram.store.signals();
    rows_.reserve(static_cast<size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        const std::string& record = list.get(i);
        const model::SignalRow row = model::parseSignalRow(record);
        rows_.push_back({row.waveform, row.separator, row.ideal});
        indexByName_.try_emplace(nameKey(model::fields::nameOfRow(record)), i);
    }
}

int AnnotationPlacer::signalIndexOf(std::string_view name) const
{
    auto it = indexByName_.find(nameKey(name));
    return it == indexByName_.end() ? model::ObjectStore::kNoMatchSignalIndex : it->second;
}

int AnnotationPlacer::anchorHeight(int anchor, int h)
{
    switch (anchor) {
    case 2: return (2 * h) / 10;
    case 3: return (8 * h) / 10;
    case 4: return 0;
    case 5: return h;
    case 6: return h / 10;
    case 7: return (9 * h) / 10;
    case 8: return static_cast<int>(0.25 * h);
    case 9: return static_cast<int>(0.75 * h);
    default: return h / 2;
    }
}

int AnnotationPlacer::slantOffset(int anchor, bool rising)
{
    const SlantOffsets& o = kSlantOffsets[knownAnchor(anchor) ? anchor : kAnchorMiddle];
    return rising ? o.rising : o.falling;
}

bool AnnotationPlacer::risesAt(std::string_view w, long long c)
{
    if (c < 0 || c + 1 >= static_cast<long long>(w.size()))
        return false;
    const char a = w[static_cast<size_t>(c)];
    const char b = w[static_cast<size_t>(c + 1)];
    return (b == '1' && (a == '0' || a == '3' || a == '4')) || (a == '0' && (b == '3' || b == '4'));
}

const long long* AnnotationPlacer::runningDelays(int signalIndex) const
{
    if (runningDelays_.size() < rows_.size())
        runningDelays_.resize(rows_.size());
    std::unique_ptr<long long[]>& sums = runningDelays_[static_cast<size_t>(signalIndex)];
    if (!sums) {
        const std::int32_t* table = diagram_.store.edgeOffsets().row(signalIndex);
        sums.reset(new long long[model::kMaxCells]);
        long long sum = 0;
        for (int k = 0; k < model::kMaxCells; ++k)
            sums[static_cast<size_t>(k)] = sum += table[k];
    }
    return sums.get();
}

// The sum of the row's edge offsets 0 .. cell + 1 (to the last cell at most).
int AnnotationPlacer::delaySum(int signalIndex, long long cell) const
{
    const long long last = std::min<long long>(cell + 1, model::kMaxCells - 1);
    if (last < 0 || !diagram_.store.edgeOffsets().row(signalIndex))
        return 0;
    return Layout::clampCoordinate(runningDelays(signalIndex)[last]);
}

Point AnnotationPlacer::place(const AnnotationEnd& end, int fallbackDelay, int* delayOut) const
{
    const Layout& l = layout_;
    if (end.anchor == kAnchorFloating) {
        if (delayOut)
            *delayOut = fallbackDelay;
        return {Layout::clampCoordinate(static_cast<long long>(end.stored.x) -
                                        static_cast<long long>(l.cellWidth) * l.firstVisibleCell),
                Layout::clampCoordinate(static_cast<long long>(end.stored.y) -
                                        static_cast<long long>(l.rowPitch()) * l.firstVisibleSignal())};
    }
    const long long columnX = l.waveOriginX() + (static_cast<long long>(end.cell) - l.firstVisibleCell) * l.cellWidth;
    const long long top = l.topMargin + static_cast<long long>(end.signalIndex - l.firstVisibleSignal()) * l.rowPitch();
    const long long y = top + anchorHeight(end.anchor, l.signalHeight);
    const bool exists = end.signalIndex >= 0 && end.signalIndex < static_cast<int>(rows_.size());
    long long x = columnX;
    int delay = fallbackDelay;
    if (exists) {
        const RowFacts& row = rows_[static_cast<size_t>(end.signalIndex)];
        delay = row.separator ? 0 : delaySum(end.signalIndex, end.cell);
        if (!row.separator && !row.ideal)
            x += slantOffset(end.anchor, risesAt(row.waveform, end.cell));
    }
    x += delay;
    if (delayOut)
        *delayOut = delay;
    return {Layout::clampCoordinate(x), Layout::clampCoordinate(y)};
}

std::pair<Point, Point> AnnotationPlacer::placePair(const AnnotationEnd& begin, const AnnotationEnd& end) const
{
    int beginDelay = 0;
    const Point a = place(begin, 0, &beginDelay);
    return {a, place(end, beginDelay)};
}

} // namespace sigmora::render
