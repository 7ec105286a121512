#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/AnnotationPlacer.h"
#include "render/MeasuredLabels.h"
#include "render/TimingChecks.h"

// Labels that measure their own drawing: the time between their ends, counted as the exports
// count it, in their captions; timing parameters held against them.

using namespace sigmora;

namespace {

constexpr long long kNs = 1'000'000;

// Rows A (ideal), B (ideal), C (slanted) and a separator, cell width 30, 5 ns a cell unless set.
struct Measured : test::RenderFixture {
    Measured()
    {
        waveformsOnly();
        add(row("A", std::string(600, '1'), 1));
        add(row("B", std::string(600, '1'), 1));
        add(row("C", std::string(300, '0') + std::string(300, '1'), 0));
        add("gap\t\t\t\t\tSEP_1_.");
    }
    void label(const std::string& r) { diagram.store.list(model::ListId::Labels).append(r); }
    void caption(const std::string& text, int label)
    {
        diagram.store.list(model::ListId::Texts)
            .append("0.0.0.0." + text + ".WFLabel*" + std::to_string(label) + "*.     0.Arial.8.0.0.0.0.0.0.0.");
    }
    // Moves the edge at the left of column `cell` of a row by `pixels`, as the delay commands do
    // (its entry cell + 1 up, the next one down).
    void delay(int row, int cell, int pixels)
    {
        diagram.store.edgeOffsets().set(row, cell + 1, diagram.store.edgeOffsets().get(row, cell + 1) + pixels);
        diagram.store.edgeOffsets().set(row, cell + 2, diagram.store.edgeOffsets().get(row, cell + 2) - pixels);
    }
    std::optional<long double> measured(int index = 0)
    {
        const render::AnnotationPlacer placer(diagram, render::Layout::from(diagram.settings));
        return render::measureLabels(diagram, placer).at(static_cast<size_t>(index));
    }
    std::string shown(int index = 0)
    {
        const auto fs = measured(index);
        return fs ? render::timeText(*fs) : "?";
    }
};

struct MeasureCase {
    const char* name;
    std::string label;
    std::function<void(Measured&)> setUp;
    const char* shown; // as the caption shows it
};

const MeasureCase kMeasures[] = {
    {"FourCellsOfFiveNanoseconds", "2.A.6.B.2.0.0.0.0.0.0.1.", {}, "20 ns"},
    {"EndsGivenTheOtherWayRound", "6.B.2.A.2.0.0.0.0.0.0.1.", {}, "20 ns"},
    {"TheTimeBaseOfTheDiagram", "2.A.6.B.2.0.0.0.0.0.0.1.",
     [](Measured& m) { m.diagram.extension.halfPeriodFs = 2'500'000; }, "10 ns"},
    // Half a cell later at the end: 4.5 cells.
    {"AnEdgeOffsetAtTheEnd", "2.A.6.B.2.0.0.0.0.0.0.1.", [](Measured& m) { m.delay(1, 6, 15); }, "22.5 ns"},
    // A leading delay (entry 1) moves every edge of the end's row: 6 pixels = 0.2 cell.
    {"ALeadingDelayOfTheEndsRow", "2.A.6.B.2.0.0.0.0.0.0.1.",
     [](Measured& m) {
         m.diagram.store.edgeOffsets().set(1, 1, 6);
         m.diagram.store.edgeOffsets().set(1, 599, -6);
     },
     "21 ns"},
    {"ADelayOnlyBeforeTheBegin", "2.A.6.B.2.0.0.0.0.0.0.1.", [](Measured& m) { m.delay(0, 2, 6); }, "19 ns"},
    {"ThreeSignificantDigits", "2.A.6.B.2.0.0.0.0.0.0.1.",
     [](Measured& m) {
         m.diagram.extension.halfPeriodFs = kNs;
         m.delay(1, 6, 1);
     },
     "4.03 ns"},
    {"Microseconds", "2.A.6.B.2.0.0.0.0.0.0.1.",
     [](Measured& m) { m.diagram.extension.halfPeriodFs = 312'500'000; }, "1.25 \xC2\xB5s"},
    // A slanted edge counts where its slant starts, whatever height the anchor takes on it:
    // the rising edge of C at column 299 against the same column of A.
    {"ASlantedEdgeCountsWhereItsSlantStarts", "299.A.299.C.2.0.0.0.0.0.2.1.", {}, "0 s"},
    {"TheSlantsAnchorHeightDoesNotCount", "299.C.303.C.2.0.0.0.0.9.2.1.", {}, "20 ns"},
    {"AnEndOnASeparatorHasNoTime", "2.A.6.gap.2.0.0.0.0.0.0.1.", {}, "?"},
    // A name no row has places the end where the store's lookup puts it (row B): measured as drawn.
    {"AnEndOnAnUnknownRowIsMeasuredWhereItIsDrawn", "2.A.6.nosuch.2.0.0.0.0.0.0.1.",
     [](Measured& m) { m.delay(1, 6, 15); }, "22.5 ns"},
};

class MeasuredLabels : public testing::TestWithParam<MeasureCase> {};

TEST_P(MeasuredLabels, AgainstHandComputedTimes)
{
    Measured m;
    m.label(GetParam().label);
    if (GetParam().setUp)
        GetParam().setUp(m);
    EXPECT_EQ(m.shown(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Labels, MeasuredLabels, testing::ValuesIn(kMeasures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeasuredCaption, EveryFieldIsReplacedAndTheRestKept)
{
    EXPECT_EQ(render::measuredCaption("t = {t}", 7.5e6L), "t = 7.5 ns");
    EXPECT_EQ(render::measuredCaption("{t}/{t}", 7.5e6L), "7.5 ns/7.5 ns");
    EXPECT_EQ(render::measuredCaption("t = {t}", std::nullopt), "t = ?");
    EXPECT_EQ(render::measuredCaption("{T} {t", 7.5e6L), "{T} {t");
}

// The caption the redraw draws for the first label.
std::vector<render::RecordingSurface::Text> captionTexts(Measured& m)
{
    m.draw();
    std::vector<render::RecordingSurface::Text> out;
    for (const auto& t : m.surface.texts())
        if (t.text.rfind("t = ", 0) == 0)
            out.push_back(t);
    return out;
}

TEST(MeasuredCaption, TheRedrawShowsTheValueAndTheRecordKeepsTheField)
{
    Measured m;
    m.label("2.A.6.B.2.0.0.0.0.0.0.1.");
    m.caption("t = {t}", 0);
    auto texts = captionTexts(m);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "t = 20 ns");
    // Moving the end's edge is seen by the next redraw.
    m.delay(1, 6, 15);
    texts = captionTexts(m);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "t = 22.5 ns");
    EXPECT_NE(m.diagram.store.list(model::ListId::Texts).get(0).find("t = {t}"), std::string::npos);
}

model::TimingParameter parameter(std::optional<double> min, std::optional<double> max, int label = 0)
{
    model::TimingParameter p;
    p.symbol = "t_{RCD}";
    p.min = min;
    p.max = max;
    p.label = label;
    return p;
}

struct CheckCase {
    const char* name;
    model::TimingParameter parameter;
    bool violated;
    std::optional<long double> marginFs;
};

// The label measures 20 ns.
const CheckCase kChecks[] = {
    {"WithinBoth", parameter(15, 25), false, 5e6L},
    {"BelowTheMinimum", parameter(25, std::nullopt), true, -5e6L},
    {"AboveTheMaximum", parameter(std::nullopt, 15), true, -5e6L},
    {"ExactlyAtTheMaximum", parameter(std::nullopt, 20), false, 0.0L},
    {"NoLimits", parameter(std::nullopt, std::nullopt), false, std::nullopt},
    {"BoundToNoLabel", parameter(25, std::nullopt, model::TimingParameter::kNoLabel), false, std::nullopt},
    {"BoundToALabelThatIsGone", parameter(25, std::nullopt, 7), false, std::nullopt},
};

class TimingChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(TimingChecks, MeasuredAgainstTheLimits)
{
    model::DiagramExtension e;
    e.parameters = {GetParam().parameter};
    const render::TimingReport r = render::checkTiming(e, {20e6L});
    ASSERT_EQ(r.checks.size(), 1u);
    EXPECT_EQ(r.checks[0].violated, GetParam().violated);
    EXPECT_EQ(r.checks[0].marginFs, GetParam().marginFs);
    EXPECT_EQ(r.labelViolated(0), GetParam().violated);
    EXPECT_EQ(r.statusText(e).empty(), !GetParam().violated);
}

INSTANTIATE_TEST_SUITE_P(Parameters, TimingChecks, testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimingChecks, TheStatusSaysWhichParameterAndHowManyMore)
{
    model::DiagramExtension e;
    e.parameters = {parameter(25, std::nullopt), parameter(std::nullopt, 30), parameter(std::nullopt, 15)};
    const render::TimingReport r = render::checkTiming(e, {20e6L});
    EXPECT_EQ(r.statusText(e), "Timing violated: tRCD 20 ns (min 25 ns) and 1 more");
}

struct RedCase {
    const char* name;
    bool screen;
    bool inPictures;
    bool max15;
    bool red;
};

const RedCase kReds[] = {
    {"ViolatedOnTheScreen", true, false, true, true},
    {"ViolatedInAnExport", false, false, true, false},
    {"ViolatedInAnExportThatAsksForIt", false, true, true, true},
    {"MetOnTheScreen", true, false, false, false},
};

class RedLabels : public testing::TestWithParam<RedCase> {};

TEST_P(RedLabels, TheLabelAndItsCaptionTurnRed)
{
    Measured m;
    m.label("2.A.6.B.2.0.0.0.0.0.0.1.");
    m.caption("t = {t}", 0);
    m.diagram.extension.parameters = {parameter(std::nullopt, GetParam().max15 ? 15 : 25)};
    m.diagram.extension.violationsInPictures = GetParam().inPictures;
    m.options.showViolations = GetParam().screen;
    const auto texts = captionTexts(m);
    ASSERT_EQ(texts.size(), 1u);
    const model::Colour expected = GetParam().red ? model::kRed : model::kBlack;
    EXPECT_EQ(texts[0].colour, expected);
    bool labelLine = false;
    for (const auto& s : m.surface.segments())
        labelLine = labelLine || (s.pen.colour == expected && s.from.y == s.to.y && s.from.x != s.to.x && s.from.y > 20);
    EXPECT_TRUE(labelLine);
    if (GetParam().red) {
        for (const auto& s : m.surface.segments())
            EXPECT_FALSE(s.pen.colour == model::kBlack && s.from.y == s.to.y && std::abs(s.to.x - s.from.x) == 120)
                << "the measure line is red";
    }
    EXPECT_EQ(m.memory.timingStatus.empty(), !GetParam().max15);
}

INSTANTIATE_TEST_SUITE_P(Timing, RedLabels, testing::ValuesIn(kReds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeasuredCaption, ACaptionOffTheScreenImageIsNotMeasuredOnIt)
{
    for (const bool off : {false, true}) {
        Measured m;
        m.options.cullOffSurface = true;
        m.label("2.A.6.B.2.0.0.0.0.0.0.1.");
        m.caption("t = {t}", 0);
        if (off)
            m.diagram.settings.verticalScroll = 2 * 3; // rows A and B above the image
        EXPECT_EQ(captionTexts(m).size(), off ? 0u : 1u) << off;
    }
}

} // namespace
