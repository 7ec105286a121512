#include "render/SvgAnnotations.h"

#include <cstdio>
#include <string>

namespace sigmora::render::svg {

namespace {

constexpr int Y = SvgWriter::kYOffset;

constexpr const char* kFloodFour =
    "<path\n   d=\"M %d,%d L %d,%d L %d,%d L %d,%d  z\" fill=\"rgb(%d, %d, %d)\" stroke=\"none\" stroke-width=\"0\" />\n ";
constexpr const char* kFloodFive =
    "<path\n   d=\"M %d,%d L %d,%d L %d,%d L %d,%d L %d,%d z\" fill=\"rgb(%d, %d, %d)\" stroke=\"none\" stroke-width=\"0\" />\n ";
constexpr const char* kCurve =
    "<path\n   d=\"M %d,%d Q %d,%d %d,%d T %d,%d\" fill=\"none\" stroke=\"%s\" stroke-width=\"1\" />\n ";
constexpr const char* kStraight = "<path\n   d=\"M %d,%d L %d,%d\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kAngled =
    "<path\n   d=\"M %d,%d L %d,%d L %d,%d L %d,%d\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kArrowHead =
    "<path\n   d=\"M %d,%d L %d,%d L %d,%d \" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kLabelLine = "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" style=\"%s\"/>\n";
constexpr const char* kMeasureLine = "<path d=\"M %d,%d L %d,%d \" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kTails =
    "<path d=\"M %d,%d L %d,%d M %d,%d L %d,%d\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kLabelHead =
    "<path\n   d=\"M %d,%d L %d,%d L %d,%d z\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr const char* kOutline =
    "<rect\n   x=\"%d\"\n   y=\"%d\"\n   id=\"rect%d\"\n   width=\"%d\" height=\"%d\" style=\"fill: white; stroke: black \"/>\n";
constexpr const char* kRoundedOutline =
    "<rect\n   x=\"%d\"\n   y=\"%d\" rx=\"5\" ry=\"5\"\n   id=\"rect%d\"\n   width=\"%d\" height=\"%d\" style=\"fill: white; stroke: black \"/>\n";

constexpr const char* kBeginExtensionStyle = "fill: none; stroke:black; stroke-width:1; stroke-dasharray:3, 3";
constexpr const char* kEndExtensionStyle = "fill: none;  stroke:black; stroke-width:1; stroke-dasharray:3,3";
constexpr const char* kBeginTickStyle = "fill: none;  stroke:black; stroke-width:1";
constexpr const char* kEndTickStyle = "fill: none; stroke:black;stroke-width:1";

constexpr const char* kUnderline = "text-decoration=\"underline\"";

template <typename... Args>
void put(SvgWriter& w, const char* format, Args... args)
{
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0)
        return;
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<size_t>(n));
    w.append(text);
}

// The style of a text line: face, size, colour and the bold and italic variants.
std::string textStyle(const TextLineStyle& s, const std::string& face)
{
    std::string style = s.justification == 2 ? "text-anchor:right; " : "";
    style += "font-size:" + std::to_string(s.pointSize) + "pt;";
    style += s.italic ? "font-style:italic;" : "font-style:normal;";
    if (s.bold)
        style += "font-weight:bold;";
    style += "fill:rgb(" + std::to_string(model::redOf(s.colour)) + "," + std::to_string(model::greenOf(s.colour)) + "," +
             std::to_string(model::blueOf(s.colour)) + ");stroke:none;font-family:" + face;
    return style;
}

// The attributes between y and the style: where the underline attribute stands depends on the
// alignment (and, for centred text, on the bold and italic variant).
std::string idPart(const TextLineStyle& s, int id)
{
    const std::string idAttribute = "id=\"text" + std::to_string(id) + "\"";
    if (!s.underline)
        return "\n   " + idAttribute;
    if (s.justification != 1)
        return std::string("  ") + kUnderline + "\n   " + idAttribute;
    const bool noBlank = s.bold && !s.italic;
    return std::string("\n   ") + kUnderline + (noBlank ? "" : " ") + idAttribute;
}

} // namespace

void floodPolygon(SvgWriter& w, const Point* p, size_t count, model::Colour fill)
{
    const int r = model::redOf(fill), g = model::greenOf(fill), b = model::blueOf(fill);
    if (count == 4)
        put(w, kFloodFour, p[0].x, p[0].y + Y, p[1].x, p[1].y + Y, p[2].x, p[2].y + Y, p[3].x, p[3].y + Y, r, g, b);
    else if (count == 5)
        put(w, kFloodFive, p[0].x, p[0].y + Y, p[1].x, p[1].y + Y, p[2].x, p[2].y + Y, p[3].x, p[3].y + Y, p[4].x,
            p[4].y + Y, r, g, b);
}

void arrowCurve(SvgWriter& w, Point from, Point control, Point middle, Point to)
{
    put(w, kCurve, from.x, from.y + Y, control.x, control.y + Y, middle.x, middle.y + Y, to.x, to.y + Y, "black");
}

void arrowLine(SvgWriter& w, Point from, Point to)
{
    put(w, kStraight, from.x, from.y + Y, to.x, to.y + Y);
}

void arrowAngled(SvgWriter& w, const Point (&c)[4])
{
    put(w, kAngled, c[0].x, c[0].y + Y, c[1].x, c[1].y + Y, c[2].x, c[2].y + Y, c[3].x, c[3].y + Y);
}

void arrowHead(SvgWriter& w, const Point (&t)[3])
{
    put(w, kArrowHead, t[0].x, t[0].y + Y, t[1].x, t[1].y + Y, t[2].x, t[2].y + Y);
}

void labelLine(SvgWriter& w, Point from, Point to, LabelLineStyle style)
{
    const char* text = style == LabelLineStyle::BeginExtension ? kBeginExtensionStyle
                       : style == LabelLineStyle::EndExtension ? kEndExtensionStyle
                       : style == LabelLineStyle::BeginTick    ? kBeginTickStyle
                                                               : kEndTickStyle;
    put(w, kLabelLine, from.x, from.y + Y, to.x, to.y + Y, text);
}

void labelMeasureLine(SvgWriter& w, Point from, Point to)
{
    put(w, kMeasureLine, from.x, from.y + Y, to.x, to.y + Y);
}

void labelTails(SvgWriter& w, Piece a, Piece b)
{
    put(w, kTails, a.from.x, a.from.y + Y, a.to.x, a.to.y + Y, b.from.x, b.from.y + Y, b.to.x, b.to.y + Y);
}

void labelHead(SvgWriter& w, const Point (&t)[3])
{
    put(w, kLabelHead, t[0].x, t[0].y + Y, t[1].x, t[1].y + Y, t[2].x, t[2].y + Y);
}

void timeBreakCurve(SvgWriter& w, int t, int u, int h, int cellWidth, int i, bool white)
{
    put(w, kCurve, t + i, u - 3 + Y, t + i - cellWidth / 8, u + h / 4 + Y, t + i, u + h / 2 + Y, t + i, u + h + 3 + Y,
        white ? "white" : "black");
}

void textBoxOutline(SvgWriter& w, const Rect& box, bool rounded)
{
    put(w, rounded ? kRoundedOutline : kOutline, box.left, box.top + Y, w.takeId(), box.right - box.left,
        box.bottom - box.top);
}

void textBoxLine(SvgWriter& w, int x, int y, std::string_view text, const TextLineStyle& s)
{
    const std::string face = SvgWriter::escaped(s.face);
    const std::string line = SvgWriter::escaped(text);
    const std::string head = "<text\n   x=\"" + std::to_string(x) + "\"\n   y=\"" + std::to_string(y + Y) + "\"" +
                             idPart(s, w.takeId()) + "\n   style=\"" + textStyle(s, face) + "\">";
    w.append(head);
    if (s.justification == 2) {
        w.append(line + "\n</text>\n");
        return;
    }
    w.append("\n");
    put(w, "<tspan\n   x=\"%d\"\n   y=\"%d\"\n   id=\"tspan%d\">%s</tspan>", x, y + Y, w.takeId(), line.c_str());
    w.append("</text>\n");
}

} // namespace sigmora::render::svg
