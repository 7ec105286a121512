#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/TimeAxis.h"
#include "render/TimeRuler.h"

// Times as people read them, and the ruler of times above the cycle labels.

using namespace sigmora;

namespace {

struct TimeTextCase {
    const char* name;
    long double fs;
    const char* text;
};

const TimeTextCase kTimeTexts[] = {
    {"HalfNanoseconds", 7.5e6L, "7.5 ns"},
    {"ThreeDigitsOfMicroseconds", 1.25e9L, "1.25 \xC2\xB5s"},
    {"RoundsUpIntoTheNextUnit", 999.6e6L, "1 \xC2\xB5s"},
    {"RoundsToThreeDigits", 12'345.0L, "12.3 ps"},
    {"WholeHundreds", 100e3L, "100 ps"},
    {"LargeNanoseconds", 123'456'789.0L, "123 ns"},
    {"OneSecond", 1e15L, "1 s"},
    {"BelowAFemtosecond", 0.5L, "0.5 fs"},
    {"Nothing", 0.0L, "0 s"},
    {"Negative", -7.5e6L, "-7.5 ns"},
    {"Milliseconds", 2.5e12L, "2.5 ms"},
};

class TimeTexts : public testing::TestWithParam<TimeTextCase> {};

TEST_P(TimeTexts, ThreeSignificantDigitsAndAUnit)
{
    EXPECT_EQ(render::timeText(GetParam().fs), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Time, TimeTexts, testing::ValuesIn(kTimeTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimeAxis, CountsTimeAsTheExportsDo)
{
    // Column k changes at (k + 1 + offset / cellWidth) time bases.
    const render::TimeAxis axis{5'000'000, 30};
    EXPECT_EQ(axis.changeFs(0, 0), 5'000'000.0L);
    EXPECT_EQ(axis.changeFs(3, 15), 22'500'000.0L);
    EXPECT_EQ(axis.atX(-30), 0.0L);
    EXPECT_EQ(axis.xOf(20'000'000), 90.0L);
}

struct TickCase {
    const char* name;
    long double stepFs;
    long double fromX, toX;
    std::vector<std::pair<long double, std::string>> ticks; // x, text
};

class RulerTicks : public testing::TestWithParam<TickCase> {};

TEST_P(RulerTicks, StandAtWholeStepsFromTimeZero)
{
    const render::TimeAxis axis{5'000'000, 30};
    const TickCase& c = GetParam();
    std::vector<std::pair<long double, std::string>> got;
    for (const render::RulerTick& t : render::rulerTicks(axis, c.stepFs, c.fromX, c.toX))
        got.push_back({t.x, t.text});
    EXPECT_EQ(got, c.ticks);
}

const TickCase kTicks[] = {
    {"FromZeroOneCellLeftOfTheFirstColumn", 10e6L, -30, 90, {{-30, "0"}, {30, "10 ns"}, {90, "20 ns"}}},
    {"NoneBeforeTimeZero", 10e6L, -300, 30, {{-30, "0"}, {30, "10 ns"}}},
    {"ScrolledStartsAtTheFirstWholeStep", 20e6L, 100, 300, {{210, "40 ns"}}},
    {"FiveNanosecondSteps", 5e6L, 0, 60, {{0, "5 ns"}, {30, "10 ns"}, {60, "15 ns"}}},
};

INSTANTIATE_TEST_SUITE_P(Ruler, RulerTicks, testing::ValuesIn(kTicks),
                         [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    long long halfPeriodFs;
    int cellWidth;
    long double stepFs;
};

class RulerSteps : public testing::TestWithParam<StepCase> {};

// Texts 6 pixels a byte; ticks at least that wide plus 10 apart, on a 1-2-5 step.
TEST_P(RulerSteps, TheSmallestStepThatKeepsTextsApart)
{
    const StepCase& c = GetParam();
    const render::TimeAxis axis{c.halfPeriodFs, c.cellWidth};
    const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 6; };
    EXPECT_EQ(render::rulerStep(axis, 0, 20 * c.cellWidth, 10, width), c.stepFs);
}

const StepCase kSteps[] = {
    {"TenNanosecondsAtThirtyPixelsACell", 5'000'000, 30, 10e6L},
    {"WiderCellsTakeSmallerSteps", 5'000'000, 90, 5e6L},
    {"NarrowCellsTakeLargerSteps", 5'000'000, 4, 100e6L},
    {"PicosecondTimeBase", 250'000, 30, 500e3L},
};

INSTANTIATE_TEST_SUITE_P(Ruler, RulerSteps, testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> rulerTexts(test::RenderFixture& f)
{
    f.draw();
    std::vector<std::string> out;
    for (const auto& t : f.surface.texts())
        if (t.at.y < f.diagram.settings.topMargin - 18)
            out.push_back(t.text);
    return out;
}

TEST(TimeRuler, IsDrawnByTheRedrawOnlyWhileItsOptionIsSet)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("CLK", std::string(600, '1'), 1));
    f.diagram.settings.topMargin = render::rulerTopMargin(true);
    EXPECT_TRUE(rulerTexts(f).empty());
    f.diagram.extension.timeRuler = true;
    const std::vector<std::string> texts = rulerTexts(f);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], "0");
    // The ruler's texts lie above the cycle labels' and below the top of the image.
    for (const auto& t : f.surface.texts()) {
        if (t.text == "0") {
            EXPECT_GE(t.at.y, 0);
        }
    }
}

TEST(TimeRuler, FollowsTheTimeBase)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("CLK", std::string(600, '1'), 1));
    f.diagram.settings.topMargin = render::rulerTopMargin(true);
    f.diagram.extension.timeRuler = true;
    const std::vector<std::string> at5ns = rulerTexts(f);
    f.diagram.extension.halfPeriodFs = 500'000'000; // 500 ns a cell
    const std::vector<std::string> at500ns = rulerTexts(f);
    ASSERT_GE(at5ns.size(), 2u);
    ASSERT_GE(at500ns.size(), 2u);
    EXPECT_NE(at5ns[1].find("ns"), std::string::npos) << at5ns[1];
    EXPECT_NE(at500ns[1].find("\xC2\xB5s"), std::string::npos) << at500ns[1];
}

} // namespace
