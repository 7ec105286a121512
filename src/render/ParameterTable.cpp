#include "render/ParameterTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/SignalRecord.h"
#include "render/SvgAnnotations.h"
#include "render/TextMarkup.h"

namespace sigmora::render {

namespace {

constexpr const char* kHeader[] = {"Symbol", "Description", "Min", "Typ", "Max", "Unit"};
constexpr int kColumns = 6;
constexpr int kGapAbove = 16;   // between the last row and the table
constexpr int kPadding = 4;     // around each cell's text
constexpr int kLineGap = 6;     // a line is the font's pixel size and this much
constexpr int kMaxShownParameters = 4096;

struct TableFont {
    std::string face;
    int points;
};

// The font of the names: the first row's face and size.
TableFont tableFont(const model::Diagram& d)
{
    if (d.store.signalCount() == 0)
        return {"Arial", 10};
    const model::SignalRow row = model::parseSignalRow(d.store.signals().get(0));
    return {std::string(row.fontFace), std::clamp(row.fontSize, 4, 72)};
}

int lineHeight(const TableFont& f)
{
    return FontSpec::pixelsForPoints(f.points) + kLineGap;
}

int shownRows(const model::DiagramExtension& e)
{
    return std::min<int>(static_cast<int>(e.parameters.size()), kMaxShownParameters) + 1;
}

std::string limit(const std::optional<double>& v)
{
    return v ? model::limitText(*v) : std::string();
}

// The widths of the columns: the widest text of each and its padding. The screen image's redraws
// keep them for a table whose texts and font have not changed; other outputs measure afresh on
// their own surface.
std::array<int, kColumns> columnWidths(RedrawContext& ctx, const FontSpec& font,
                                       const std::vector<std::vector<std::string>>& cells)
{
    std::string key = font.face + "\x1f" + std::to_string(font.pixelSize);
    for (const auto& row : cells)
        for (const std::string& cell : row)
            key.append("\x1f").append(cell);
    RedrawMemory::TableWidths& kept = ctx.memory.tableWidths;
    const bool screen = ctx.options.cullOffSurface && !ctx.svg && !ctx.printing();
    if (screen && kept.key == key)
        return kept.widths;
    std::array<int, kColumns> widths{};
    for (const auto& row : cells)
        for (int c = 0; c < kColumns; ++c)
            widths[static_cast<size_t>(c)] =
                std::max(widths[static_cast<size_t>(c)],
                         markedTextExtent(ctx.surface, font, row[static_cast<size_t>(c)]).width + 2 * kPadding);
    if (screen)
        kept = {std::move(key), widths};
    return widths;
}

} // namespace

std::vector<std::vector<std::string>> parameterTableCells(const model::DiagramExtension& extension)
{
    std::vector<std::vector<std::string>> out;
    out.emplace_back(std::begin(kHeader), std::end(kHeader));
    for (int i = 0; i + 1 < shownRows(extension); ++i) {
        const model::TimingParameter& p = extension.parameters[static_cast<size_t>(i)];
        out.push_back({p.symbol, p.description, limit(p.min), limit(p.typ), limit(p.max), p.unit});
    }
    return out;
}

int parameterTableHeight(const model::Diagram& diagram)
{
    const model::DiagramExtension& e = diagram.extension;
    if (!e.parameterTable || e.parameters.empty())
        return 0;
    return kGapAbove + shownRows(e) * lineHeight(tableFont(diagram)) + 1;
}

void drawParameterTable(RedrawContext& ctx)
{
    const model::Diagram& d = ctx.diagram;
    if (!d.extension.parameterTable || d.extension.parameters.empty())
        return;
    const Layout& l = ctx.layout;
    Surface& surface = ctx.surface;
    const TableFont tf = tableFont(d);
    const int line = lineHeight(tf);
    const long long rowsBottom = static_cast<long long>(l.signalTop(d.store.signalCount())) - l.signalSpacing / 2;
    const int top = Layout::clampCoordinate(rowsBottom + kGapAbove);
    // On a screen image that culls, a table wholly below or above the image is not measured.
    if (ctx.options.cullOffSurface && !ctx.svg && !ctx.printing() &&
        (top > surface.size().height || top + static_cast<long long>(shownRows(d.extension)) * line < 0))
        return;
    const int scaledPoints = std::max(1, static_cast<int>(std::lround(tf.points * ctx.options.fontScale)));
    const FontSpec font = FontSpec::fromPoints(tf.face, scaledPoints);
    surface.setFont(font);
    surface.setTextColour(model::kBlack);
    const std::vector<std::vector<std::string>> cells = parameterTableCells(d.extension);

    const std::array<int, kColumns> widths = columnWidths(ctx, font, cells);
    // A print's margins are in the layout already.
    const int left = l.nameMargin;
    int right = left;
    for (int w : widths)
        right += w;
    const int bottom = Layout::clampCoordinate(static_cast<long long>(top) + static_cast<long long>(cells.size()) * line);

    surface.setPen(Pen::solid(model::kBlack));
    const auto rule = [&](int x1, int y1, int x2, int y2) {
        surface.moveTo(x1, y1);
        surface.lineTo(x2, y2);
        if (ctx.svgMain()) {
            ctx.svg->beginPath(x1, y1);
            ctx.svg->pathLine(x2, y2);
            ctx.svg->endPath(false);
        }
    };
    // The frame, a rule under the header and between the columns.
    rule(left, top, right, top);
    rule(left, top + line, right, top + line);
    rule(left, bottom, right, bottom);
    for (int c = 0, x = left; c <= kColumns; ++c) {
        rule(x, top, x, bottom);
        if (c < kColumns)
            x += widths[static_cast<size_t>(c)];
    }
    const svg::TextLineStyle style{0, scaledPoints, model::kBlack, font.face, false, false, false, {}};
    const bool cull = ctx.options.cullOffSurface && !ctx.svg && !ctx.printing();
    for (size_t r = 0; r < cells.size(); ++r) {
        const int y = Layout::clampCoordinate(static_cast<long long>(top) + static_cast<long long>(r) * line + kLineGap / 2);
        if (cull && (y > surface.size().height || y + line < 0))
            continue;
        int x = left;
        for (int c = 0; c < kColumns; ++c) {
            const std::string& text = cells[r][static_cast<size_t>(c)];
            if (!text.empty()) {
                markedTextOut(surface, font, model::kBlack, x + kPadding, y, text);
                if (ctx.svgMain())
                    svg::textBoxLine(*ctx.svg, x + kPadding, y + FontSpec::pixelsForPoints(scaledPoints), text, style);
            }
            x += widths[static_cast<size_t>(c)];
        }
    }
}

} // namespace sigmora::render
