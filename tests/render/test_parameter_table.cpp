#include <gtest/gtest.h>

#include <algorithm>

#include "RenderFixture.h"
#include "render/ParameterTable.h"

// The table of timing parameters under the diagram: drawn by the redraw only while its View
// option is set, under the last row, in the first row's font, and its height known beforehand.

using namespace sigmora;

namespace {

struct Table : test::RenderFixture {
    Table()
    {
        waveformsOnly();
        add(row("CLK", std::string(600, '1'), 1));
        add(row("D", std::string(600, '0'), 1));
        model::TimingParameter p;
        p.symbol = "tSU";
        p.description = "setup time";
        p.min = 1.5;
        p.unit = "ns";
        diagram.extension.parameters = {p, p};
        diagram.extension.parameters[1].symbol = "tHD";
        diagram.extension.parameters[1].min.reset();
        diagram.extension.parameters[1].max = 2;
    }
    std::vector<render::RecordingSurface::Text> tableTexts()
    {
        draw();
        std::vector<render::RecordingSurface::Text> out;
        for (const auto& t : surface.texts())
            if (t.text != "CLK" && t.text != "D")
                out.push_back(t);
        return out;
    }
};

TEST(ParameterTable, CellsAreTheHeaderAndTheRowsLimitsAsTyped)
{
    Table t;
    const auto cells = render::parameterTableCells(t.diagram.extension);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"Symbol", "Description", "Min", "Typ", "Max", "Unit"}));
    EXPECT_EQ(cells[1], (std::vector<std::string>{"tSU", "setup time", "1.5", "", "", "ns"}));
    EXPECT_EQ(cells[2], (std::vector<std::string>{"tHD", "setup time", "", "", "2", "ns"}));
}

struct ShownCase {
    const char* name;
    bool option;
    bool parameters;
    bool drawn;
};

const ShownCase kShown[] = {
    {"OptionAndParameters", true, true, true},
    {"OptionWithoutParameters", true, false, false},
    {"ParametersWithoutOption", false, true, false},
};

class ParameterTableShown : public testing::TestWithParam<ShownCase> {};

TEST_P(ParameterTableShown, OnlyWithItsOptionAndSomethingToShow)
{
    Table t;
    t.diagram.extension.parameterTable = GetParam().option;
    if (!GetParam().parameters)
        t.diagram.extension.parameters.clear();
    const auto texts = t.tableTexts();
    const bool header = std::any_of(texts.begin(), texts.end(), [](const auto& x) { return x.text == "Description"; });
    EXPECT_EQ(header, GetParam().drawn);
    EXPECT_EQ(render::parameterTableHeight(t.diagram) > 0, GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(Table, ParameterTableShown, testing::ValuesIn(kShown),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParameterTable, StandsUnderTheLastRowInTheNamesFont)
{
    Table t;
    t.diagram.extension.parameterTable = true;
    const auto texts = t.tableTexts();
    const render::Layout l = render::Layout::from(t.diagram.settings);
    const int rowsBottom = l.signalTop(2) - l.signalSpacing / 2;
    ASSERT_FALSE(texts.empty());
    for (const auto& x : texts) {
        EXPECT_GT(x.at.y, rowsBottom) << x.text;
        EXPECT_LT(x.at.y, rowsBottom + render::parameterTableHeight(t.diagram)) << x.text;
        EXPECT_EQ(x.font.face, "Arial") << x.text;
    }
    // The rows stand one under the other, the header first.
    const auto at = [&](const std::string& s) {
        return std::find_if(texts.begin(), texts.end(), [&](const auto& x) { return x.text == s; })->at;
    };
    EXPECT_LT(at("Symbol").y, at("tSU").y);
    EXPECT_LT(at("tSU").y, at("tHD").y);
    EXPECT_EQ(at("tSU").x, at("tHD").x);
    EXPECT_LT(at("tSU").x, at("setup time").x);
}

TEST(ParameterTable, IsWrittenIntoTheSvgToo)
{
    Table t;
    t.diagram.extension.parameterTable = true;
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    t.draw(&svg);
    EXPECT_NE(svg.text().find(">setup time</tspan>"), std::string::npos);
    EXPECT_NE(svg.text().find(">Symbol</tspan>"), std::string::npos);
}

} // namespace

namespace {

TEST(ParameterTable, TheScreensKeptWidthsFollowTheTexts)
{
    Table t;
    t.diagram.extension.parameterTable = true;
    t.options.cullOffSurface = true;
    const auto minX = [&] {
        for (const auto& x : t.tableTexts())
            if (x.text == "Min")
                return x.at.x;
        return -1;
    };
    const int before = minX();
    EXPECT_EQ(minX(), before) << "the same table, the same widths";
    t.diagram.extension.parameters[0].description = "a far longer description of the setup time";
    EXPECT_GT(minX(), before) << "a longer description widens its column";
}

} // namespace
