#include "render/WaveformPainter.h"

#include "render/EdgeArrows.h"

namespace sigmora::render {

namespace {

constexpr int kArrowReach = 6; // an edge arrow reaches this far left of its first point
constexpr std::string_view kSolidSeparatorStyle = "stroke:black; fill:none; stroke-width:0.3;";
constexpr std::string_view kDottedSeparatorStyle = "stroke:black; fill:none; stroke-width:0.3;stroke-dasharray:3 3;";
constexpr std::string_view kRectangleSeparatorStyle = "stroke:black; fill:black; stroke-width:3;";

// Moves and lines of one waveform pass, on the surface and, in the main SVG pass, into its path.
class PathTracer {
public:
    // Lines wholly right of cullRight (when above 0) only move the pen: they could not be seen.
    PathTracer(Surface& surface, SvgWriter* svg, int cullRight) : surface_(surface), svg_(svg), cullRight_(cullRight) {}

    void start(int x, int y)
    {
        surface_.moveTo(x, y);
        at_ = {x, y};
        if (svg_)
            svg_->beginPath(x, y);
    }
    void move(int x, int y)
    {
        surface_.moveTo(x, y);
        at_ = {x, y};
        if (svg_)
            svg_->pathMove(x, y);
    }
    void line(int x, int y)
    {
        if (cullRight_ > 0 && x > cullRight_ && at_.x > cullRight_)
            surface_.moveTo(x, y);
        else
            surface_.lineTo(x, y);
        at_ = {x, y};
        if (svg_)
            svg_->pathLine(x, y);
    }
    void segment(int x1, int y1, int x2, int y2)
    {
        move(x1, y1);
        line(x2, y2);
    }
    void finish(bool dotted)
    {
        if (svg_)
            svg_->endPath(dotted);
    }

private:
    Surface& surface_;
    SvgWriter* svg_;
    int cullRight_;
    Point at_;
};

// The cell value at k: the row's character, past its end the last one repeated ('1' when empty).
char cellAt(std::string_view cells, int k)
{
    if (k >= 0 && static_cast<size_t>(k) < cells.size())
        return cells[static_cast<size_t>(k)];
    return cells.empty() ? '1' : cells.back();
}

char invert(char v)
{
    return v == '0' ? '1' : v == '1' ? '0' : v;
}

bool twoLine(char v)
{
    return v == '3' || v == '4';
}

} // namespace

int leadingOffset(const model::CellGrid& offsets, int signalIndex, int firstVisibleCell)
{
    long long sum = 0;
    for (int k = 0; k <= firstVisibleCell + 1; ++k)
        sum += offsets.get(signalIndex, k);
    return sum < 0 ? 0 : static_cast<int>(sum);
}

void WaveformPainter::drawRow(const model::SignalRow& row, int signalIndex, int top, std::string_view waveformOverride)
{
    if (row.separator) {
        drawSeparator(row, signalIndex, top);
        return;
    }
    std::string_view cells = waveformOverride.empty() ? row.waveform : waveformOverride;
    ctx_.surface.setTextColour(row.nameColour);
    if (row.differential)
        drawPass(row, cells, signalIndex, top, true);
    drawPass(row, cells, signalIndex, top, false);
}

void WaveformPainter::drawPass(const model::SignalRow& row, std::string_view cells, int signalIndex, int top,
                               bool differentialPass)
{
    const Layout& l = ctx_.layout;
    Surface& surface = ctx_.surface;
    surface.setPen(differentialPass ? Pen::dotted(row.waveColour) : Pen::solid(row.waveColour));

    const bool writePath = ctx_.svgMain();
    const bool writeArrows = ctx_.svgArrowheads();
    const bool cull = ctx_.options.cullOffSurface && !ctx_.svg;
    PathTracer pen(surface, writePath ? ctx_.svg : nullptr, cull ? surface.size().width : 0);
    const bool arrows = !differentialPass;

    const int H = l.highLevel(top);
    const int L = l.lowLevel(top);
    const int M = l.middleLevel(top);
    auto levelOf = [&](char v) { return v == '1' ? H : v == '0' ? L : M; };
    auto valueAt = [&](int k) { return differentialPass ? invert(cellAt(cells, k)) : cellAt(cells, k); };

    const int n = l.drawnCells();
    const int first = l.firstVisibleCell;
    const int s = row.ideal ? 0 : l.slantWidth;
    const model::CellGrid& offsets = ctx_.diagram.store.edgeOffsets();
    const std::int32_t* table = offsets.row(signalIndex);
    auto offsetAt = [&](int k) { return table && k >= 0 && k < model::kMaxCells ? table[k] : 0; };

    auto drawArrow = [&](const std::array<Point, 3>& p) {
        if (cull && p[0].x > surface.size().width + kArrowReach)
            return;
        surface.setBrush(Brush::solid(model::kBlack));
        surface.polygon(p.data(), p.size());
        if (writeArrows) {
            const Point pts[3] = {p[0], p[1], p[2]};
            ctx_.svg->edgeArrow(pts);
        }
    };

    int x = l.waveOriginX() + leadingOffset(offsets, signalIndex, first);
    pen.start(l.waveOriginX(), levelOf(valueAt(first)));
    if (n > 0)
        pen.line(x, levelOf(valueAt(first)));

    for (int k = first + 1; k < first + n; ++k) {
        const char prev = valueAt(k - 1);
        const char cur = valueAt(k);
        const int c = x;
        x = c + l.cellWidth + offsetAt(k + 1);
        const int e = c + s;
        const int f = c + s / 2;
        switch (cur) {
        case '1':
            if (prev == '1') {
                pen.line(x, H);
            } else if (prev == '0') {
                pen.line(e, H);
                if (e < x)
                    pen.line(x, H);
                if (arrows && row.risingArrows)
                    drawArrow(risingArrow(c, s, top, l.signalHeight));
            } else if (prev == '2') {
                pen.line(f, H);
                if (e < x)
                    pen.line(x, H);
            } else if (twoLine(prev)) {
                pen.segment(c, L, e, H);
                pen.segment(c, H, x, H);
            }
            break;
        case '0':
            if (prev == '0') {
                pen.line(x, L);
            } else if (prev == '1') {
                pen.line(e, L);
                if (e < x)
                    pen.line(x, L);
                if (arrows && row.fallingArrows)
                    drawArrow(fallingArrow(c, s, top, l.signalHeight));
            } else if (prev == '2') {
                pen.line(f, L);
                if (e < x)
                    pen.line(x, L);
            } else if (twoLine(prev)) {
                pen.segment(c, H, e, L);
                pen.segment(c, L, x, L);
            }
            break;
        case '2':
            if (prev == '2') {
                pen.line(x, M);
            } else if (prev == '0' || prev == '1') {
                pen.line(f, M);
                if (e < x)
                    pen.line(x, M);
            } else if (twoLine(prev)) {
                pen.segment(c, H, f, M);
                pen.segment(c, L, f, M);
                if (f < x)
                    pen.line(x, M);
            }
            break;
        case '3':
        case '4':
            if (prev == cur) {
                if (x != l.waveOriginX()) {
                    pen.segment(c, H, x, H);
                    pen.segment(c, L, x, L);
                }
            } else if (prev == '0') {
                pen.segment(c, L, x, L);
                pen.segment(c, L, e, H);
                if (e < x)
                    pen.line(x, H);
                else
                    pen.segment(x, L, e, L);
            } else if (prev == '1') {
                pen.segment(c, H, x, H);
                pen.segment(c, H, e, L);
                if (e < x)
                    pen.line(x, L);
                else
                    pen.segment(x, H, e, H);
            } else if (prev == '2') {
                pen.segment(c, M, f, L);
                if (f < x)
                    pen.line(x, L);
                pen.segment(c, M, f, H);
                if (f < x)
                    pen.line(x, H);
            } else if (twoLine(prev)) {
                pen.segment(c, H, e, L);
                if (e < x)
                    pen.line(x, L);
                pen.segment(c, L, e, H);
                if (e < x)
                    pen.line(x, H);
            }
            break;
        default:
            break;
        }
    }
    pen.finish(differentialPass);
}

void WaveformPainter::drawSeparator(const model::SignalRow& row, int signalIndex, int top)
{
    const Layout& l = ctx_.layout;
    const int M = l.middleLevel(top);
    const int start = l.waveOriginX() + leadingOffset(ctx_.diagram.store.edgeOffsets(), signalIndex, l.firstVisibleCell);
    const int end = l.waveOriginX() + l.waveformWidth - l.cellWidth;
    Surface& surface = ctx_.surface;
    const bool svg = ctx_.svgMain();
    switch (static_cast<model::SeparatorKind>(row.separatorKind)) {
    case model::SeparatorKind::SolidLine:
        surface.setPen(Pen::solid(row.separatorLineColour));
        surface.moveTo(start, M);
        surface.lineTo(end, M);
        if (svg)
            ctx_.svg->separatorLine(start, end, M, kSolidSeparatorStyle);
        break;
    case model::SeparatorKind::DottedLine:
        surface.setPen(Pen::dotted(model::kBlack));
        surface.moveTo(start, M);
        surface.lineTo(end, M);
        if (svg)
            ctx_.svg->separatorLine(start, end, M, kDottedSeparatorStyle);
        break;
    case model::SeparatorKind::SolidRectangle:
        surface.fillRect({start, M - 1, end, M + 1}, Brush::solid(model::kDarkGrey));
        if (svg)
            ctx_.svg->separatorLine(start, end, M - 1, kRectangleSeparatorStyle);
        break;
    case model::SeparatorKind::Blank:
    default:
        break;
    }
}

} // namespace sigmora::render
