#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenderFixture.h"
#include "render/SvgAnnotations.h"
#include "render/SvgWriter.h"
#include "render/TextMarkup.h"

using namespace sigmora;
using render::RunStyle;
using render::TextRun;

namespace {

struct RunsCase {
    const char* name;
    std::string line;
    std::vector<TextRun> runs;
    std::string spoken;
};

class MarkupRuns : public ::testing::TestWithParam<RunsCase> {};

} // namespace

TEST_P(MarkupRuns, SplitTheLineAtCompleteMarksOnly)
{
    const auto& c = GetParam();
    EXPECT_EQ(render::markupRuns(c.line), c.runs);
    EXPECT_EQ(render::withoutMarkup(c.line), c.spoken);
    const bool marked = std::any_of(c.runs.begin(), c.runs.end(), [](const TextRun& r) { return r.style != RunStyle::Plain; });
    EXPECT_EQ(render::hasMarkup(c.line), marked || c.spoken != c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarkupRuns,
    ::testing::Values(
        RunsCase{"Plain", "tRCD = 15 ns", {{"tRCD = 15 ns", RunStyle::Plain}}, "tRCD = 15 ns"},
        RunsCase{"Empty", "", {}, ""},
        RunsCase{"Subscript", "t_{SU}", {{"t", RunStyle::Plain}, {"SU", RunStyle::Subscript}}, "tSU"},
        RunsCase{"Overline", "~{CS} low", {{"CS", RunStyle::Overline}, {" low", RunStyle::Plain}}, "CS low"},
        RunsCase{"TwoMarks", "t_{a}_{b}", {{"t", RunStyle::Plain}, {"a", RunStyle::Subscript}, {"b", RunStyle::Subscript}}, "tab"},
        RunsCase{"UnclosedIsPlain", "a_{b", {{"a_{b", RunStyle::Plain}}, "a_{b"},
        RunsCase{"LoneMarksArePlain", "a_b ~c {d}", {{"a_b ~c {d}", RunStyle::Plain}}, "a_b ~c {d}"},
        RunsCase{"EmptyMarkDrawsNothing", "x_{}y", {{"x", RunStyle::Plain}, {"y", RunStyle::Plain}}, "xy"},
        RunsCase{"NoNesting", "~{a_{b}}", {{"a_{b", RunStyle::Overline}, {"}", RunStyle::Plain}}, "a_{b}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextMarkup, RunsAreDrawnSideBySideWithASmallerLoweredSubscriptAndAnOverline)
{
    render::RecordingSurface s; // 7 pixels a character, 16 a line
    model::FontSpec font;
    font.pixelSize = 13;
    s.setFont(font);
    EXPECT_EQ(render::markedTextExtent(s, font, "t_{SU}~{CS}").width, 5 * 7);
    render::markedTextOut(s, font, 0x0000FF, 100, 40, "t_{SU}~{CS}");
    ASSERT_EQ(s.texts().size(), 3u);
    EXPECT_EQ(s.texts()[0].text, "t");
    EXPECT_EQ(s.texts()[0].at, (render::Point{100, 40}));
    EXPECT_EQ(s.texts()[0].font.pixelSize, 13);
    EXPECT_EQ(s.texts()[1].text, "SU");
    EXPECT_EQ(s.texts()[1].font.pixelSize, 9); // seven tenths of 13
    // Its top: line height 16 - its own 16 + a tenth of 16 below the line's top.
    EXPECT_EQ(s.texts()[1].at, (render::Point{107, 41}));
    EXPECT_EQ(s.texts()[2].text, "CS");
    EXPECT_EQ(s.texts()[2].font.pixelSize, 13);
    EXPECT_EQ(s.texts()[2].at, (render::Point{121, 40}));
    ASSERT_EQ(s.segments().size(), 1u);
    EXPECT_EQ(s.segments()[0].from, (render::Point{121, 41}));
    EXPECT_EQ(s.segments()[0].to, (render::Point{135, 41}));
    EXPECT_EQ(s.segments()[0].pen, render::Pen::solid(0x0000FF));

    // Without marks: one text, measured and drawn as it stands.
    s.clear();
    render::markedTextOut(s, font, 0, 5, 6, "t_SU {CS}");
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "t_SU {CS}");
    EXPECT_TRUE(s.segments().empty());
    EXPECT_EQ(render::markedTextExtent(s, font, "t_SU {CS}").width, 9 * 7);
}

TEST(TextMarkup, ATextBoxIsCentredOnItsDrawnWidthAndItsSvgCarriesTheMarksAsSpans)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add(test::RenderFixture::row("S0", std::string(40, '1'), 1));
    // Centred, two lines: "t_{RCD}" is 4 characters wide as drawn, "~{WE}" 2; the box 4 wide.
    f.diagram.store.list(model::ListId::Texts).append("200.100.0.0.t_{RCD}\\n~{WE}.SigmoraNone.     0.Arial.8.0.0.1.1.0.0.0.");
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    std::vector<render::RecordingSurface::Text> texts;
    for (const auto& t : f.surface.texts())
        if (t.text != "S0")
            texts.push_back(t);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].at.x, 200);          // "t" at the box's left
    EXPECT_EQ(texts[1].at.x, 207);          // "RCD" right after it
    EXPECT_EQ(texts[2].at.x, 200 + 14 - 7); // "WE" centred under the 4-character line
    const std::string out(svg.text());
    EXPECT_NE(out.find(">t<tspan baseline-shift=\"sub\" style=\"font-size:70%\">RCD</tspan></tspan>"), std::string::npos)
        << out;
    EXPECT_NE(out.find("><tspan style=\"text-decoration:overline\">WE</tspan></tspan>"), std::string::npos) << out;
}

TEST(TextMarkup, SvgLinesWithoutMarksAreWrittenAsBefore)
{
    for (const char* line : {"a<b", "t_SU", "x{1}", "~}"}) {
        render::SvgWriter marked, escaped;
        render::svg::textBoxLine(marked, 1, 2, line, {});
        escaped.put("<text\n   x=\"1\"\n   y=\"12\"\n   id=\"text4\"\n   style=\"font-size:8pt;font-style:normal;fill:rgb(0,0,0);"
                    "stroke:none;font-family:Arial\">\n<tspan\n   x=\"1\"\n   y=\"12\"\n   id=\"tspan6\">",
                    render::SvgWriter::escaped(line), "</tspan></text>\n");
        EXPECT_EQ(marked.text(), escaped.text()) << line;
    }
}
