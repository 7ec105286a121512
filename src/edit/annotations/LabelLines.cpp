#include "edit/annotations/LabelLines.h"

#include "edit/annotations/AnnotationPoints.h"
#include "model/RecordFields.h"
#include "render/LabelPainter.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {
// Field numbers of a label record.
constexpr int kBeginCell = 0;
constexpr int kBeginRow = 1;
constexpr int kEndCell = 2;
constexpr int kEndRow = 3;
constexpr int kOffset = 6;
constexpr int kBeginAnchor = 9;
constexpr int kEndAnchor = 10;
} // namespace

void keepLabelLinesOverInsertedRow(model::Diagram& diagram, int at)
{
    namespace fields = model::fields;
    const render::Layout l = render::Layout::from(diagram.settings);
    const int pitch = l.rowPitch();
    // In unscrolled diagram coordinates: the middle of the gap above the row at `at`, between the
    // rows that stay and those that move down.
    render::Layout unscrolled = l;
    unscrolled.firstVisibleCell = 0;
    unscrolled.verticalScroll = 0;
    const int gapMiddle = unscrolled.signalTop(at) - (l.signalSpacing + l.signalHeight) / 2;
    model::RecordList& labels = diagram.store.list(model::ListId::Labels);
    for (int i = 0; i < labels.count(); ++i) {
        const std::string& record = labels.get(i);
        const int beginRow = diagram.store.findSignal(fields::textField(record, kBeginRow).value_or(""));
        const int endRow = diagram.store.findSignal(fields::textField(record, kEndRow).value_or(""));
        const bool beginMoves = beginRow >= at;
        // A label with both ends on one side moves as a whole (its line with its begin), or stays.
        if (beginRow < 0 || endRow < 0 || beginMoves == (endRow >= at))
            continue;
        const AnchorPoint b = anchorPoint(diagram, fields::intField(record, kBeginCell), beginRow,
                                          fields::intField(record, kBeginAnchor));
        const AnchorPoint e = anchorPoint(diagram, fields::intField(record, kEndCell), endRow,
                                          fields::intField(record, kEndAnchor));
        const int offset = fields::intField(record, kOffset);
        const int line = render::labelgeometry::measureLineY({b.x, b.y}, {e.x, e.y}, offset, l.signalSpacing, l.signalHeight);
        // The line goes with the rows on its side of the gap; one in the gap's middle (where a new
        // label puts it) goes with its begin, as it is drawn.
        if (line == gapMiddle || (line > gapMiddle) == beginMoves)
            continue;
        labels.replace(i, fields::withIntField(record, kOffset, offset + (beginMoves ? -pitch : pitch)));
    }
}

} // namespace sigmora::edit
