#include "render/SvgAnnotations.h"

#include <string>

#include "render/TextMarkup.h"

namespace sigmora::render::svg {

namespace {

constexpr int Y = SvgWriter::kYOffset;

constexpr std::string_view kFloodEnd = ")\" stroke=\"none\" stroke-width=\"0\" />\n ";
constexpr std::string_view kBlackLineEnd = "\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr std::string_view kBlackFillEnd = " \" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ";
constexpr std::string_view kBeginExtensionStyle = "fill: none; stroke:black; stroke-width:1; stroke-dasharray:3, 3";
constexpr std::string_view kEndExtensionStyle = "fill: none;  stroke:black; stroke-width:1; stroke-dasharray:3,3";
constexpr std::string_view kBeginTickStyle = "fill: none;  stroke:black; stroke-width:1";
constexpr std::string_view kEndTickStyle = "fill: none; stroke:black;stroke-width:1";

// A quadratic curve through the middle of a cubic one, in the colour named.
void curve(SvgWriter& w, Point from, Point control, Point middle, Point to, std::string_view colour)
{
    w.put("<path\n   d=\"M ", from.x, ",", from.y + Y, " Q ", control.x, ",", control.y + Y, " ", middle.x, ",",
          middle.y + Y, " T ", to.x, ",", to.y + Y, "\" fill=\"none\" stroke=\"", colour, "\" stroke-width=\"1\" />\n ");
}

// The attributes between y and the id: where the underline attribute stands depends on the
// alignment (and, for centred text, on the bold and italic variant).
std::string_view beforeId(const TextLineStyle& s)
{
    if (!s.underline)
        return "\n   ";
    if (s.justification != 1)
        return "  text-decoration=\"underline\"\n   ";
    return s.bold && !s.italic ? "\n   text-decoration=\"underline\"" : "\n   text-decoration=\"underline\" ";
}

// A text line's content: escaped, with its marks as nested spans: a subscript lowered and smaller,
// an overline as a text decoration. A line without marks is its escaped text alone.
std::string markedContent(std::string_view text)
{
    if (!hasMarkup(text))
        return SvgWriter::escaped(text);
    std::string out;
    for (const TextRun& run : markupRuns(text)) {
        const std::string part = SvgWriter::escaped(run.text);
        switch (run.style) {
        case RunStyle::Plain: out += part; break;
        case RunStyle::Subscript:
            out += "<tspan baseline-shift=\"sub\" style=\"font-size:70%\">" + part + "</tspan>";
            break;
        case RunStyle::Overline:
            out += "<tspan style=\"text-decoration:overline\">" + part + "</tspan>";
            break;
        }
    }
    return out;
}

} // namespace

void floodPolygon(SvgWriter& w, const Point* p, size_t count, model::Colour fill)
{
    const int r = model::redOf(fill), g = model::greenOf(fill), b = model::blueOf(fill);
    if (count == 4)
        w.put("<path\n   d=\"M ", p[0].x, ",", p[0].y + Y, " L ", p[1].x, ",", p[1].y + Y, " L ", p[2].x, ",", p[2].y + Y,
              " L ", p[3].x, ",", p[3].y + Y, "  z\" fill=\"rgb(", r, ", ", g, ", ", b, kFloodEnd);
    else if (count == 5)
        w.put("<path\n   d=\"M ", p[0].x, ",", p[0].y + Y, " L ", p[1].x, ",", p[1].y + Y, " L ", p[2].x, ",", p[2].y + Y,
              " L ", p[3].x, ",", p[3].y + Y, " L ", p[4].x, ",", p[4].y + Y, " z\" fill=\"rgb(", r, ", ", g, ", ", b,
              kFloodEnd);
}

void arrowCurve(SvgWriter& w, Point from, Point control, Point middle, Point to)
{
    curve(w, from, control, middle, to, "black");
}

void arrowLine(SvgWriter& w, Point from, Point to)
{
    w.put("<path\n   d=\"M ", from.x, ",", from.y + Y, " L ", to.x, ",", to.y + Y, kBlackLineEnd);
}

void arrowAngled(SvgWriter& w, const Point (&c)[4])
{
    w.put("<path\n   d=\"M ", c[0].x, ",", c[0].y + Y, " L ", c[1].x, ",", c[1].y + Y, " L ", c[2].x, ",", c[2].y + Y, " L ",
          c[3].x, ",", c[3].y + Y, kBlackLineEnd);
}

void arrowHead(SvgWriter& w, const Point (&t)[3])
{
    w.put("<path\n   d=\"M ", t[0].x, ",", t[0].y + Y, " L ", t[1].x, ",", t[1].y + Y, " L ", t[2].x, ",", t[2].y + Y,
          " \" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ");
}

void labelLine(SvgWriter& w, Point from, Point to, LabelLineStyle style)
{
    const std::string_view text = style == LabelLineStyle::BeginExtension ? kBeginExtensionStyle
                                  : style == LabelLineStyle::EndExtension ? kEndExtensionStyle
                                  : style == LabelLineStyle::BeginTick    ? kBeginTickStyle
                                                                          : kEndTickStyle;
    w.put("<line x1=\"", from.x, "\" y1=\"", from.y + Y, "\" x2=\"", to.x, "\" y2=\"", to.y + Y, "\" style=\"", text,
          "\"/>\n");
}

void labelMeasureLine(SvgWriter& w, Point from, Point to)
{
    w.put("<path d=\"M ", from.x, ",", from.y + Y, " L ", to.x, ",", to.y + Y, kBlackFillEnd);
}

void labelTails(SvgWriter& w, Piece a, Piece b)
{
    w.put("<path d=\"M ", a.from.x, ",", a.from.y + Y, " L ", a.to.x, ",", a.to.y + Y, " M ", b.from.x, ",", b.from.y + Y,
          " L ", b.to.x, ",", b.to.y + Y, "\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ");
}

void labelHead(SvgWriter& w, const Point (&t)[3])
{
    w.put("<path\n   d=\"M ", t[0].x, ",", t[0].y + Y, " L ", t[1].x, ",", t[1].y + Y, " L ", t[2].x, ",", t[2].y + Y,
          " z\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ");
}

void timeBreakCurve(SvgWriter& w, int t, int u, int h, int cellWidth, int i, bool white)
{
    curve(w, {t + i, u - 3}, {t + i - cellWidth / 8, u + h / 4}, {t + i, u + h / 2}, {t + i, u + h + 3},
          white ? "white" : "black");
}

void textBoxOutline(SvgWriter& w, const Rect& box, bool rounded)
{
    w.put("<rect\n   x=\"", box.left, "\"\n   y=\"", box.top + Y, rounded ? "\" rx=\"5\" ry=\"5\"\n   id=\"rect" : "\"\n   id=\"rect",
          w.takeId(), "\"\n   width=\"", box.right - box.left, "\" height=\"", box.bottom - box.top,
          "\" style=\"fill: white; stroke: black \"/>\n");
}

void textBoxLine(SvgWriter& w, int x, int y, std::string_view text, const TextLineStyle& s)
{
    const std::string face = SvgWriter::escaped(s.face);
    const std::string line = markedContent(text);
    // The style: face, size, colour and the bold and italic variants.
    w.put("<text\n   x=\"", x, "\"\n   y=\"", y + Y, "\"", beforeId(s), "id=\"text", w.takeId(), "\"\n   style=\"",
          s.justification == 2 ? "text-anchor:right; " : "", "font-size:", s.pointSize, "pt;",
          s.italic ? "font-style:italic;" : "font-style:normal;", s.bold ? "font-weight:bold;" : "", "fill:rgb(",
          model::redOf(s.colour), ",", model::greenOf(s.colour), ",",
          model::blueOf(s.colour), ");stroke:none;font-family:", face, "\">");
    if (!s.title.empty())
        w.put("<title>", SvgWriter::escaped(s.title), "</title>");
    if (s.justification == 2) {
        w.put(line, "\n</text>\n");
        return;
    }
    w.put("\n<tspan\n   x=\"", x, "\"\n   y=\"", y + Y, "\"\n   id=\"tspan", w.takeId(), "\">", std::string_view(line.c_str()),
          "</tspan></text>\n");
}

} // namespace sigmora::render::svg
