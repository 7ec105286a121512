#include "render/TextMarkup.h"

#include <algorithm>

namespace sigmora::render {

namespace {

// The mark starting at i ("_{" or "~{") and the position of its closing brace, when both are there.
struct Mark {
    RunStyle style = RunStyle::Plain;
    std::size_t close = std::string_view::npos;
};

Mark markAt(std::string_view line, std::size_t i)
{
    if (i + 1 >= line.size() || line[i + 1] != '{' || (line[i] != '_' && line[i] != '~'))
        return {};
    const std::size_t close = line.find('}', i + 2);
    if (close == std::string_view::npos)
        return {};
    return {line[i] == '_' ? RunStyle::Subscript : RunStyle::Overline, close};
}

template <typename Visit> void forEachRun(std::string_view line, Visit visit)
{
    std::size_t plainFrom = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        const Mark mark = markAt(line, i);
        if (mark.style == RunStyle::Plain) {
            ++i;
            continue;
        }
        if (i > plainFrom)
            visit(TextRun{line.substr(plainFrom, i - plainFrom), RunStyle::Plain});
        if (mark.close > i + 2)
            visit(TextRun{line.substr(i + 2, mark.close - i - 2), mark.style});
        i = plainFrom = mark.close + 1;
    }
    if (plainFrom < line.size())
        visit(TextRun{line.substr(plainFrom), RunStyle::Plain});
}

// Where a subscript's top sits below the line's top: its baseline a tenth of the line height
// below the normal text's baseline.
int subscriptTop(int lineHeight, int subscriptHeight)
{
    return lineHeight - subscriptHeight + lineHeight / 10;
}

} // namespace

bool hasMarkup(std::string_view line)
{
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        if (markAt(line, i).style != RunStyle::Plain)
            return true;
    return false;
}

std::vector<TextRun> markupRuns(std::string_view line)
{
    std::vector<TextRun> runs;
    forEachRun(line, [&](TextRun run) { runs.push_back(run); });
    return runs;
}

std::string withoutMarkup(std::string_view line)
{
    std::string plain;
    forEachRun(line, [&](TextRun run) { plain += run.text; });
    return plain;
}

FontSpec subscriptFont(const FontSpec& font)
{
    FontSpec sub = font;
    sub.pixelSize = std::max(1, (font.pixelSize * 7 + 5) / 10);
    return sub;
}

namespace {

// Each run of a marked line in its font, with its own extent and the x it starts at from the
// line's start; the surface is left in font.
template <typename Visit> void forEachMeasuredRun(Surface& surface, const FontSpec& font, std::string_view line, Visit visit)
{
    const FontSpec sub = subscriptFont(font);
    bool inSubscriptFont = false;
    int x = 0;
    forEachRun(line, [&](TextRun run) {
        const bool subscript = run.style == RunStyle::Subscript;
        if (subscript != inSubscriptFont) {
            surface.setFont(subscript ? sub : font);
            inSubscriptFont = subscript;
        }
        const Size extent = surface.textExtent(run.text);
        visit(run, x, extent);
        x += extent.width;
    });
    if (inSubscriptFont)
        surface.setFont(font);
}

} // namespace

Size markedTextExtent(Surface& surface, const FontSpec& font, std::string_view line)
{
    if (!hasMarkup(line))
        return surface.textExtent(line);
    Size extent{0, surface.textExtent("").height};
    forEachMeasuredRun(surface, font, line, [&](TextRun, int, Size run) { extent.width += run.width; });
    return extent;
}

void markedTextOut(Surface& surface, const FontSpec& font, Colour colour, int x, int y, std::string_view line)
{
    if (!hasMarkup(line)) {
        surface.textOut(x, y, line);
        return;
    }
    const int lineHeight = surface.textExtent("").height;
    const int overlineY = y + std::max(1, surface.fontLeading().internal / 2);
    const int overlineWidth = std::max(1, font.pixelSize / 14);
    forEachMeasuredRun(surface, font, line, [&](TextRun run, int from, Size extent) {
        const int top = run.style == RunStyle::Subscript ? y + subscriptTop(lineHeight, extent.height) : y;
        surface.textOut(x + from, top, run.text);
        if (run.style == RunStyle::Overline) {
            surface.setPen(Pen::solid(colour, overlineWidth));
            surface.moveTo(x + from, overlineY);
            surface.lineTo(x + from + extent.width, overlineY);
        }
    });
}

} // namespace sigmora::render
