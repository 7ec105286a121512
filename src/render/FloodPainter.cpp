#include "render/FloodPainter.h"

#include "model/SignalRecord.h"
#include "render/SvgAnnotations.h"

namespace sigmora::render {

namespace {

constexpr int kSolidStyle = 1;
constexpr int kLastHatchStyle = 7;

// The hatch of styles 2 to 7.
constexpr BrushStyle kHatches[] = {BrushStyle::HatchDiagonalCross, BrushStyle::HatchBackwardDiagonal,
                                   BrushStyle::HatchCross,         BrushStyle::HatchForwardDiagonal,
                                   BrushStyle::HatchVertical,      BrushStyle::HatchHorizontal};

char characterAt(std::string_view cells, int k, bool differential)
{
    char c = k >= 0 && static_cast<size_t>(k) < cells.size() ? cells[static_cast<size_t>(k)] : '\0';
    if (differential && (c == '0' || c == '1'))
        c = c == '0' ? '3' : '4';
    return c;
}

bool twoLine(char c)
{
    return c == '3' || c == '4';
}

} // namespace

// One flooded cell: its column, the row's levels and the transition at its left boundary.
struct FloodPainter::Band {
    int J;      // column start
    int R;      // column end
    int K;      // high level
    int bottom; // low level + 1
    int M;      // middle + 1
    int B;      // the transition's x
    int E;      // edge run
    char from;  // character p
    char into;  // character p + 1
    bool slanted;
    bool changes;
    long long delay;
    std::optional<Brush> brush;
    std::optional<Brush> previous;
    Colour colour;
};

std::optional<Brush> FloodPainter::brushFor(int style, Colour fill)
{
    if (style == kSolidStyle)
        return Brush::solid(fill);
    if (style > kSolidStyle && style <= kLastHatchStyle)
        return Brush{kHatches[style - 2], fill};
    return std::nullopt;
}

void FloodPainter::drawAll()
{
    const model::RecordList& rows = ctx_.diagram.store.signals();
    const Layout& l = ctx_.layout;
    const bool cull = ctx_.options.cullOffSurface && !ctx_.svg;
    for (int i = std::max(0, l.firstVisibleSignal()); i < rows.count() && i < model::kMaxRows; ++i) {
        const int top = l.signalTop(i);
        if (cull && (top > ctx_.surface.size().height))
            break;
        if (cull && top + l.rowPitch() < 0)
            continue;
        drawRow(i, top);
    }
}

void FloodPainter::drawRow(int signalIndex, int top)
{
    const model::CellGrid& styles = ctx_.diagram.store.floodStyles();
    const std::int32_t* rowStyles = styles.row(signalIndex);
    if (!rowStyles)
        return;
    const Layout& l = ctx_.layout;
    const int first = l.firstVisibleCell;
    const int last = std::min(first + l.drawnCells() - 1, model::kMaxCells - 1);
    bool any = false;
    for (int p = std::max(first, 0); p <= last && !any; ++p)
        any = rowStyles[p] != 0;
    if (!any)
        return;
    const model::SignalRow row = model::parseSignalRow(ctx_.diagram.store.signals().get(signalIndex));
    if (row.separator)
        return;
    const Colour fill = model::signal::hatchColour(ctx_.diagram.store.signals().get(signalIndex));
    const std::int32_t* offsets = ctx_.diagram.store.edgeOffsets().row(signalIndex);
    const bool cull = ctx_.options.cullOffSurface && !ctx_.svg;
    ctx_.surface.setPen(Pen::none());

    long long delay = 0; // the sum of the edge offsets 0 .. p + 1
    for (int k = 0; k <= std::min(first, model::kMaxCells - 1); ++k)
        delay += offsets[k];
    for (int p = first; p <= last; ++p) {
        if (p >= 0 && p + 1 < model::kMaxCells)
            delay += offsets[p + 1];
        if (p < 0 || rowStyles[p] == 0)
            continue;
        Band b{};
        b.J = l.waveOriginX() + (p - first) * l.cellWidth;
        // On the screen image, cells a whole cell right of the image cannot show anything.
        if (cull && b.J > ctx_.surface.size().width + l.cellWidth)
            break;
        b.R = b.J + l.cellWidth;
        b.K = top;
        b.bottom = top + l.signalHeight + 1;
        b.M = top + l.signalHeight / 2 + 1;
        b.E = row.ideal ? 0 : l.slantWidth;
        b.delay = delay;
        b.B = Layout::clampCoordinate(b.J + delay);
        b.from = characterAt(row.waveform, p, row.differential);
        b.into = characterAt(row.waveform, p + 1, row.differential);
        b.slanted = !row.ideal;
        b.changes = b.from != b.into;
        b.brush = brushFor(rowStyles[p], fill);
        b.previous = p > 0 ? brushFor(rowStyles[p - 1], fill) : std::nullopt;
        b.colour = fill;
        drawCell(b);
    }
}

void FloodPainter::drawCell(const Band& b)
{
    if (!b.brush)
        return;
    const int B = b.B, E = b.E, K = b.K, D = b.bottom, M = b.M, R = b.R;
    if (!b.changes) {
        const Point p[4] = {{b.J, K}, {R, K}, {R, D}, {b.J, D}};
        fill(p, 4, *b.brush, b.colour);
    } else if (!b.slanted) {
        const Point p[4] = {{B, K}, {R, K}, {R, D}, {B, D}};
        fill(p, 4, *b.brush, b.colour);
    } else if (b.into == '2') {
        // Right of an edge into tri-state: the notch the edge leaves at the middle. Together with
        // the previous cell's part left of the edge it tiles the column, so that a shaded run of
        // tri-state cells (an undefined value) is shaded from its very first edge.
        const Point p[5] = {{B, K}, {R, K}, {R, D}, {B, D}, {B + E / 2, M}};
        fill(p, 5, *b.brush, b.colour);
    } else if (b.from == '1' || (b.into == '0' && twoLine(b.from))) {
        const Point p[4] = {{B, K}, {R, K}, {R, D}, {B + E, D}};
        fill(p, 4, *b.brush, b.colour);
    } else if (b.from == '2') {
        const Point p[5] = {{B, M}, {B + E / 2, K}, {R, K}, {R, D}, {B + E / 2, D}};
        fill(p, 5, *b.brush, b.colour);
    } else if (twoLine(b.from) && twoLine(b.into)) {
        const Point p[5] = {{B + E / 2, M}, {B + E, K}, {R, K}, {R, D}, {B + E, D}};
        fill(p, 5, *b.brush, b.colour);
    } else {
        const Point p[4] = {{B + E, K}, {R, K}, {R, D}, {B, D}};
        fill(p, 4, *b.brush, b.colour);
    }

    if (!b.previous || !b.changes)
        return;
    const int J = b.J;
    if (!b.slanted) {
        if (b.delay != 0) {
            const Point p[4] = {{J, K}, {B, K}, {B, D}, {J, D}};
            fill(p, 4, *b.previous, b.colour);
        }
    } else if (b.into == '2' || (twoLine(b.from) && twoLine(b.into))) {
        const Point p[5] = {{J, K}, {J, D}, {B, D}, {B + E / 2, M}, {B, K}};
        fill(p, 5, *b.previous, b.colour);
    } else if (b.from == '1' || b.into == '0') {
        // The previous cell's part left of any falling edge, whatever value it falls from.
        const Point p[4] = {{J, K}, {J, D}, {B + E, D}, {B, K}};
        fill(p, 4, *b.previous, b.colour);
    } else {
        const Point p[4] = {{J, K}, {J, D}, {B, D}, {B + E, K}};
        fill(p, 4, *b.previous, b.colour);
    }
}

void FloodPainter::fill(const Point* points, size_t count, const Brush& brush, Colour colour)
{
    ctx_.surface.setBrush(brush);
    ctx_.surface.polygon(points, count);
    if (ctx_.svgMain())
        svg::floodPolygon(*ctx_.svg, points, count, colour);
}

} // namespace sigmora::render
