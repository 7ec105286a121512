#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/BackgroundLayer.h"
#include "render/NameLayer.h"

using namespace sigmora;
using render::Point;

namespace {

std::vector<render::RecordingSurface::Text> names(const render::RecordingSurface& s)
{
    std::vector<render::RecordingSurface::Text> out;
    for (const auto& t : s.texts())
        if (t.font.pixelSize == 13) // 10-point name font
            out.push_back(t);
    return out;
}

} // namespace

TEST(Names, TypedLineBreakGivesLinesTwentyPixelsApart)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.add(test::RenderFixture::row("A\\nB", "1"));
    f.draw();
    const auto n = names(f.surface);
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].text, "A");
    EXPECT_EQ(n[0].at, (Point{5, 20}));
    EXPECT_EQ(n[1].text, "B");
    EXPECT_EQ(n[1].at, (Point{5, 40}));
    EXPECT_EQ(n[0].font.face, "Arial");
}

TEST(Names, RightJustifiedLinesEndTwoPixelsLeftOfTheColumnEdge)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.nameJustification = 1;
    f.add(test::RenderFixture::row("Long\\nAB", "1"));
    f.draw();
    const auto n = names(f.surface);
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].at.x, 100 - 4 * 7 - 2);
    EXPECT_EQ(n[1].at.x, 100 - 2 * 7 - 2);
}

TEST(Names, PeriodMarkersAreShownAsPeriodsAndActiveLowDrawsABar)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 30;
    f.add(test::RenderFixture::row("rst~QorWFPeriod~n\\nx_b", "1", 0, 0, 0, 0, 1));
    f.draw();
    const auto n = names(f.surface);
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].text, "rst.n");
    // The bar runs along the top of the last line, over its measured width.
    const auto& bar = f.surface.segments().back();
    EXPECT_EQ(bar.from, (Point{5, 40}));
    EXPECT_EQ(bar.to, (Point{5 + 21, 40}));
}

TEST(Names, ColumnAndWaveformSeparators)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 30;
    f.diagram.settings.signalSeparatorLines = 1;
    f.diagram.settings.waveformSeparatorLines = 1;
    f.add(test::RenderFixture::row("A", "1"));
    f.add(test::RenderFixture::row("B", "1"));
    f.draw();
    const auto& segs = f.surface.segments();
    ASSERT_GE(segs.size(), 3u);
    const auto* s = &segs[segs.size() - 3];
    EXPECT_EQ(s[0].from, (Point{100, 0}));
    EXPECT_EQ(s[0].to, (Point{100, 108})); // rowTop(2)
    EXPECT_EQ(s[1].from, (Point{0, 52}));
    EXPECT_EQ(s[1].to, (Point{101, 52}));
    EXPECT_EQ(s[1].pen, render::Pen::solid(model::kBlack));
    EXPECT_EQ(s[2].from, (Point{101, 52}));
    EXPECT_EQ(s[2].to, (Point{100 + 5 + 30, 52}));
    EXPECT_EQ(s[2].pen, render::Pen::solid(model::kLightGrey));
}

TEST(SelectionHighlight, RowRectangleAndItsTopLimit)
{
    const render::Layout l;
    render::SelectionView sel;
    EXPECT_FALSE(render::selectionHighlightRect(sel, l, 4));
    sel.row = 1;
    sel.cell = 3;
    EXPECT_EQ(render::selectionHighlightRect(sel, l, 4), (render::Rect{5, 56, 690, 88}));
    sel.row = 0; // 20 - 8 = 12 is not above 20 - 12
    EXPECT_EQ(render::selectionHighlightRect(sel, l, 4), (render::Rect{5, 12, 690, 44}));
    render::Layout tall = l;
    tall.signalHeight = 40;
    EXPECT_EQ(render::selectionHighlightRect(sel, tall, 4)->top, 8);
    EXPECT_FALSE(render::selectionHighlightRect(sel, l, 0)); // the row is gone
    sel.textBoxSelected = true;
    EXPECT_FALSE(render::selectionHighlightRect(sel, l, 4));
    sel.textBoxSelected = false;
    sel.cell = -1;
    EXPECT_FALSE(render::selectionHighlightRect(sel, l, 4));
    sel.block = render::SelectionView::Block{2, 5, 0, 1};
    EXPECT_EQ(render::selectionHighlightRect(sel, l, 4), (render::Rect{165, 12, 255, 88}));
}

TEST(SelectionHighlight, IsNotDrawnWhenPrinting)
{
    test::RenderFixture f;
    f.add(test::RenderFixture::row("A", "1"));
    f.options.selection.row = 0;
    f.options.selection.cell = 0;
    f.draw();
    auto greyFills = [&] {
        int n = 0;
        for (const auto& s : f.surface.shapes())
            n += s.kind == "fillRect" && s.brush.colour == model::kSelectedRowGrey;
        return n;
    };
    EXPECT_EQ(greyFills(), 1);
    f.options.printOffset = 32;
    f.draw();
    EXPECT_EQ(greyFills(), 0);
}

TEST(MovePreview, MarkerFollowsTheMouseRowAndStaysInsideTheDiagram)
{
    const render::Layout l;
    EXPECT_EQ(render::moveMarkerY(l, 3, 70), 20 + 2 * 44 - 20);
    EXPECT_EQ(render::moveMarkerY(l, 3, 500), 3 * 44 + 20 - 20);
    EXPECT_EQ(render::moveMarkerY(l, 3, 0), 0);
}

TEST(MovePreview, DraggedRowIsDrawnAtTheMouse)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60;
    f.add(test::RenderFixture::row("A", "11"));
    f.add(test::RenderFixture::row("B", "00"));
    f.options.movePreview = render::MovePreview{1, 150, {}};
    f.draw();
    bool markerFound = false;
    for (const auto& s : f.surface.shapes())
        markerFound |= s.kind == "polygon" && s.points.size() == 7;
    EXPECT_TRUE(markerFound);
    const auto& segs = f.surface.segments();
    EXPECT_EQ(segs.back().from, (Point{105, 166})); // B's low level at the mouse
    EXPECT_EQ(segs.back().to, (Point{135, 166}));
    EXPECT_EQ(f.surface.texts().back().text, "B");
    EXPECT_EQ(f.surface.texts().back().at.y, 150);
}

TEST(MovePreview, DerivedRowIsDrawnWithItsDerivedCellsAndDelay)
{
    test::RenderFixture f;
    f.waveformsOnly();
    f.diagram.settings.waveformWidth = 60;
    f.add(test::RenderFixture::row("A", "11"));
    f.add(test::RenderFixture::row("B", "11"));
    f.options.movePreview = render::MovePreview{
        1, 150, [](int) { return std::optional<std::pair<std::string, int>>{{"01", 10}}; }};
    f.draw();
    const auto& segs = f.surface.segments();
    ASSERT_GE(segs.size(), 3u);
    // Low until the delay of 10 ends, then the slanted rise and the high level to 115 + 30.
    EXPECT_EQ(segs[segs.size() - 3].from, (Point{105, 166}));
    EXPECT_EQ(segs[segs.size() - 3].to, (Point{115, 166}));
    EXPECT_EQ(segs[segs.size() - 2].to, (Point{125, 150}));
    EXPECT_EQ(segs.back().to, (Point{145, 150}));
}
