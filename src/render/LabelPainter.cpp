#include "render/LabelPainter.h"

#include "render/ArrowPainter.h"
#include "render/SvgAnnotations.h"

namespace sigmora::render {

namespace {

constexpr int kBeginReachBeyondLine = 6; // the begin extension passes the measure line by this
// Heads, tails, ticks and handles reach at most this far beyond the points that place a shape.
constexpr int kCullMargin = 32;
constexpr int kExtensionGap = 3;         // the other extension stops this far from the line
constexpr int kTickBefore = 3;
constexpr int kTickAfter = 6;
constexpr int kTailLength = 15;
constexpr int kHeadLength = 5;
constexpr int kHeadHalfHeight = 4;

enum ExtensionLines { Both = 0, BeginOnly = 1, EndOnly = 2 };

} // namespace

namespace labelgeometry {

int measureLineY(Point b, Point e, int offset, int spacing, int height)
{
    const long long y = b.y < e.y ? static_cast<long long>(b.y) + spacing / 2 + height + offset
                                  : static_cast<long long>(b.y) - spacing / 2 - height + offset;
    return Layout::clampCoordinate(y);
}

Piece beginExtension(Point b, Point e, int y)
{
    if (b.y < e.y)
        return {b, {b.x, y + kBeginReachBeyondLine}};
    return {{b.x, y - kExtensionGap}, b};
}

Piece endExtension(Point b, Point e, int y)
{
    if (b.y < e.y)
        return {{e.x, y - kExtensionGap}, e};
    return {{e.x, y + kExtensionGap}, e};
}

std::array<Point, 3> head(int x, int y, int direction)
{
    const int base = x + kHeadLength * direction;
    return {Point{x, y}, Point{base, y - kHeadHalfHeight}, Point{base, y + kHeadHalfHeight}};
}

} // namespace labelgeometry

std::vector<std::optional<LabelHit>> LabelPainter::drawAll()
{
    const model::RecordList& labels = ctx_.diagram.store.list(model::ListId::Labels);
    std::vector<std::optional<LabelHit>> out(static_cast<size_t>(labels.count()));
    for (int i = 0; i < labels.count(); ++i) {
        if (auto label = readLabel(labels.get(i), placer_)) {
            if (ctx_.labelRed(i))
                label->colour = model::kRed;
            out[static_cast<size_t>(i)] = draw(i, *label);
        }
    }
    return out;
}

LabelHit LabelPainter::draw(int index, const LabelRecord& label)
{
    const Layout& l = ctx_.layout;
    const AnnotationSelection& sel = ctx_.options.annotations;
    const bool selected = sel.label == index;
    const auto [b, e] = placer_.placePair(label.begin, label.end);

    LabelHit hit;
    hit.index = index;
    hit.begin = b;
    hit.end = e;
    hit.measureYBeforeOffset = labelgeometry::measureLineY(b, e, 0, l.signalSpacing, l.signalHeight);
    hit.measureY = labelgeometry::measureLineY(b, e, label.offset, l.signalSpacing, l.signalHeight);
    hit.beginExtension = labelgeometry::beginExtension(b, e, hit.measureY);
    hit.endExtension = labelgeometry::endExtension(b, e, hit.measureY);
    hit.measureLine = {{b.x, hit.measureY}, {e.x, hit.measureY}};
    hit.handles.rects = {handleRect(b), handleRect(e),
                         handleRect({arrowgeometry::middle(b, e).x, hit.measureY})};

    const Point corners[] = {b, e, {b.x, hit.measureY}, {e.x, hit.measureY}};
    if (!(selected && sel.labelDragY) && ctx_.offSurface(corners, kCullMargin)) {
        ctx_.memory.annotations.labels.push_back(hit);
        return hit;
    }
    if (selected && sel.labelDragY) {
        drawDragPreview(hit, *sel.labelDragY, label.colour);
    } else {
        drawExtensions(label, hit);
        drawMeasure(label, hit, selected && sel.editTool);
    }
    if (selected)
        drawHandles(ctx_.surface, hit.handles);
    if (!ctx_.printing())
        ctx_.memory.annotations.labels.push_back(hit);
    return hit;
}

void LabelPainter::drawExtensions(const LabelRecord& label, const LabelHit& hit)
{
    Surface& surface = ctx_.surface;
    const bool svg = ctx_.svgMain();
    const bool begin = label.extensionLines != EndOnly;
    const bool end = label.extensionLines != BeginOnly;
    surface.setPen(Pen::dotted(label.colour));
    auto line = [&](const Piece& p, svg::LabelLineStyle style) {
        surface.moveTo(p.from.x, p.from.y);
        surface.lineTo(p.to.x, p.to.y);
        if (svg)
            svg::labelLine(*ctx_.svg, p.from, p.to, style);
    };
    if (begin)
        line(hit.beginExtension, svg::LabelLineStyle::BeginExtension);
    if (end)
        line(hit.endExtension, svg::LabelLineStyle::EndExtension);
    if (!label.crossingMarks)
        return;
    surface.setPen(Pen::solid(label.colour));
    auto tick = [&](Point anchor) { return Piece{{anchor.x - kTickBefore, anchor.y}, {anchor.x + kTickAfter, anchor.y}}; };
    if (begin)
        line(tick(hit.begin), svg::LabelLineStyle::BeginTick);
    if (end)
        line(tick(hit.end), svg::LabelLineStyle::EndTick);
}

void LabelPainter::drawMeasure(const LabelRecord& label, const LabelHit& hit, bool dotted)
{
    Surface& surface = ctx_.surface;
    const bool svg = ctx_.svgMain();
    const int X = hit.begin.x, X2 = hit.end.x, y = hit.measureY;
    const int dir = X <= X2 ? 1 : -1;
    surface.setPen(dotted ? Pen::dotted(label.colour) : Pen::solid(label.colour));
    if (!label.inward) {
        surface.moveTo(X, y);
        surface.lineTo(X2, y);
        if (svg)
            svg::labelMeasureLine(*ctx_.svg, {X, y}, {X2, y});
    } else {
        const Piece first{{X, y}, {X - kTailLength * dir, y}};
        const Piece second{{X2, y}, {X2 + kTailLength * dir, y}};
        for (const Piece& p : {first, second}) {
            surface.moveTo(p.from.x, p.from.y);
            surface.lineTo(p.to.x, p.to.y);
        }
        if (svg)
            svg::labelTails(*ctx_.svg, first, second);
    }
    // Outward heads sit inside the span pointing out; inward heads sit outside pointing in.
    const int outward = label.inward ? -1 : 1;
    if (headAtEnd(label.headMode))
        drawHead({X2, y}, -dir * outward, label.colour);
    if (headAtBegin(label.headMode))
        drawHead({X, y}, dir * outward, label.colour);
}

void LabelPainter::drawHead(Point tip, int direction, Colour colour)
{
    const auto h = labelgeometry::head(tip.x, tip.y, direction);
    ctx_.surface.setBrush(Brush::solid(colour));
    ctx_.surface.polygon(h.data(), h.size());
    if (ctx_.svgMain()) {
        const Point t[3] = {h[0], h[1], h[2]};
        svg::labelHead(*ctx_.svg, t);
    }
}

void LabelPainter::drawDragPreview(const LabelHit& hit, int mouseY, Colour colour)
{
    Surface& surface = ctx_.surface;
    surface.setPen(Pen::dotted(colour));
    surface.moveTo(hit.begin.x, hit.begin.y);
    surface.lineTo(hit.begin.x, mouseY);
    surface.lineTo(hit.end.x, mouseY);
    surface.lineTo(hit.end.x, hit.end.y);
}

} // namespace sigmora::render
