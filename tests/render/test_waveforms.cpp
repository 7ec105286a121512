#include <gtest/gtest.h>

#include "RenderFixture.h"

using namespace sigmora;
using render::Pen;
using render::Point;
using Seg = std::pair<Point, Point>;
using Segs = std::vector<Seg>;

namespace {

// Top 20: high 20, low 36, middle 28. Cell 1 spans 105 .. 135; slant 10 gives e = 115, f = 110.
constexpr int H = 20, L = 36, M = 28;

Segs waveformSegments(const render::RecordingSurface& s)
{
    Segs out;
    for (const auto& seg : s.segments())
        out.push_back({seg.from, seg.to});
    return out;
}

struct TransitionCase {
    const char* label;
    char previous;
    char current;
    Segs expected; // after the first cell's continuation
};

class Transitions : public ::testing::TestWithParam<TransitionCase> {};

} // namespace

TEST_P(Transitions, DrawExactlyTheSegmentsOfTheTable)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60; // two drawn cells: the first, then cell 1
    const auto& c = GetParam();
    f.add(test::RenderFixture::row("S", std::string{c.previous, c.current}));
    ASSERT_EQ(f.draw(), 0);
    Segs segs = waveformSegments(f.surface);
    ASSERT_FALSE(segs.empty());
    const int level = c.previous == '1' ? H : c.previous == '0' ? L : M;
    EXPECT_EQ(segs.front(), (Seg{{105, level}, {105, level}})); // the first cell's continuation
    segs.erase(segs.begin());
    EXPECT_EQ(segs, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Transitions,
    ::testing::Values(
        TransitionCase{"HighAfterHigh", '1', '1', {{{105, H}, {135, H}}}},
        TransitionCase{"HighAfterLow", '0', '1', {{{105, L}, {115, H}}, {{115, H}, {135, H}}}},
        TransitionCase{"HighAfterTri", '2', '1', {{{105, M}, {110, H}}, {{110, H}, {135, H}}}},
        TransitionCase{"HighAfterBus3", '3', '1', {{{105, L}, {115, H}}, {{105, H}, {135, H}}}},
        TransitionCase{"HighAfterBus4", '4', '1', {{{105, L}, {115, H}}, {{105, H}, {135, H}}}},
        TransitionCase{"LowAfterLow", '0', '0', {{{105, L}, {135, L}}}},
        TransitionCase{"LowAfterHigh", '1', '0', {{{105, H}, {115, L}}, {{115, L}, {135, L}}}},
        TransitionCase{"LowAfterTri", '2', '0', {{{105, M}, {110, L}}, {{110, L}, {135, L}}}},
        TransitionCase{"LowAfterBus", '3', '0', {{{105, H}, {115, L}}, {{105, L}, {135, L}}}},
        TransitionCase{"TriAfterTri", '2', '2', {{{105, M}, {135, M}}}},
        TransitionCase{"TriAfterLow", '0', '2', {{{105, L}, {110, M}}, {{110, M}, {135, M}}}},
        TransitionCase{"TriAfterHigh", '1', '2', {{{105, H}, {110, M}}, {{110, M}, {135, M}}}},
        TransitionCase{"TriAfterBus", '4', '2', {{{105, H}, {110, M}}, {{105, L}, {110, M}}, {{110, M}, {135, M}}}},
        TransitionCase{"BusSameValue", '3', '3', {{{105, H}, {135, H}}, {{105, L}, {135, L}}}},
        TransitionCase{"BusAfterLow", '0', '4', {{{105, L}, {135, L}}, {{105, L}, {115, H}}, {{115, H}, {135, H}}}},
        TransitionCase{"BusAfterHigh", '1', '3', {{{105, H}, {135, H}}, {{105, H}, {115, L}}, {{115, L}, {135, L}}}},
        TransitionCase{"BusAfterTri", '2', '3',
                       {{{105, M}, {110, L}}, {{110, L}, {135, L}}, {{105, M}, {110, H}}, {{110, H}, {135, H}}}},
        TransitionCase{"BusCrossing34", '3', '4',
                       {{{105, H}, {115, L}}, {{115, L}, {135, L}}, {{105, L}, {115, H}}, {{115, H}, {135, H}}}},
        TransitionCase{"BusCrossing43", '4', '3',
                       {{{105, H}, {115, L}}, {{115, L}, {135, L}}, {{105, L}, {115, H}}, {{115, H}, {135, H}}}},
        TransitionCase{"UnknownCurrentDrawsNothing", '1', 'x', {}},
        TransitionCase{"BusAfterUnknownDrawsNothing", 'z', '3', {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Waveforms, IdealEdgesAreVerticalAndClockArrowsSitOnEveryRisingEdge)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    f.draw();
    std::vector<std::vector<Point>> arrows;
    for (const auto& shape : f.surface.shapes())
        if (shape.kind == "polygon")
            arrows.push_back(shape.points);
    // 20 drawn cells: rises into cells 1, 3, ... 19 at x = 105, 165, ... 645.
    ASSERT_EQ(arrows.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        const int c = 105 + 60 * i;
        EXPECT_EQ(arrows[static_cast<size_t>(i)], (std::vector<Point>{{c - 3, 28}, {c + 3, 28}, {c, 23}}));
    }
    const auto segs = waveformSegments(f.surface);
    EXPECT_EQ(segs[1], (Seg{{105, L}, {105, H}})); // the first rise is vertical
    EXPECT_EQ(segs.back(), (Seg{{645, H}, {675, H}})); // the path ends at 105 + 600 - 30
}

TEST(Waveforms, SlantedArrowsAndFallingArrowsUseTheirTriangles)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 90;
    f.add(test::RenderFixture::row("S", "010", 0, 1, 1));
    f.draw();
    std::vector<std::vector<Point>> arrows;
    for (const auto& shape : f.surface.shapes())
        if (shape.kind == "polygon")
            arrows.push_back(shape.points);
    ASSERT_EQ(arrows.size(), 2u);
    // Rise at c = 105, f = 110; fall at c = 135, f = 140 (h = 16, y = 20).
    EXPECT_EQ(arrows[0], (std::vector<Point>{{107, 28}, {113, 30}, {113, 23}}));
    EXPECT_EQ(arrows[1], (std::vector<Point>{{135, 25}, {141, 23}, {141, 30}}));
}

TEST(Waveforms, NarrowCellEndsTheSlantAtItsFullRunAndSkipsTheContinuation)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 90;
    f.add(test::RenderFixture::row("S", "011"));
    f.diagram.store.edgeOffsets().set(0, 2, -25); // cell 1 is 5 pixels wide: 105 .. 110
    f.diagram.store.edgeOffsets().set(0, 3, 25);
    f.draw();
    const auto segs = waveformSegments(f.surface);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[1], (Seg{{105, L}, {115, H}})); // ends at c + 10 though the cell ends at 110
    EXPECT_EQ(segs[2], (Seg{{115, H}, {165, H}})); // next cell: 110 + 30 + 25
}

TEST(Waveforms, DelayShiftsTheStartAndTheFirstCellFillsIt)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60;
    f.add(test::RenderFixture::row("S", "01", 1));
    f.diagram.store.edgeOffsets().set(0, 0, 4);
    f.diagram.store.edgeOffsets().set(0, 1, 3);
    f.draw();
    const auto segs = waveformSegments(f.surface);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[0], (Seg{{105, L}, {112, L}}));
    EXPECT_EQ(segs[1], (Seg{{112, L}, {112, H}}));
    EXPECT_EQ(segs[2], (Seg{{112, H}, {142, H}}));
}

TEST(Waveforms, DifferentialRowDrawsADottedInvertedCopyFirst)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 90;
    f.add(test::RenderFixture::row("D", "012", 1, 1, 0, 1));
    f.draw();
    const auto& segs = f.surface.segments();
    ASSERT_EQ(segs.size(), 10u);
    // Dotted pass: 0 1 2 becomes 1 0 2, without arrows.
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(segs[i].pen.style, render::PenStyle::Dotted);
    EXPECT_EQ(segs[1].from, (Point{105, H}));
    EXPECT_EQ(segs[1].to, (Point{105, L}));
    EXPECT_EQ(segs[3].from, (Point{135, L}));
    EXPECT_EQ(segs[3].to, (Point{135, M}));
    for (size_t i = 5; i < 10; ++i)
        EXPECT_EQ(segs[i].pen.style, render::PenStyle::Solid);
    EXPECT_EQ(segs[6].to, (Point{105, H}));
    EXPECT_EQ(segs[8].to, (Point{135, M}));
    size_t polygons = 0;
    for (const auto& shape : f.surface.shapes())
        polygons += shape.kind == "polygon";
    EXPECT_EQ(polygons, 1u); // the normal pass's rising arrow only
}

TEST(Waveforms, ShortWaveformIsPaddedWithItsLastValue)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 120; // four cells from "01"
    f.add(test::RenderFixture::row("S", "01", 1));
    f.draw();
    const auto segs = waveformSegments(f.surface);
    EXPECT_EQ(segs.back(), (Seg{{165, H}, {195, H}}));
}

TEST(Waveforms, SeparatorsDrawOneStrokeOnTheMiddleLevel)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add("sep solid\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.255.0.1.");
    f.add("sep dotted\t\t\t\t\tSEP_0.0.1.Arial.2.1.0.0.0.1.");
    f.add("sep rect\t\t\t\t\tSEP_0.0.1.Arial.3.1.0.0.0.1.");
    f.add("sep blank\t\t\t\t\tSEP_0.0.1.Arial.0.1.0.0.0.1.");
    f.draw();
    const auto& segs = f.surface.segments();
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0].from, (Point{105, 28}));
    EXPECT_EQ(segs[0].to, (Point{675, 28}));
    EXPECT_EQ(segs[0].pen, Pen::solid(255));
    EXPECT_EQ(segs[1].from, (Point{105, 72}));
    EXPECT_EQ(segs[1].pen, Pen::dotted(0));
    bool rectangle = false;
    for (const auto& shape : f.surface.shapes())
        if (shape.kind == "fillRect" && shape.brush.colour == model::kDarkGrey) {
            EXPECT_EQ(shape.points, (std::vector<Point>{{105, 115}, {675, 117}}));
            rectangle = true;
        }
    EXPECT_TRUE(rectangle);
    EXPECT_TRUE(f.surface.texts().empty()); // separators have no name drawn
}

TEST(Waveforms, VerticalScrollStartsWithTheRowAtHalfThePosition)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60;
    for (const char* cells : {"11", "00", "22"})
        f.add(test::RenderFixture::row("S", cells));
    f.diagram.settings.verticalScroll = 4;
    f.draw();
    const auto segs = waveformSegments(f.surface);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[1], (Seg{{105, M}, {135, M}})); // signal 2 drawn at the top margin
    ASSERT_EQ(f.surface.texts().size(), 1u);
    EXPECT_EQ(f.surface.texts()[0].at, (Point{5, 20}));
}

TEST(Waveforms, EmptyDiagramIsOnlyTheWhiteBackground)
{
    test::RenderFixture f;
    EXPECT_EQ(f.draw(), render::kEmptyDiagram);
    ASSERT_EQ(f.surface.shapes().size(), 1u);
    EXPECT_EQ(f.surface.shapes()[0].kind, "fillRect");
    EXPECT_EQ(f.surface.shapes()[0].brush, render::Brush::solid(model::kWhite));
    EXPECT_TRUE(f.surface.segments().empty());
}

namespace {

struct EdgeFlagCase {
    const char* label;
    int ideal, rising, falling;
    int riseEndX;     // where the edge into cell 1 reaches the high level
    size_t arrows;    // edge arrows drawn for "010"
};

class EdgeFlags : public ::testing::TestWithParam<EdgeFlagCase> {};

} // namespace

// Edges are slanted only while the ideal-edge flag is 0; an arrow flag is set by any value but 0.
TEST_P(EdgeFlags, OnlyZeroClearsAFlag)
{
    const auto& c = GetParam();
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 90;
    f.add(test::RenderFixture::row("S", "010", c.ideal, c.rising, c.falling));
    f.draw();
    const auto segs = waveformSegments(f.surface);
    ASSERT_GE(segs.size(), 2u);
    EXPECT_EQ(segs[1], (Seg{{105, L}, {c.riseEndX, H}}));
    size_t arrows = 0;
    for (const auto& shape : f.surface.shapes())
        arrows += shape.kind == "polygon";
    EXPECT_EQ(arrows, c.arrows);
}

INSTANTIATE_TEST_SUITE_P(Table, EdgeFlags,
                         ::testing::Values(EdgeFlagCase{"AllZero", 0, 0, 0, 115, 0},
                                           EdgeFlagCase{"AllOne", 1, 1, 1, 105, 2},
                                           EdgeFlagCase{"AllTwo", 2, 2, 2, 105, 2},
                                           EdgeFlagCase{"AllMinusOne", -1, -1, -1, 105, 2},
                                           EdgeFlagCase{"RisingOnly", 0, 7, 0, 115, 1}),
                         [](const auto& info) { return std::string(info.param.label); });
