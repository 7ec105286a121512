#include "render/WaveformPainter.h"

#include <algorithm>

#include "render/EdgeArrows.h"

namespace sigmora::render {

namespace {

constexpr int kArrowReach = 6; // an edge arrow reaches this far left of its first point
constexpr int kCellCullMargin = 16; // a cell draws nothing further left of its start than this
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

// The levels of one row and the boundaries of one cell: c left, x right, e the end of a full
// edge run, f the end of half a run.
struct Levels {
    int high;
    int low;
    int middle;
};

struct CellSpan {
    int c;
    int x;
    int e;
    int f;
};

// A high or low cell. Answers true when it was entered by an edge from the opposite level.
bool drawLevelCell(PathTracer& pen, const CellSpan& cell, char prev, char cur, const Levels& lv)
{
    const int level = cur == '1' ? lv.high : lv.low;
    const int other = cur == '1' ? lv.low : lv.high;
    const char opposite = cur == '1' ? '0' : '1';
    if (prev == cur) {
        pen.line(cell.x, level);
    } else if (prev == opposite) {
        pen.line(cell.e, level);
        if (cell.e < cell.x)
            pen.line(cell.x, level);
        return true;
    } else if (prev == '2') {
        pen.line(cell.f, level);
        if (cell.e < cell.x)
            pen.line(cell.x, level);
    } else if (twoLine(prev)) {
        pen.segment(cell.c, other, cell.e, level);
        pen.segment(cell.c, level, cell.x, level);
    }
    return false;
}

void drawTriStateCell(PathTracer& pen, const CellSpan& cell, char prev, const Levels& lv)
{
    if (prev == '2') {
        pen.line(cell.x, lv.middle);
    } else if (prev == '0' || prev == '1') {
        pen.line(cell.f, lv.middle);
        if (cell.e < cell.x)
            pen.line(cell.x, lv.middle);
    } else if (twoLine(prev)) {
        pen.segment(cell.c, lv.high, cell.f, lv.middle);
        pen.segment(cell.c, lv.low, cell.f, lv.middle);
        if (cell.f < cell.x)
            pen.line(cell.x, lv.middle);
    }
}

// A two-line (bus) cell: both levels at once, a crossing where the value changes.
void drawTwoLineCell(PathTracer& pen, const CellSpan& cell, char prev, char cur, const Levels& lv, int waveOriginX)
{
    const int h = lv.high;
    const int l = lv.low;
    if (prev == cur) {
        if (cell.x != waveOriginX) {
            pen.segment(cell.c, h, cell.x, h);
            pen.segment(cell.c, l, cell.x, l);
        }
    } else if (prev == '0' || prev == '1') {
        // The old level runs on; an edge leaves it for the other level.
        const int from = prev == '1' ? h : l;
        const int to = prev == '1' ? l : h;
        pen.segment(cell.c, from, cell.x, from);
        pen.segment(cell.c, from, cell.e, to);
        if (cell.e < cell.x)
            pen.line(cell.x, to);
        else
            pen.segment(cell.x, from, cell.e, from);
    } else if (prev == '2') {
        pen.segment(cell.c, lv.middle, cell.f, l);
        if (cell.f < cell.x)
            pen.line(cell.x, l);
        pen.segment(cell.c, lv.middle, cell.f, h);
        if (cell.f < cell.x)
            pen.line(cell.x, h);
    } else if (twoLine(prev)) {
        pen.segment(cell.c, h, cell.e, l);
        if (cell.e < cell.x)
            pen.line(cell.x, l);
        pen.segment(cell.c, l, cell.e, h);
        if (cell.e < cell.x)
            pen.line(cell.x, h);
    }
}

} // namespace

int leadingOffset(const model::CellGrid& offsets, int signalIndex, int firstVisibleCell)
{
    long long sum = 0;
    for (int k = 0; k <= firstVisibleCell + 1; ++k)
        sum += offsets.get(signalIndex, k);
    return sum < 0 ? 0 : static_cast<int>(sum);
}

void WaveformPainter::drawRow(const model::SignalRow& row, int signalIndex, int top, std::string_view waveformOverride,
                              int extraDelay)
{
    if (row.separator) {
        drawSeparator(row, signalIndex, top);
        return;
    }
    std::string_view cells = waveformOverride.empty() ? row.waveform : waveformOverride;
    ctx_.surface.setTextColour(row.nameColour);
    if (row.differential)
        drawPass(row, cells, signalIndex, top, extraDelay, true);
    drawPass(row, cells, signalIndex, top, extraDelay, false);
}

void WaveformPainter::drawPass(const model::SignalRow& row, std::string_view cells, int signalIndex, int top,
                               int extraDelay, bool differentialPass)
{
    const Layout& l = ctx_.layout;
    Surface& surface = ctx_.surface;
    surface.setPen(differentialPass ? Pen::dotted(row.waveColour) : Pen::solid(row.waveColour));

    const bool writePath = ctx_.svgMain();
    const bool writeArrows = ctx_.svgArrowheads();
    const bool cull = ctx_.options.cullOffSurface && !ctx_.svg;
    PathTracer pen(surface, writePath ? ctx_.svg : nullptr, cull ? surface.size().width : 0);
    const bool arrows = !differentialPass;

    const Levels levels{l.highLevel(top), l.lowLevel(top), l.middleLevel(top)};
    auto levelOf = [&](char v) { return v == '1' ? levels.high : v == '0' ? levels.low : levels.middle; };
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

    const long long delay = static_cast<long long>(leadingOffset(offsets, signalIndex, first)) + extraDelay;
    int x = l.waveOriginX() + Layout::clampCoordinate(std::max(0LL, delay));
    pen.start(l.waveOriginX(), levelOf(valueAt(first)));
    if (n > 0)
        pen.line(x, levelOf(valueAt(first)));

    // A later cell can lie left of an earlier one only by the negative edge offsets still ahead:
    // once a cell starts so far right of the image that all of them together cannot bring a
    // later cell (or its edge arrow) back onto it, nothing after it can be seen.
    const bool cullRight = cull && l.cellWidth > 0 && s >= 0;
    long long pullAhead = 0; // the sum of the negative edge offsets k + 1 .. last
    if (cullRight)
        for (int k = first + 2; k < model::kMaxCells; ++k)
            pullAhead += std::min(0, offsetAt(k));
    const long long cullFrom = static_cast<long long>(surface.size().width) + kCellCullMargin;
    for (int k = first + 1; k < first + n; ++k) {
        const char prev = valueAt(k - 1);
        const char cur = valueAt(k);
        const int c = x;
        if (cullRight) {
            if (c + pullAhead > cullFrom)
                break;
            pullAhead -= std::min(0, offsetAt(k + 1));
        }
        x = c + l.cellWidth + offsetAt(k + 1);
        const CellSpan cell{c, x, c + s, c + s / 2};
        switch (cur) {
        case '1':
        case '0':
            if (drawLevelCell(pen, cell, prev, cur, levels) && arrows) {
                if (cur == '1' && row.risingArrows)
                    drawArrow(risingArrow(c, s, top, l.signalHeight));
                else if (cur == '0' && row.fallingArrows)
                    drawArrow(fallingArrow(c, s, top, l.signalHeight));
            }
            break;
        case '2':
            drawTriStateCell(pen, cell, prev, levels);
            break;
        case '3':
        case '4':
            drawTwoLineCell(pen, cell, prev, cur, levels, l.waveOriginX());
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
