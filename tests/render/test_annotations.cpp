#include <gtest/gtest.h>

#include <cmath>

#include "RenderFixture.h"
#include "render/AnnotationPlacer.h"
#include "render/AnnotationRecords.h"
#include "render/ArrowPainter.h"
#include "render/FloodPainter.h"
#include "render/LabelPainter.h"
#include "render/SvgAnnotations.h"

using namespace sigmora;
using render::Point;

namespace {

// Two ideal rows S0 (top 20) and S1 (top 64), both high, unless cells are given.
struct Annotated : test::RenderFixture {
    explicit Annotated(const std::string& cells0 = std::string(600, '1'), int ideal0 = 1)
    {
        waveformsOnly();
        add(row("S0", cells0, ideal0));
        add(row("S1", std::string(600, '1'), 1));
    }
    void arrow(const std::string& r) { diagram.store.list(model::ListId::Arrows).append(r); }
    void label(const std::string& r) { diagram.store.list(model::ListId::Labels).append(r); }
    void timeBreak(const std::string& r) { diagram.store.list(model::ListId::TimeBreaks).append(r); }
    void text(const std::string& r) { diagram.store.list(model::ListId::Texts).append(r); }

    // The segments drawn in the annotation colour 5 (the waveforms are black).
    std::vector<std::pair<Point, Point>> annotationSegments() const
    {
        std::vector<std::pair<Point, Point>> out;
        for (const auto& s : surface.segments())
            if (s.pen.colour == kInk)
                out.push_back({s.from, s.to});
        return out;
    }
    std::vector<render::RecordingSurface::Text> annotationTexts() const
    {
        std::vector<render::RecordingSurface::Text> out;
        for (const auto& t : surface.texts())
            if (t.text != "S0" && t.text != "S1")
                out.push_back(t);
        return out;
    }
    static constexpr model::Colour kInk = 5;

    std::vector<render::RecordingSurface::Shape> shapes(const std::string& kind) const
    {
        std::vector<render::RecordingSurface::Shape> out;
        for (const auto& s : surface.shapes())
            if (s.kind == kind)
                out.push_back(s);
        return out;
    }
};

struct AnchorCase {
    const char* name;
    int anchor;
    Point expected; // cell 1 of a slanted row rising between characters 1 and 2
};

class Anchors : public ::testing::TestWithParam<AnchorCase> {};

} // namespace

TEST_P(Anchors, PlaceTheEndAtTheAnchorHeightAndIntoTheSlant)
{
    Annotated f("0011" + std::string(596, '1'), 0);
    f.diagram.store.edgeOffsets().set(0, 2, 4);  // counted: entries 0 .. c + 1
    f.diagram.store.edgeOffsets().set(0, 3, 50); // not counted
    const render::AnnotationPlacer placer(f.diagram, render::Layout::from(f.diagram.settings));
    const auto& c = GetParam();
    EXPECT_EQ(placer.place({1, 0, c.anchor, {400, 90}}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Anchors,
    ::testing::Values(AnchorCase{"Middle", 0, {135 + 4 + 5, 28}}, AnchorCase{"Floating", 1, {400, 90}},
                      AnchorCase{"TwentyPercent", 2, {135 + 4 + 8, 23}}, AnchorCase{"EightyPercent", 3, {135 + 4 + 2, 32}},
                      AnchorCase{"Top", 4, {135 + 4 + 10, 20}}, AnchorCase{"Bottom", 5, {135 + 4 + 0, 36}},
                      AnchorCase{"TenPercent", 6, {135 + 4 + 9, 21}}, AnchorCase{"NinetyPercent", 7, {135 + 4 + 1, 34}},
                      AnchorCase{"Quarter", 8, {135 + 4 + 7, 24}}, AnchorCase{"ThreeQuarters", 9, {135 + 4 + 2, 32}},
                      AnchorCase{"UnknownCodeSitsInTheMiddle", 42, {135 + 4 + 5, 28}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Annotations, FloatingEndsScrollAndMissingRowsTakeTheBeginDelay)
{
    Annotated f;
    f.diagram.settings.firstVisibleCell = 2;
    f.diagram.settings.verticalScroll = 2; // one row scrolled away
    f.diagram.store.edgeOffsets().set(0, 1, 7);
    const render::AnnotationPlacer placer(f.diagram, render::Layout::from(f.diagram.settings));
    EXPECT_EQ(placer.place({0, 0, 1, {400, 90}}), (Point{400 - 60, 90 - 44}));
    // The end's row does not exist: the begin's delay sum 7 and no slant.
    const auto [b, e] = placer.placePair({4, 0, 0, {}}, {5, 9, 0, {}});
    EXPECT_EQ(b, (Point{105 + 60 + 7, 20 - 44 + 8}));
    EXPECT_EQ(e, (Point{105 + 90 + 7, 20 + 8 * 44 + 8}));
}

// An end's delay is the sum of its row's edge offsets 0 .. cell + 1, held to the last cell, on
// ends before the first cell and past the last too, and after other rows were asked for.
TEST(Annotations, DelaySumsCountTheOffsetsUpToTheCellAfterTheEnd)
{
    Annotated f;
    for (int k = 0; k < model::kMaxCells; ++k)
        f.diagram.store.edgeOffsets().set(1, k, (k * 7) % 11 - 5);
    const render::AnnotationPlacer placer(f.diagram, render::Layout::from(f.diagram.settings));
    const Point before = placer.place({3, 0, 0, {}}); // row 0 has no offsets
    for (const int cell : {-3, -2, -1, 0, 1, 57, 300, model::kMaxCells - 3, model::kMaxCells - 2, model::kMaxCells - 1,
                           model::kMaxCells + 40}) {
        long long sum = 0;
        for (long long k = 0; k <= std::min(cell + 1, model::kMaxCells - 1); ++k)
            sum += (k * 7) % 11 - 5;
        const long long column = 105 + static_cast<long long>(cell) * 30;
        EXPECT_EQ(placer.place({cell, 1, 0, {}}).x, column + sum) << cell;
    }
    EXPECT_EQ(placer.place({3, 0, 0, {}}), before);
}

// Records are read field by field as stored: short records take the fallbacks, an empty field
// followed by a separator reads as 0, rows are found by name in any case and blanks.
TEST(Annotations, RecordsReadTheirFieldsOrTheFallbacks)
{
    Annotated f;
    const render::AnnotationPlacer placer(f.diagram, render::Layout::from(f.diagram.settings));
    const int none = model::ObjectStore::kNoMatchSignalIndex;
    struct ArrowCase {
        std::string record;
        bool read;
        int beginCell, beginSignal, endCell, endSignal, head, beginAnchor, endAnchor;
        Point endStored;
        model::Colour colour;
        render::ArrowStyle style;
        bool bendRight;
    };
    const ArrowCase arrows[] = {
        {"3. s1 .5.S0.2.16777471.1.1.4.5.10.20.30.40.", true, 3, 1, 5, 0, 2, 4, 5, {30, 40}, 255, render::ArrowStyle::Straight, true},
        {"3.S0.5.S1", false, 0, 0, 0, 0, 0, 0, 0, {}, 0, render::ArrowStyle::Bezier, false},
        {"3.S0.5.nobody.", true, 3, 0, 5, none, 0, 0, 0, {}, 0, render::ArrowStyle::Bezier, false},
        {"-2.S1.7.S1.9.0.2.0.1.1.-5.-6.-7.-8", true, -2, 1, 7, 1, 9, 1, 1, {-7, -8}, 0, render::ArrowStyle::Angled, false},
    };
    for (const auto& c : arrows) {
        const auto a = render::readArrow(c.record, placer);
        ASSERT_EQ(a.has_value(), c.read) << c.record;
        if (!a)
            continue;
        EXPECT_EQ(a->begin.cell, c.beginCell) << c.record;
        EXPECT_EQ(a->begin.signalIndex, c.beginSignal) << c.record;
        EXPECT_EQ(a->end.cell, c.endCell) << c.record;
        EXPECT_EQ(a->end.signalIndex, c.endSignal) << c.record;
        EXPECT_EQ(a->headMode, c.head) << c.record;
        EXPECT_EQ(a->begin.anchor, c.beginAnchor) << c.record;
        EXPECT_EQ(a->end.anchor, c.endAnchor) << c.record;
        EXPECT_EQ(a->end.stored, c.endStored) << c.record;
        EXPECT_EQ(a->colour, c.colour) << c.record;
        EXPECT_EQ(a->style, c.style) << c.record;
        EXPECT_EQ(a->bendRight, c.bendRight) << c.record;
    }
    struct LabelCase {
        std::string record;
        int head, offset, endAnchor;
        bool inward, crossing;
    };
    const LabelCase labels[] = {
        {"1.S0.2.S0.", 2, 0, 0, false, false},                // head missing: the default
        {"1.S0.2.S0..", 0, 0, 0, false, false},               // head present but empty: 0
        {"1.S0.2.S0.3.0.-12.1.2.9.1.1.", 3, -12, 0, true, true}, // floating code 1 sits in the middle
        {"1.S0.2.S0.3.0.7.0.0.0.4", 3, 7, 4, false, false},
    };
    for (const auto& c : labels) {
        const auto l = render::readLabel(c.record, placer);
        ASSERT_TRUE(l.has_value()) << c.record;
        EXPECT_EQ(l->headMode, c.head) << c.record;
        EXPECT_EQ(l->offset, c.offset) << c.record;
        EXPECT_EQ(l->end.anchor, c.endAnchor) << c.record;
        EXPECT_EQ(l->inward, c.inward) << c.record;
        EXPECT_EQ(l->crossingMarks, c.crossing) << c.record;
    }
    EXPECT_EQ(render::readTimeBreak("12.S1", placer).cell, 12);
    EXPECT_EQ(render::readTimeBreak("12.S1", placer).signalIndex, 1);
    EXPECT_EQ(render::readTimeBreak("", placer).signalIndex, none);
}

struct FloodCase {
    const char* name;
    std::string cells;
    int previousStyle; // flood style of cell 0 (0: none)
    std::vector<std::vector<Point>> polygons;
};

class Floods : public ::testing::TestWithParam<FloodCase> {};

// Cell 1 of a slanted row, flood style 2: J 135, R 165, K 20, bottom 37, middle 29, E 10.
TEST_P(Floods, TileTheColumnAlongTheEdge)
{
    const auto& c = GetParam();
    Annotated f(c.cells, 0);
    f.diagram.store.floodStyles().set(0, 1, 2);
    f.diagram.store.floodStyles().set(0, 0, c.previousStyle);
    f.draw();
    std::vector<std::vector<Point>> cell1;
    for (const auto& s : f.shapes("polygon"))
        if (s.points[0].x >= 135 && s.brush.style != render::BrushStyle::Solid)
            cell1.push_back(s.points);
    for (const auto& s : f.shapes("polygon"))
        if (s.points[0].x >= 135 && s.brush.style == render::BrushStyle::Solid)
            cell1.push_back(s.points);
    EXPECT_EQ(cell1, c.polygons);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Floods,
    ::testing::Values(
        FloodCase{"RisingEdgeHatchFollowsTheEdge", "0011", 0, {{{145, 20}, {165, 20}, {165, 37}, {135, 37}}}},
        FloodCase{"NoTransitionFillsTheColumn", "1111", 0, {{{135, 20}, {165, 20}, {165, 37}, {135, 37}}}},
        FloodCase{"FallingEdge", "1100", 0, {{{135, 20}, {165, 20}, {165, 37}, {145, 37}}}},
        FloodCase{"FromTriState", "2211", 0, {{{135, 29}, {140, 20}, {165, 20}, {165, 37}, {140, 37}}}},
        FloodCase{"IntoTriStateFillsRightOfTheEdge", "1122", 0, {{{135, 20}, {165, 20}, {165, 37}, {135, 37}, {140, 29}}}},
        FloodCase{"IntoTriStateAfterABusValue", "3322", 0, {{{135, 20}, {165, 20}, {165, 37}, {135, 37}, {140, 29}}}},
        // The two shapes of a column with an edge into tri-state meet along the edge.
        FloodCase{"PreviousStyleFillsLeftOfAnEdgeIntoTriState",
                  "1122",
                  1,
                  {{{135, 20}, {165, 20}, {165, 37}, {135, 37}, {140, 29}}, {{135, 20}, {135, 37}, {135, 37}, {140, 29}, {135, 20}}}},
        FloodCase{"Crossing", "3344", 0, {{{140, 29}, {145, 20}, {165, 20}, {165, 37}, {145, 37}}}},
        FloodCase{"PreviousStyleFillsLeftOfAFallingEdge",
                  "1100",
                  1,
                  {{{135, 20}, {165, 20}, {165, 37}, {145, 37}}, {{135, 20}, {135, 37}, {145, 37}, {135, 20}}}},
        // Every edge into low takes the falling shape on the left, also one from tri-state.
        FloodCase{"PreviousStyleFillsLeftOfAnEdgeFromTriStateIntoLow",
                  "2200",
                  1,
                  {{{135, 29}, {140, 20}, {165, 20}, {165, 37}, {140, 37}}, {{135, 20}, {135, 37}, {145, 37}, {135, 20}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Annotations, FloodBrushesByStyleInTheRowFillColour)
{
    using render::BrushStyle;
    const BrushStyle expected[] = {BrushStyle::Solid,     BrushStyle::HatchDiagonalCross, BrushStyle::HatchBackwardDiagonal,
                                   BrushStyle::HatchCross, BrushStyle::HatchForwardDiagonal, BrushStyle::HatchVertical,
                                   BrushStyle::HatchHorizontal};
    for (int style = 1; style <= 7; ++style)
        EXPECT_EQ(render::FloodPainter::brushFor(style, 77), (render::Brush{expected[style - 1], 77})) << style;
    EXPECT_FALSE(render::FloodPainter::brushFor(0, 77));
    EXPECT_FALSE(render::FloodPainter::brushFor(8, 77));
    EXPECT_FALSE(render::FloodPainter::brushFor(-1, 77));
}

TEST(Annotations, StraightAndHorizontalCurveHeadsPointAlongTheLine)
{
    for (const char* style : {"1", "0"}) {
        Annotated f;
        f.arrow(std::string("2.S0.6.S0.2.0.") + style + ".0.0.0.0.0.0.0.");
        f.draw();
        const auto heads = f.shapes("polygon");
        ASSERT_EQ(heads.size(), 2u) << style;
        EXPECT_EQ(heads[0].points, (std::vector<Point>{{285, 28}, {278, 24}, {278, 31}})) << style;
        EXPECT_EQ(heads[1].points, (std::vector<Point>{{165, 28}, {172, 31}, {172, 24}})) << style;
    }
}

TEST(Annotations, CurveHeadFollowsTheCurveNotTheChord)
{
    Annotated f;
    f.arrow("2.S0.6.S1.0.0.0.0.0.0.0.0.0.0.");
    f.draw();
    const auto heads = f.shapes("polygon");
    ASSERT_EQ(heads.size(), 1u);
    const auto& h = heads[0].points;
    const double midX = (h[1].x + h[2].x) / 2.0, midY = (h[1].y + h[2].y) / 2.0;
    const double headAngle = std::atan2(h[0].y - midY, h[0].x - midX);
    const double chordAngle = std::atan2(72 - 28, 285 - 165);
    EXPECT_LT(std::abs(headAngle), chordAngle / 2); // the curve arrives almost horizontally
    // The reference lies at least 50 px squared from the tip, the step before it closer.
    const std::array<Point, 4> c{Point{165, 28}, {225, 28}, {225, 72}, {285, 72}};
    const auto ref = render::arrowgeometry::headReference(render::ArrowStyle::Bezier, {c.begin(), c.end()}, true);
    EXPECT_GE(std::pow(ref.x - 285, 2) + std::pow(ref.y - 72, 2), 50.0);
}

TEST(Annotations, AngledArrowInOneColumnBendsTenPixelsToTheChosenSide)
{
    for (int bend : {0, 1}) {
        Annotated f;
        f.arrow("3.S0.3.S1.3.5.2." + std::to_string(bend) + ".0.0.0.0.0.0.");
        f.draw();
        const int xm = bend == 1 ? 205 : 185;
        EXPECT_EQ(f.annotationSegments(), (std::vector<std::pair<Point, Point>>{
                            {{195, 28}, {xm, 36}}, {{xm, 36}, {xm, 64}}, {{xm, 64}, {195, 72}}}))
            << bend;
    }
}

TEST(Annotations, SelectedArrowIsDottedWithRedHandlesThatTheMouseFinds)
{
    Annotated f;
    f.arrow("2.S0.6.S1.3.5.1.0.0.0.0.0.0.0.");
    f.options.annotations.editTool = true;
    f.options.annotations.arrow = 0;
    f.draw();
    ASSERT_EQ(f.annotationSegments().size(), 1u);
    EXPECT_EQ(f.surface.segments().back().pen, render::Pen::dotted(5));
    std::vector<render::RecordingSurface::Shape> handles;
    for (const auto& s : f.shapes("fillRect"))
        if (s.brush == render::Brush::solid(model::kRed))
            handles.push_back(s);
    ASSERT_EQ(handles.size(), 3u);
    const auto& hits = f.memory.annotations;
    ASSERT_EQ(hits.arrows.size(), 1u);
    const render::ArrowHit& a = hits.arrows[0];
    EXPECT_EQ(handles[0].points, (std::vector<Point>{{162, 25}, {169, 32}}));
    EXPECT_EQ(a.handles.hit({165, 28}), render::Handle::Begin);
    EXPECT_EQ(a.handles.hit({284, 73}), render::Handle::End);
    EXPECT_EQ(a.handles.hit({225, 50}), render::Handle::Middle);
    EXPECT_EQ(a.handles.hit({168, 28}), std::nullopt); // on the square's edge: not strictly inside
    EXPECT_TRUE(a.onPath({225, 54}));
    EXPECT_FALSE(a.onPath({225, 40}));
}

TEST(Annotations, PathTestOfOnePiece)
{
    const render::Piece p{{0, 0}, {100, 0}};
    EXPECT_TRUE(render::onPiece({50, 5}, p));
    EXPECT_TRUE(render::onPiece({50, -5}, p));
    EXPECT_FALSE(render::onPiece({50, 6}, p));
    EXPECT_FALSE(render::onPiece({-1, 0}, p));
    EXPECT_FALSE(render::onPiece({101, 0}, p));
    EXPECT_EQ(render::bezierChords({Point{0, 0}, {10, 0}, {20, 0}, {30, 0}}).size(), 32u);
    EXPECT_EQ(render::bezierChords({Point{0, 0}, {10, 0}, {20, 0}, {30, 0}}).front().from, (Point{30, 0}));
}

struct LabelCase {
    const char* name;
    std::string record;
    std::vector<std::pair<Point, Point>> segments;
    std::vector<std::vector<Point>> heads;
};

class Labels : public ::testing::TestWithParam<LabelCase> {};

// Begin anchor (165, 28) on S0, end anchor (285, 72) on S1: the measure line lies at 28 + 6 + 16 = 50.
TEST_P(Labels, DrawExtensionsTicksMeasureLineAndHeads)
{
    const auto& c = GetParam();
    Annotated f;
    f.label(c.record);
    f.draw();
    EXPECT_EQ(f.annotationSegments(), c.segments);
    std::vector<std::vector<Point>> heads;
    for (const auto& s : f.shapes("polygon"))
        heads.push_back(s.points);
    EXPECT_EQ(heads, c.heads);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Labels,
    ::testing::Values(
        LabelCase{"OutwardBothHeads",
                  "2.S0.6.S1.2.5.0.0.0.0.0.0.",
                  {{{165, 28}, {165, 56}}, {{285, 47}, {285, 72}}, {{165, 50}, {285, 50}}},
                  {{{285, 50}, {280, 46}, {280, 54}}, {{165, 50}, {170, 46}, {170, 54}}}},
        LabelCase{"InwardEndHeadWithTicksAndOffset",
                  "2.S0.6.S1.0.5.4.1.0.0.0.1.",
                  {{{165, 28}, {165, 60}},
                   {{285, 51}, {285, 72}},
                   {{162, 28}, {171, 28}},
                   {{282, 72}, {291, 72}},
                   {{165, 54}, {150, 54}},
                   {{285, 54}, {300, 54}}},
                  {{{285, 54}, {290, 50}, {290, 58}}}},
        LabelCase{"UpwardBeginLineOnlyNoHeads",
                  "2.S1.6.S0.3.5.0.0.1.0.0.0.",
                  {{{165, 47}, {165, 72}}, {{165, 50}, {285, 50}}},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Annotations, TimeBreakOnTheLastVisibleColumnIsNotDrawn)
{
    for (int cell : {18, 19}) {
        Annotated f;
        f.timeBreak(std::to_string(cell) + ".S1.");
        f.draw();
        const auto curves = f.shapes("bezier");
        if (cell == 19) {
            EXPECT_TRUE(curves.empty());
            continue;
        }
        ASSERT_EQ(curves.size(), 6u);
        // t = 105 + 18 * 30 + 15 = 660, u = 64, h = 16, w = 30.
        EXPECT_EQ(curves[0].points, (std::vector<Point>{{660, 61}, {653, 68}, {667, 76}, {660, 83}}));
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(curves[static_cast<size_t>(i)].pen.colour, model::kWhite);
        EXPECT_EQ(curves[5].points[0], (Point{665, 61}));
        EXPECT_EQ(curves[5].pen.colour, model::kBlack);
        ASSERT_EQ(f.memory.annotations.timeBreaks.size(), 1u);
        EXPECT_EQ(f.memory.annotations.timeBreaks[0].signalIndex, 1);
    }
}

TEST(Annotations, TwoLineRoundedTextBoxIsTwoTextHeightsHigh)
{
    Annotated f;
    f.surface.leading = {2, 1};
    f.text("200.100.0.0.ab\\nc~QorWFPeriod~d.SigmoraNone.     0.Arial.8.0.0.1.2.0.0.0.");
    f.draw();
    const auto boxes = f.shapes("roundRect");
    ASSERT_EQ(boxes.size(), 1u);
    // Wt = 3 characters x 7, Ht 16: from (200 - 2, 100) to (200 + 21 + 2, 100 + 32), corners 10 x 10.
    EXPECT_EQ(boxes[0].points, (std::vector<Point>{{198, 100}, {223, 132}, {10, 10}}));
    const auto texts = f.annotationTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].at, (Point{200 + 10 - 7, 100})); // centred
    EXPECT_EQ(texts[1].text, "c.d");
    EXPECT_EQ(texts[1].at, (Point{200, 110})); // lines 8 + 2 apart
}

TEST(Annotations, LabelCaptionSitsCentredOnItsLabelOnEverySurface)
{
    Annotated f;
    f.label("2.S0.6.S1.2.0.3.0.0.0.0.0.");
    f.text("0.0.0.0.abcd.WFLabel*0*.     0.Arial.8.5.-2.0.0.0.0.0.");
    f.text("0.0.0.0.x.WFLabel*7*.     0.Arial.8.0.0.0.0.0.0.0.");
    f.draw();
    ASSERT_EQ(f.annotationTexts().size(), 2u);
    // Middle 225 + 5 - 28 / 2; floor4(50) = 48, + offset 3 - 2.
    EXPECT_EQ(f.annotationTexts()[0].at, (Point{216, 49}));
    EXPECT_EQ(f.annotationTexts()[1].at, (Point{-1, -1}));
    // A print works the caption out from the label as the print draws it (the print's layout
    // already holds its margins), not from where the last screen redraw put it.
    f.diagram.store.list(model::ListId::Labels).replace(0, "9.S0.12.S1.2.0.3.0.0.0.0.0.");
    f.options.printOffset = 32;
    f.draw();
    EXPECT_EQ(f.annotationTexts()[0].at, (Point{420 + 5 - 28 / 2, 49}));
}

TEST(Annotations, DamagedRecordsAreSkippedOrPlacedByTheFailureRules)
{
    Annotated f;
    for (const char* r : {"", "1.S0.", "x", "99999999.S0.-99999999.nobody.77.-5.9.9.9.9.2147483647.-2147483647.0.0.",
                          "0.S0.0.S0.2.0.0.0.1.1.1.1.1.1.1.1.1.1.1."})
        f.arrow(r);
    for (const char* r : {"", "3.S0.", "1.S0.2.S1.-8.0.2147483647.5.9.1.1.1.", "2147483647.S0.5.S1."})
        f.label(r);
    for (const char* r : {"", "2147483647.S0.", "-5.S0.", "3.nobody."})
        f.timeBreak(r);
    for (const char* r : {"", "1.2.3.", "0.0.0.0.x.WFLabel*99999999999*.0.Arial.2147483647.0.0.9.9.9.9.9."})
        f.text(r);
    EXPECT_EQ(f.draw(), 0);
    EXPECT_EQ(f.memory.annotations.arrows.size(), 2u);
    EXPECT_EQ(f.memory.annotations.labels.size(), 2u);
    EXPECT_TRUE(f.memory.annotations.timeBreaks.empty() ||
                f.memory.annotations.timeBreaks[0].signalIndex == 1); // an unknown name reads as row 1
}

namespace {

struct TextSvgCase {
    const char* name;
    int justification;
    bool bold;
    bool italic;
    bool underline;
    std::string expected;
};

class TextSvg : public ::testing::TestWithParam<TextSvgCase> {};

} // namespace

TEST_P(TextSvg, LineElementByAlignmentAndAttributes)
{
    const auto& c = GetParam();
    render::SvgWriter w;
    render::svg::textBoxLine(w, 40, 50, "a<b", {c.justification, 8, model::rgb(1, 2, 3), "Arial", c.bold, c.italic, c.underline, {}});
    EXPECT_EQ(w.text(), c.expected);
    EXPECT_EQ(w.idCounter, c.justification == 2 ? 6 : 8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextSvg,
    ::testing::Values(
        TextSvgCase{"Left", 0, false, false, false,
                    "<text\n   x=\"40\"\n   y=\"60\"\n   id=\"text4\"\n   style=\"font-size:8pt;font-style:normal;fill:rgb(1,2,3);"
                    "stroke:none;font-family:Arial\">\n<tspan\n   x=\"40\"\n   y=\"60\"\n   id=\"tspan6\">a&lt;b</tspan></text>\n"},
        TextSvgCase{"RightUnderlinedBold", 2, true, false, true,
                    "<text\n   x=\"40\"\n   y=\"60\"  text-decoration=\"underline\"\n   id=\"text4\"\n   style=\"text-anchor:right; "
                    "font-size:8pt;font-style:normal;font-weight:bold;fill:rgb(1,2,3);stroke:none;font-family:Arial\">a&lt;b\n"
                    "</text>\n"},
        TextSvgCase{"CentredUnderlinedItalic", 1, false, true, true,
                    "<text\n   x=\"40\"\n   y=\"60\"\n   text-decoration=\"underline\" id=\"text4\"\n   style=\"font-size:8pt;"
                    "font-style:italic;fill:rgb(1,2,3);stroke:none;font-family:Arial\">\n<tspan\n   x=\"40\"\n   y=\"60\"\n   "
                    "id=\"tspan6\">a&lt;b</tspan></text>\n"},
        TextSvgCase{"CentredUnderlinedBoldHasNoBlank", 1, true, false, true,
                    "<text\n   x=\"40\"\n   y=\"60\"\n   text-decoration=\"underline\"id=\"text4\"\n   style=\"font-size:8pt;"
                    "font-style:normal;font-weight:bold;fill:rgb(1,2,3);stroke:none;font-family:Arial\">\n<tspan\n   x=\"40\"\n"
                    "   y=\"60\"\n   id=\"tspan6\">a&lt;b</tspan></text>\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Annotations, SvgElementsOfArrowsLabelsBreaksAndFloods)
{
    Annotated f;
    f.diagram.store.floodStyles().set(0, 0, 3);
    f.arrow("2.S0.6.S0.0.0.1.0.0.0.0.0.0.0.");
    f.arrow("2.S0.6.S1.3.0.0.0.0.0.0.0.0.0.");
    f.label("2.S0.6.S1.1.0.0.1.2.0.0.1.");
    f.timeBreak("18.S1.");
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    const std::string_view t = svg.text();
    for (const char* element : {
             "<path\n   d=\"M 105,30 L 135,30 L 135,47 L 105,47  z\" fill=\"rgb(128, 128, 128)\" stroke=\"none\" stroke-width=\"0\" />\n ",
             "<path\n   d=\"M 165,38 L 285,38\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 285,38 L 278,34 L 278,41 \" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 165,38 Q 225,38 225,60 T 285,82\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<line x1=\"285\" y1=\"57\" x2=\"285\" y2=\"82\" style=\"fill: none;  stroke:black; stroke-width:1; stroke-dasharray:3,3\"/>\n",
             "<line x1=\"282\" y1=\"82\" x2=\"291\" y2=\"82\" style=\"fill: none; stroke:black;stroke-width:1\"/>\n",
             "<path d=\"M 165,60 L 150,60 M 285,60 L 300,60\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 165,60 L 160,56 L 160,64 z\" fill=\"black\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 660,71 Q 657,78 660,82 T 660,93\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 661,71 Q 658,78 661,82 T 661,93\" fill=\"none\" stroke=\"white\" stroke-width=\"1\" />\n ",
             "<path\n   d=\"M 665,71 Q 662,78 665,82 T 665,93\" fill=\"none\" stroke=\"black\" stroke-width=\"1\" />\n "})
        EXPECT_NE(t.find(element), std::string::npos) << element;
    // The begin extension line is not drawn (selector 2): only the end line and its tick.
    EXPECT_EQ(t.find("stroke-dasharray:3, 3\"/>"), std::string::npos);
}
