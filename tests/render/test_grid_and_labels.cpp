#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/CycleLabels.h"
#include "render/PeriodLines.h"

using namespace sigmora;
using render::PeriodColumn;
using render::PeriodSegment;

namespace {

std::vector<int> columnsOf(const std::vector<PeriodColumn>& cols)
{
    std::vector<int> out;
    for (const auto& c : cols)
        out.push_back(c.column);
    return out;
}

} // namespace

TEST(PeriodLineColumns, DividerOneModes)
{
    EXPECT_EQ(columnsOf(render::periodLineColumns(0, 1, 0, 5, 30)), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(columnsOf(render::periodLineColumns(1, 1, 0, 5, 30)), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(columnsOf(render::periodLineColumns(2, 1, 0, 5, 30)), (std::vector<int>{1, 3}));
    EXPECT_TRUE(render::periodLineColumns(5, 1, 0, 5, 30).empty());
    EXPECT_TRUE(render::periodLineColumns(3, 1, 0, 5, 30).empty());
    const auto center = render::periodLineColumns(6, 1, 0, 5, 30);
    EXPECT_EQ(center, (std::vector<PeriodColumn>{{0, 15}, {2, 15}, {4, 15}}));
}

TEST(PeriodLineColumns, DividerThreeCenterLinesComeOneAndAHalfCellsAfterEachRise)
{
    // Entry "1/3x": period of 6 cells; the center line at column 1, moved half a cell right.
    EXPECT_EQ(render::periodLineColumns(6, 3, 0, 20, 30),
              (std::vector<PeriodColumn>{{1, 15}, {7, 15}, {13, 15}, {19, 15}}));
    EXPECT_EQ(columnsOf(render::periodLineColumns(0, 3, 0, 13, 30)), (std::vector<int>{0, 3, 6, 9, 12}));
    EXPECT_EQ(columnsOf(render::periodLineColumns(1, 3, 0, 13, 30)), (std::vector<int>{0, 6, 12}));
    EXPECT_EQ(columnsOf(render::periodLineColumns(2, 3, 0, 13, 30)), (std::vector<int>{3, 9}));
    // Even divider: the center is not shifted.
    EXPECT_EQ(render::periodLineColumns(6, 2, 0, 8, 30), (std::vector<PeriodColumn>{{1, 0}, {5, 0}}));
    // Scrolled by 4 cells: rises stay on absolute multiples of 6 (absolute 6 is column 2).
    EXPECT_EQ(columnsOf(render::periodLineColumns(1, 3, 4, 12, 30)), (std::vector<int>{2, 8}));
}

TEST(PeriodLines, DefaultDiagramHasDottedGreyLinesAtEveryBoundary)
{
    test::RenderFixture f;
    f.diagram.settings.eachClockOwnPeriod = 0;
    f.add(test::RenderFixture::row("A", std::string(600, '1')));
    f.add(test::RenderFixture::row("B", std::string(600, '1')));
    f.draw();
    std::vector<render::RecordingSurface::Segment> lines;
    for (const auto& s : f.surface.segments())
        if (s.pen == render::Pen::dotted(model::kLightGrey))
            lines.push_back(s);
    ASSERT_EQ(lines.size(), 20u);
    for (int w = 0; w < 20; ++w) {
        EXPECT_EQ(lines[static_cast<size_t>(w)].from, (render::Point{105 + 30 * w, 20}));
        EXPECT_EQ(lines[static_cast<size_t>(w)].to, (render::Point{105 + 30 * w, 80})); // row 1's low level
    }
}

TEST(PeriodLines, SolidSettingUsesASolidPenAndModeFiveDrawsNoneButKeepsLabels)
{
    test::RenderFixture f;
    f.diagram.settings.periodLinesSolid = 1;
    f.add(test::RenderFixture::row("A", "11"));
    f.draw();
    size_t solidGrey = 0;
    for (const auto& s : f.surface.segments())
        solidGrey += s.pen == render::Pen::solid(model::kLightGrey);
    EXPECT_EQ(solidGrey, 20u);

    f.diagram.settings.periodLineMode = 5;
    f.draw();
    for (const auto& s : f.surface.segments())
        EXPECT_NE(s.pen.colour, model::kLightGrey);
    EXPECT_EQ(f.surface.texts().size(), 11u); // ten labels and the name
}

TEST(PeriodLines, OwnPeriodSegmentsFollowTheClocksOnRowsTwoAndFive)
{
    test::RenderFixture f;
    for (int i = 0; i < 8; ++i)
        f.add(i == 2 || i == 5 ? model::buildRowRecord(model::NewRowKind::Clock, "Clock " + std::to_string(i), 1)
                               : test::RenderFixture::row("S" + std::to_string(i), "1"));
    f.diagram.store.edgeOffsets().set(2, 1, 6);
    f.diagram.store.edgeOffsets().set(5, 1, 11);
    const auto layout = render::Layout::from(f.diagram.settings);
    // Low levels: row r at 20 + 44 r + 16.
    EXPECT_EQ(render::ownPeriodSegments(f.diagram, layout),
              (std::vector<PeriodSegment>{{20, 80, 0}, {124, 212, 6}, {256, 344, 11}}));

    f.draw();
    std::vector<render::RecordingSurface::Segment> lines;
    for (const auto& s : f.surface.segments())
        if (s.pen.colour == model::kLightGrey)
            lines.push_back(s);
    ASSERT_EQ(lines.size(), 60u);
    EXPECT_EQ(lines[0].from, (render::Point{105, 20}));
    EXPECT_EQ(lines[20].from, (render::Point{111, 124}));
    EXPECT_EQ(lines[20].to, (render::Point{111, 212}));
    EXPECT_EQ(lines[59].from, (render::Point{116 + 19 * 30, 256}));
    EXPECT_EQ(lines[59].to, (render::Point{116 + 19 * 30, 344}));
}

TEST(PeriodLines, ClockOnTheFirstRowOwnsTheTopSegmentToo)
{
    test::RenderFixture f;
    f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    f.add(test::RenderFixture::row("S", "1"));
    f.diagram.store.edgeOffsets().set(0, 1, 4);
    EXPECT_EQ(render::ownPeriodSegments(f.diagram, render::Layout::from(f.diagram.settings)),
              (std::vector<PeriodSegment>{{20, 36, 4}, {36, 80, 4}}));
}

TEST(CycleLabels, SlotsAndTextsFollowThePeriodAndTheScroll)
{
    EXPECT_EQ(render::cycleLabelSlots(2, 0, 6), (std::vector<render::CycleLabelSlot>{{0, 0}, {2, 1}, {4, 2}}));
    EXPECT_EQ(render::cycleLabelSlots(2, 4, 4), (std::vector<render::CycleLabelSlot>{{0, 2}, {2, 3}}));
    EXPECT_EQ(render::cycleLabelSlots(3, 4, 6), (std::vector<render::CycleLabelSlot>{{2, 2}, {5, 3}}));
    EXPECT_EQ(render::cycleLabelText("", 7, ""), " 7 ");
    EXPECT_EQ(render::cycleLabelText("T", 7, "ns"), "T 7 ns");
}

TEST(CycleLabels, DefaultLabelsAreCentredOverTheFirstHalfOfEachCycle)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("A", "1"));
    f.draw();
    std::vector<render::RecordingSurface::Text> labels;
    for (const auto& t : f.surface.texts())
        if (t.font == render::cycleLabelFont())
            labels.push_back(t);
    ASSERT_EQ(labels.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        const std::string text = " " + std::to_string(k + 1) + " ";
        const int width = static_cast<int>(text.size()) * 7;
        EXPECT_EQ(labels[static_cast<size_t>(k)].text, text);
        EXPECT_EQ(labels[static_cast<size_t>(k)].at, (render::Point{105 + 2 * k * 30 + 15 - width / 2, 5}));
    }
}

TEST(CycleLabels, ScrolledByFourTheLeftmostLabelIsThree)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("A", "1"));
    f.diagram.settings.firstVisibleCell = 4;
    f.draw();
    ASSERT_FALSE(f.surface.texts().empty());
    EXPECT_EQ(f.surface.texts()[0].text, " 3 ");
    EXPECT_EQ(f.surface.texts()[0].at.x, 105 + 15 - 10);
}

TEST(CycleLabels, CustomNumbersSpanAndHiddenRow)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("A", "1"));
    f.diagram.settings.periodLinesPerLabel = 2;
    f.diagram.settings.skipOffset = 2; // a label every 4 cells, centred over 2 cells
    f.diagram.settings.labelPrefix = "c";
    f.diagram.labelNumbers[1] = 42;
    f.draw();
    ASSERT_GE(f.surface.texts().size(), 2u);
    EXPECT_EQ(f.surface.texts()[1].text, "c 42 ");
    EXPECT_EQ(f.surface.texts()[1].at.x, 105 + 4 * 30 + 30 - (5 * 7) / 2);

    f.diagram.settings.cycleLabelsVisible = 0;
    f.draw();
    EXPECT_EQ(f.surface.texts().size(), 1u); // only the name
}

TEST(CycleLabels, HugeSettingsFromAFileKeepPositionsWithinTheSurfaceRange)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("A", "1"));
    f.diagram.settings.cellWidth = 1000000;
    f.diagram.settings.waveformWidth = 1000000;
    f.diagram.settings.periodLinesPerLabel = 1000000;
    f.diagram.settings.skipOffset = 1000000;
    f.draw();
    ASSERT_GE(f.surface.texts().size(), 1u);
    EXPECT_EQ(f.surface.texts()[0].at.x, 1 << 30); // 105 + 5e11 - 10, held at the limit
}

TEST(Names, HugeFontSizeFromAFileIsHeldWithinReason)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add("N\\nM\t\t\t\t\tDATA_0_.1.0.0.Arial.2147483647.0.0.0.0.8421504.N/A.0.0.0.0.0.");
    f.draw();
    ASSERT_EQ(f.surface.texts().size(), 2u);
    EXPECT_EQ(f.surface.texts()[1].at.y, 20 + 2 * 1000);
    EXPECT_EQ(f.surface.texts()[1].font.pixelSize, model::FontSpec::pixelsForPoints(1000));
}

// The solid and own-period flags are off only at 0, as the ideal-edge flag of a row.
TEST(PeriodLines, SolidAndOwnPeriodFlagsAreOnForAnyValueButZero)
{
    for (int flag : {1, 2, -1}) {
        test::RenderFixture f;
        f.diagram.settings.periodLinesSolid = flag;
        f.diagram.settings.eachClockOwnPeriod = flag;
        f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
        f.diagram.store.edgeOffsets().set(0, 1, 4);
        f.draw();
        std::vector<render::RecordingSurface::Segment> lines;
        for (const auto& s : f.surface.segments())
            if (s.pen.colour == model::kLightGrey)
                lines.push_back(s);
        ASSERT_FALSE(lines.empty()) << flag;
        EXPECT_EQ(lines.front().pen, render::Pen::solid(model::kLightGrey)) << flag;
        EXPECT_EQ(lines.front().from, (render::Point{109, 20})) << flag; // the clock's delay of 4
    }
}

// Scrolled past the last row, no period line runs upwards through the label row.
TEST(PeriodLines, ScrolledPastTheLastRowTheLinesNeverEndAboveTheirTop)
{
    for (int ownPeriod : {0, 1}) {
        test::RenderFixture f;
        f.diagram.settings.eachClockOwnPeriod = ownPeriod;
        f.add(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
        f.add(test::RenderFixture::row("S", "1"));
        f.add(test::RenderFixture::row("T", "1"));
        f.diagram.settings.verticalScroll = 4; // row 2 on top: rows 0 and 1 are above it
        EXPECT_EQ(render::ownPeriodSegments(f.diagram, render::Layout::from(f.diagram.settings)),
                  (std::vector<PeriodSegment>{{20, 36, 0}}));
        for (int scroll : {6, 20}) {
            f.diagram.settings.verticalScroll = scroll;
            f.draw();
            size_t lines = 0;
            for (const auto& s : f.surface.segments()) {
                if (s.pen.colour != model::kLightGrey)
                    continue;
                ++lines;
                EXPECT_EQ(s.from.y, 20) << ownPeriod << " " << scroll;
                EXPECT_EQ(s.to.y, 20) << ownPeriod << " " << scroll;
            }
            EXPECT_EQ(lines, 20u);
        }
    }
}
