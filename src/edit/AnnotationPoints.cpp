#include "edit/AnnotationPoints.h"

#include "edit/EdgeOffsets.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

constexpr int kRoundStep = 5;
constexpr int kSlantRun = 10;

// Height on the row (tenths of the signal height for most codes) and the share of a 10-pixel
// slant for falling and rising edges, by anchor code 0 ... 9.
struct AnchorShape {
    int numerator;
    int denominator;
    int falling;
    int rising;
};
constexpr AnchorShape kAnchors[] = {
    {1, 2, 5, 5},  {1, 2, 0, 0}, {2, 10, 2, 8}, {8, 10, 8, 2}, {0, 1, 0, 10},
    {1, 1, 10, 0}, {1, 10, 1, 9}, {9, 10, 9, 1}, {1, 4, 2, 7},  {3, 4, 7, 2},
};

bool risingAt(std::string_view wave, int cell)
{
    const size_t c = static_cast<size_t>(cell);
    if (cell < 0 || c + 1 >= wave.size())
        return false;
    const char a = wave[c];
    const char b = wave[c + 1];
    return (b == '1' && (a == '0' || a == '3' || a == '4')) || (a == '0' && (b == '3' || b == '4'));
}

} // namespace

std::string pointText(const model::Diagram& diagram, int cell, int row, const char* fallbackName)
{
    const model::RecordList& rows = diagram.store.signals();
    std::string name;
    if (row >= rows.count() && fallbackName)
        name = fallbackName;
    else if (rows.count() > 0)
        name = model::fields::nameOfRow(rows.get(row < 0 ? 0 : row >= rows.count() ? rows.count() - 1 : row));
    return std::to_string(cell) + "." + name + ".";
}

int unscrolledX(const render::Layout& layout, int x)
{
    return x + layout.cellWidth * layout.firstVisibleCell;
}

int unscrolledY(const render::Layout& layout, int y)
{
    return y + layout.rowPitch() * layout.firstVisibleSignal();
}

int roundToFive(int v)
{
    int r = v % kRoundStep;
    if (r < 0)
        r += kRoundStep;
    return r <= 2 ? v - r : v + (kRoundStep - r);
}

AnchorPoint anchorPoint(const model::Diagram& diagram, int cell, int row, int anchor)
{
    const render::Layout l = render::Layout::from(diagram.settings);
    const AnchorShape& shape = kAnchors[anchor >= 0 && anchor <= 9 ? anchor : 0];
    AnchorPoint p;
    p.x = l.waveOriginX() + cell * l.cellWidth;
    p.y = l.topMargin + row * l.rowPitch() + l.signalHeight * shape.numerator / shape.denominator;
    const std::string& record = diagram.store.signals().get(row);
    if (record.empty() || model::rowKind(record) == model::kRowKindSeparator)
        return p;
    p.x += accumulatedOffset(diagram.store.edgeOffsets(), row, cell);
    if (model::signal::ideal(record) != 1) {
        const int share = risingAt(model::signal::waveform(record), cell) ? shape.rising : shape.falling;
        p.x += share * l.slantWidth / kSlantRun;
    }
    return p;
}

} // namespace sigmora::edit
