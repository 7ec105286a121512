#include "render/SvgWriter.h"

#include <charconv>
#include <cstdio>

#include "model/Utf8Text.h"

namespace sigmora::render {

namespace {

constexpr const char* kSolidPathStyle = "style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ";
constexpr const char* kDottedPathStyle = "style=\"fill:none;stroke:#000000;stroke-width:1;stroke-dasharray:3, 3\" />\n ";

template <typename... Args>
void appendf(std::string& out, const char* format, Args... args)
{
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0)
        return;
    if (static_cast<size_t>(n) < sizeof buffer) {
        out.append(buffer, static_cast<size_t>(n));
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format, args...);
    big.resize(static_cast<size_t>(n));
    out += big;
}

// "<tag> x,y " for the path entries, the most frequent elements, without a format string.
void appendInt(std::string& out, int value)
{
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<size_t>(result.ptr - digits));
}

void appendEntry(std::string& out, char tag, int x, int y)
{
    out.push_back(tag);
    out.push_back(' ');
    appendInt(out, x);
    out.push_back(',');
    appendInt(out, y);
    out.push_back(' ');
}

} // namespace

std::string SvgWriter::takeText()
{
    std::string t;
    t.swap(out_);
    return t;
}

int SvgWriter::takeId()
{
    int id = idCounter;
    idCounter += 2;
    return id;
}

void SvgWriter::beginPath(int x, int y)
{
    appendf(out_, "<path\n   d=\"M %d,%d ", x, y + kYOffset);
}

void SvgWriter::pathMove(int x, int y)
{
    appendEntry(out_, 'M', x, y + kYOffset);
}

void SvgWriter::pathLine(int x, int y)
{
    appendEntry(out_, 'L', x, y + kYOffset);
}

void SvgWriter::endPath(bool dotted)
{
    appendf(out_, "\"\n   id=\"path%d\"\n   ", takeId());
    out_.append(dotted ? kDottedPathStyle : kSolidPathStyle);
}

void SvgWriter::edgeArrow(const Point (&p)[3])
{
    appendf(out_, "<path\n   d=\"M %d,%d L %d,%d L %d,%d \"\n   id=\"path%d\"\n   style=\"fill:#000000;stroke:#000000;stroke-width:1\" />\n ",
            p[0].x, p[0].y + kYOffset, p[1].x, p[1].y + kYOffset, p[2].x, p[2].y + kYOffset, takeId());
}

void SvgWriter::periodLine(int x, int top, int bottom)
{
    appendf(out_, "<line\n   x1=\"%d\"\n   y1=\"%d\"\n   x2=\"%d\"\n   y2=\"%d\"\n   style=\"fill:none;stroke:#C0C0C0;stroke-width:1;stroke-dasharray:3, 3\"\n   id=\"line%d\"/>\n",
            x, top + kYOffset, x, bottom + kYOffset, takeId());
}

void SvgWriter::cycleLabel(int x, int y, std::string_view label)
{
    const std::string text = escaped(label);
    appendf(out_, "<text\n   x=\"%d\"\n   y=\"%d\"\n   id=\"text%d\"\n   style=\"font-size:10pt;font-style:normal;fill:#000000;stroke:none;font-family:Arial\">\n",
            x, y + kYOffset, takeId());
    appendf(out_, "<tspan\n   x=\"%d\"\n   y=\"%d\"\n   id=\"tspan%d\">%s</tspan>\n", x, y + kYOffset, takeId(), text.c_str());
    out_.append("</text>\n");
}

void SvgWriter::separatorLine(int x1, int x2, int y, std::string_view style)
{
    const std::string s(style);
    appendf(out_, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" style=\"%s\"/>\n", x1, y + kYOffset, x2, y + kYOffset,
            s.c_str());
}

void SvgWriter::beginText(int x, int y, int pointSize, std::string_view face)
{
    const std::string f = escaped(face);
    appendf(out_, "<text\n   x=\"%d\"\n   y=\"%d\"\n   id=\"text%d\"\n   style=\"font-size:%dpt;font-style:normal;stroke:none;font-family:%s\">\n",
            x, y + kYOffset, takeId(), pointSize, f.c_str());
}

void SvgWriter::textSpan(int x, int y, std::string_view text)
{
    const std::string t = escaped(text);
    appendf(out_, "<tspan\n   x=\"%d\"\n   y=\"%d\"\n   id=\"tspan%d\">%s</tspan>\n", x, y + kYOffset, takeId(), t.c_str());
}

void SvgWriter::endText()
{
    out_.append("</text>\n");
}

void SvgWriter::activeLowBar(int x1, int x2, int y)
{
    appendf(out_, "<path\n   d=\"M %d,%d L %d,%d \"\n   id=\"path%d\"\n   style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ",
            x1, y + kYOffset, x2, y + kYOffset, takeId());
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
