#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "render/SvgWriter.h"

using namespace sigmora;

namespace {

// Coordinates and ids are written as std::to_string writes them, on each side of every digit
// count and sign; a part longer than an element's buffer is written whole.
TEST(SvgWriter, NumbersAndLongTextsAreWrittenWhole)
{
    const int numbers[] = {0,        7,        9,       10,       42,        99,        100,       305,
                           999,      1000,     1234,    9999,     10000,     10005,     10100,     12000,
                           65535,    99999,    100000,  100001,   1000000,   10000000,  99999999,  100000000,
                           123456789, INT_MAX, -1,      -10,      -9999,     -10000,    INT_MIN};
    const std::string longText(700, 'w');
    render::SvgWriter svg;
    std::string expected;
    for (int n : numbers) {
        svg.put("<line x1=\"", n, "\" y1=\"", n / 3, "\"/>\n");
        expected += "<line x1=\"" + std::to_string(n) + "\" y1=\"" + std::to_string(n / 3) + "\"/>\n";
    }
    svg.put("<text x=\"", -5, "\">", std::string_view(longText), "</text>", 12, "\n");
    expected += "<text x=\"-5\">" + longText + "</text>12\n";
    svg.put("", std::string_view(), "");
    for (int k = 0; k < 3000; ++k) // past any first storage: the text grows and keeps its start
        svg.put("L ", k, ",", k + 10000, " ");
    for (int k = 0; k < 3000; ++k)
        expected += "L " + std::to_string(k) + "," + std::to_string(k + 10000) + " ";
    EXPECT_EQ(svg.text(), expected);
    EXPECT_EQ(svg.takeText(), expected);
    EXPECT_EQ(svg.text(), "");
}

} // namespace
