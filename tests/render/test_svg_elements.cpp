#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/SvgWriter.h"

using namespace sigmora;

namespace {

std::string periodLine(int x, int y1, int y2, int id)
{
    return "<line\n   x1=\"" + std::to_string(x) + "\"\n   y1=\"" + std::to_string(y1) + "\"\n   x2=\"" +
           std::to_string(x) + "\"\n   y2=\"" + std::to_string(y2) +
           "\"\n   style=\"fill:none;stroke:#C0C0C0;stroke-width:1;stroke-dasharray:3, 3\"\n   id=\"line" +
           std::to_string(id) + "\"/>\n";
}

std::string label(int x, const std::string& text, int id)
{
    const std::string xs = std::to_string(x);
    return "<text\n   x=\"" + xs + "\"\n   y=\"15\"\n   id=\"text" + std::to_string(id) +
           "\"\n   style=\"font-size:10pt;font-style:normal;fill:#000000;stroke:none;font-family:Arial\">\n"
           "<tspan\n   x=\"" + xs + "\"\n   y=\"15\"\n   id=\"tspan" + std::to_string(id + 2) + "\">" + text +
           "</tspan>\n</text>\n";
}

std::string arrow(int c, int id)
{
    return "<path\n   d=\"M " + std::to_string(c - 3) + ",38 L " + std::to_string(c + 3) + ",38 L " + std::to_string(c) +
           ",33 \"\n   id=\"path" + std::to_string(id) + "\"\n   style=\"fill:#000000;stroke:#000000;stroke-width:1\" />\n ";
}

} // namespace

TEST(SvgElements, DefaultClockRowByteForByte)
{
    test::RenderFixture f;
    f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);

    std::string expected;
    int id = 4;
    // Own period per clock, the clock on the first row: its own row, then the (empty) span under it.
    for (int w = 0; w < 20; ++w, id += 2)
        expected += periodLine(105 + 30 * w, 30, 46, id);
    for (int w = 0; w < 20; ++w, id += 2)
        expected += periodLine(105 + 30 * w, 46, 46, id);
    for (int k = 0; k < 10; ++k, id += 4) {
        const std::string text = " " + std::to_string(k + 1) + " ";
        expected += label(105 + 60 * k + 15 - static_cast<int>(text.size()) * 7 / 2, text, id);
    }
    ASSERT_EQ(id, 124);
    expected +=
        "<path\n   d=\"M 105,46 L 105,46 L 105,30 L 135,30 L 135,46 L 165,46 L 165,30 L 195,30 L 195,46 L 225,46 "
        "L 225,30 L 255,30 L 255,46 L 285,46 L 285,30 L 315,30 L 315,46 L 345,46 L 345,30 L 375,30 L 375,46 L 405,46 "
        "L 405,30 L 435,30 L 435,46 L 465,46 L 465,30 L 495,30 L 495,46 L 525,46 L 525,30 L 555,30 L 555,46 L 585,46 "
        "L 585,30 L 615,30 L 615,46 L 645,46 L 645,30 L 675,30 \"\n   id=\"path124\"\n"
        "   style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ";
    id = 126;
    for (int k = 0; k < 10; ++k, id += 2)
        expected += arrow(105 + 60 * k, id);
    expected += "<text\n   x=\"5\"\n   y=\"30\"\n   id=\"text146\"\n"
                "   style=\"font-size:10pt;font-style:normal;stroke:none;font-family:Arial\">\n"
                "<tspan\n   x=\"5\"\n   y=\"42\"\n   id=\"tspan148\">Clock</tspan>\n</text>\n";
    EXPECT_EQ(svg.text(), expected);
    EXPECT_EQ(svg.idCounter, 150);
    EXPECT_EQ(svg.pass, render::SvgPass::Main);
}

TEST(SvgElements, DifferentialPathSeparatorsAndActiveLowBar)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60;
    f.add(test::RenderFixture::row("n\\nq", "12", 1, 0, 0, 1, 1));
    f.add("s1\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    f.add("s2\t\t\t\t\tSEP_0.0.1.Arial.2.1.0.0.0.1.");
    f.add("s3\t\t\t\t\tSEP_0.0.1.Arial.3.1.0.0.0.1.");
    f.add("s0\t\t\t\t\tSEP_0.0.1.Arial.0.1.0.0.0.1.");
    f.diagram.settings.activeLowBarFactor = 0.8f;
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    const std::string expected =
        // dotted pass: 1 2 stays 0 2 inverted: starts low
        "<path\n   d=\"M 105,46 L 105,46 L 105,38 L 135,38 \"\n   id=\"path4\"\n"
        "   style=\"fill:none;stroke:#000000;stroke-width:1;stroke-dasharray:3, 3\" />\n "
        "<path\n   d=\"M 105,30 L 105,30 L 105,38 L 135,38 \"\n   id=\"path6\"\n"
        "   style=\"fill:none;stroke:#000000;stroke-width:1\" />\n "
        "<line x1=\"105\" y1=\"82\" x2=\"135\" y2=\"82\" style=\"stroke:black; fill:none; stroke-width:0.3;\"/>\n"
        "<line x1=\"105\" y1=\"126\" x2=\"135\" y2=\"126\" style=\"stroke:black; fill:none; stroke-width:0.3;stroke-dasharray:3 3;\"/>\n"
        "<line x1=\"105\" y1=\"169\" x2=\"135\" y2=\"169\" style=\"stroke:black; fill:black; stroke-width:3;\"/>\n"
        "<text\n   x=\"5\"\n   y=\"30\"\n   id=\"text8\"\n"
        "   style=\"font-size:10pt;font-style:normal;stroke:none;font-family:Arial\">\n"
        "<tspan\n   x=\"5\"\n   y=\"42\"\n   id=\"tspan10\">n</tspan>\n"
        "<tspan\n   x=\"5\"\n   y=\"62\"\n   id=\"tspan12\">q</tspan>\n</text>\n"
        "<path\n   d=\"M 5,50 L 10,50 \"\n   id=\"path14\"\n   style=\"fill:none;stroke:#000000;stroke-width:1\" />\n ";
    EXPECT_EQ(svg.text(), expected);
}

TEST(SvgElements, TextIsEscapedInElements)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add(test::RenderFixture::row("a<b & \"c\"", "1"));
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    EXPECT_NE(svg.text().find(">a&lt;b &amp; &quot;c&quot;</tspan>"), std::string::npos);
}

TEST(SvgElements, NothingIsWrittenWithoutAnSvgPass)
{
    test::RenderFixture f;
    f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    render::SvgWriter svg; // pass Off
    f.draw(&svg);
    EXPECT_EQ(svg.text(), "");
    EXPECT_EQ(svg.idCounter, render::SvgWriter::kFirstId);
}
