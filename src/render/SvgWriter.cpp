#include "render/SvgWriter.h"

#include <algorithm>

#include "model/Utf8Text.h"

namespace sigmora::render {

namespace {

constexpr std::string_view kSolidPathStyle = "style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ";
constexpr std::string_view kDottedPathStyle =
    "style=\"fill:none;stroke:#000000;stroke-width:1;stroke-dasharray:3, 3\" />\n ";

// A text in an element ends at its first NUL character, as a C string does.
std::string_view untilNul(const std::string& text)
{
    return std::string_view(text.c_str());
}

} // namespace

std::string SvgWriter::takeText()
{
    out_.resize(used_);
    used_ = 0;
    std::string t;
    t.swap(out_);
    return t;
}

void SvgWriter::grow(std::size_t bytes)
{
    // Doubling keeps the growth linear. Within what reserve() set aside nothing is copied, and the
    // storage is filled (and so its memory touched) only as far as the text has come.
    const std::size_t needed = used_ + bytes;
    std::size_t size = std::max({needed, out_.size() * 2, kElementBuffer});
    if (needed <= out_.capacity())
        size = std::min(size, out_.capacity());
    out_.resize(size);
}

int SvgWriter::takeId()
{
    int id = idCounter;
    idCounter += 2;
    return id;
}

void SvgWriter::beginPath(int x, int y)
{
    put("<path\n   d=\"M ", x, ",", y + kYOffset, " ");
}

void SvgWriter::pathMove(int x, int y)
{
    put("M ", x, ",", y + kYOffset, " ");
}

void SvgWriter::pathLine(int x, int y)
{
    put("L ", x, ",", y + kYOffset, " ");
}

void SvgWriter::endPath(bool dotted)
{
    put("\"\n   id=\"path", takeId(), "\"\n   ", dotted ? kDottedPathStyle : kSolidPathStyle);
}

void SvgWriter::edgeArrow(const Point (&p)[3])
{
    put("<path\n   d=\"M ", p[0].x, ",", p[0].y + kYOffset, " L ", p[1].x, ",", p[1].y + kYOffset, " L ", p[2].x, ",",
        p[2].y + kYOffset, " \"\n   id=\"path", takeId(),
        "\"\n   style=\"fill:#000000;stroke:#000000;stroke-width:1\" />\n ");
}

void SvgWriter::periodLine(int x, int top, int bottom)
{
    put("<line\n   x1=\"", x, "\"\n   y1=\"", top + kYOffset, "\"\n   x2=\"", x, "\"\n   y2=\"", bottom + kYOffset,
        "\"\n   style=\"fill:none;stroke:#C0C0C0;stroke-width:1;stroke-dasharray:3, 3\"\n   id=\"line", takeId(),
        "\"/>\n");
}

void SvgWriter::cycleLabel(int x, int y, std::string_view label)
{
    const std::string text = escaped(label);
    put("<text\n   x=\"", x, "\"\n   y=\"", y + kYOffset, "\"\n   id=\"text", takeId(),
        "\"\n   style=\"font-size:10pt;font-style:normal;fill:#000000;stroke:none;font-family:Arial\">\n");
    put("<tspan\n   x=\"", x, "\"\n   y=\"", y + kYOffset, "\"\n   id=\"tspan", takeId(), "\">", untilNul(text),
        "</tspan>\n</text>\n");
}

void SvgWriter::separatorLine(int x1, int x2, int y, std::string_view style)
{
    const std::string s(style);
    put("<line x1=\"", x1, "\" y1=\"", y + kYOffset, "\" x2=\"", x2, "\" y2=\"", y + kYOffset, "\" style=\"", untilNul(s),
        "\"/>\n");
}

void SvgWriter::beginText(int x, int y, int pointSize, std::string_view face)
{
    const std::string f = escaped(face);
    put("<text\n   x=\"", x, "\"\n   y=\"", y + kYOffset, "\"\n   id=\"text", takeId(), "\"\n   style=\"font-size:",
        pointSize, "pt;font-style:normal;stroke:none;font-family:", untilNul(f), "\">\n");
}

void SvgWriter::textSpan(int x, int y, std::string_view text)
{
    const std::string t = escaped(text);
    put("<tspan\n   x=\"", x, "\"\n   y=\"", y + kYOffset, "\"\n   id=\"tspan", takeId(), "\">", untilNul(t),
        "</tspan>\n");
}

void SvgWriter::endText()
{
    append("</text>\n");
}

void SvgWriter::activeLowBar(int x1, int x2, int y)
{
    put("<path\n   d=\"M ", x1, ",", y + kYOffset, " L ", x2, ",", y + kYOffset, " \"\n   id=\"path", takeId(),
        "\"\n   style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ");
}

std::string SvgWriter::escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : model::asUtf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

} // namespace sigmora::render
