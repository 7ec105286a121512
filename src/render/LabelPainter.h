#pragma once

#include <array>
#include <optional>
#include <vector>

#include "render/AnnotationPlacer.h"
#include "render/AnnotationRecords.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// The geometry of a setup/hold label between its two anchors.
namespace labelgeometry {

// The height of the measure line: half a spacing and a signal height beyond the begin anchor,
// below it when the end lies lower, above it otherwise; then moved by the label's offset.
int measureLineY(Point begin, Point end, int offset, int signalSpacing, int signalHeight);

// The begin and end extension lines for a measure line at y.
Piece beginExtension(Point begin, Point end, int y);
Piece endExtension(Point begin, Point end, int y);

// A head 5 pixels long and 8 high with its tip at (x, y), its base at x + 5 * direction.
std::array<Point, 3> head(int x, int y, int direction);

} // namespace labelgeometry

// Draws the labels in list order: dotted extension lines, crossing ticks, the measure line (or
// the tails of an inward label), the heads, and the handles of the selected label. Answers each
// label's geometry by index, for the placement of its caption.
class LabelPainter {
public:
    LabelPainter(RedrawContext& ctx, const AnnotationPlacer& placer) : ctx_(ctx), placer_(placer) {}

    std::vector<std::optional<LabelHit>> drawAll();

private:
    LabelHit draw(int index, const LabelRecord& label);
    void drawExtensions(const LabelRecord& label, const LabelHit& hit);
    void drawMeasure(const LabelRecord& label, const LabelHit& hit, bool selected);
    void drawHead(Point tip, int direction, Colour colour);
    void drawDragPreview(const LabelHit& hit, int mouseY, Colour colour);

    RedrawContext& ctx_;
    const AnnotationPlacer& placer_;
};

} // namespace sigmora::render
