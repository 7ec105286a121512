#include <gtest/gtest.h>

#include "RenderFixture.h"
#include "render/DecorationLayer.h"

using namespace sigmora;
using render::Point;

namespace {

using Shape = render::RecordingSurface::Shape;

// The default one-signal diagram: frame (0, 0) to (705, 64).
struct Decorated : test::RenderFixture {
    explicit Decorated(int shadow)
    {
        diagram.settings.dropShadow = shadow;
        diagram.settings.logoShown = 1;
        diagram.settings.boundingRectShown = 1;
        add(row("S", std::string(600, '1')));
    }
    std::vector<Shape> filled(model::Colour colour) const
    {
        std::vector<Shape> out;
        for (const auto& s : surface.shapes())
            if (s.kind == "fillRect" && s.brush == render::Brush::solid(colour))
                out.push_back(s);
        return out;
    }
    render::RecordingSurface::Text logo() const
    {
        for (const auto& t : surface.texts())
            if (t.text == "Sigmora")
                return t;
        return {};
    }
    bool hasFill(model::Colour colour, Point from, Point to) const
    {
        for (const auto& s : filled(colour))
            if (s.points == std::vector<Point>{from, to})
                return true;
        return false;
    }
};

} // namespace

TEST(Decorations, SolidShadowStripsOfTheDefaultDiagram)
{
    Decorated f(1);
    f.draw();
    const auto strips = f.filled(model::kGrey);
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[0].points, (std::vector<Point>{{705, 8}, {713, 72}}));
    EXPECT_EQ(strips[1].points, (std::vector<Point>{{8, 64}, {705, 72}}));
    // The logo under the bottom right corner, 4 pixels higher over a solid shadow.
    const auto logo = f.logo();
    EXPECT_EQ(logo.text, "Sigmora");
    EXPECT_EQ(logo.at, (Point{660, 61}));
    EXPECT_EQ(logo.font, model::FontSpec::fromPoints("Arial", 8));
}

TEST(Decorations, GradientShadowLinesInTheirGreys)
{
    Decorated f(2);
    f.draw();
    EXPECT_TRUE(f.hasFill(0x8C8E8C, {8, 64}, {705, 65}));
    EXPECT_TRUE(f.hasFill(0xEFEFEF, {7, 67}, {705, 68}));
    // Drawn from the bottom (64) up to the top + 5, each line leaves out that end point, as the
    // lines below the box leave out their end at the box's right.
    for (auto [x, colour] : {std::pair{705, 0x8C8E8Cu}, {706, 0xA5AAA5u}, {707, 0xCED3CEu}, {708, 0xEFEFEFu},
                             {709, 0xF7FBF7u}})
        EXPECT_TRUE(f.hasFill(colour, {x, 6}, {x + 1, 65})) << x;
    EXPECT_FALSE(f.hasFill(0x8C8E8C, {705, 5}, {706, 65}));
    EXPECT_TRUE(f.filled(model::kGrey).empty());
    EXPECT_EQ(f.logo().at, (Point{660, 65}));
}

TEST(Decorations, NoShadowNoLogoAndTheBoundingRectangleComesFirst)
{
    Decorated f(0);
    f.diagram.settings.logoShown = 0;
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    EXPECT_TRUE(f.filled(model::kGrey).empty());
    for (const auto& t : f.surface.texts())
        EXPECT_NE(t.text, "Sigmora");
    // Cleared image, then the frame with the white brush.
    ASSERT_GE(f.surface.shapes().size(), 2u);
    EXPECT_EQ(f.surface.shapes()[1].kind, "rectangle");
    EXPECT_EQ(f.surface.shapes()[1].points, (std::vector<Point>{{0, 0}, {705, 64}}));
    EXPECT_EQ(f.surface.shapes()[1].brush, render::Brush::solid(model::kWhite));
    EXPECT_EQ(svg.text().rfind("<rect\n   x=\"0\"\n   y=\"0\"\n   id=\"rect4\"\n   width=\"705\" height=\"64\" "
                               "style=\"fill: none; stroke: black \"/>\n",
                               0),
              0u);
    f.diagram.settings.boundingRectShown = 0;
    f.draw();
    EXPECT_NE(f.surface.shapes()[1].kind, "rectangle");
}

TEST(Decorations, MarginCleanUpOnScreenAndWhenPrinting)
{
    Decorated f(0);
    f.draw();
    EXPECT_TRUE(f.hasFill(model::kWhite, {705, 2}, {1920, 64}));  // right of the diagram
    EXPECT_TRUE(f.hasFill(model::kWhite, {675, 3}, {704, 63}));   // the last column
    EXPECT_TRUE(f.hasFill(model::kWhite, {1, 5}, {100, 59}));     // the name column
    f.options.printOffset = 32;
    f.draw();
    EXPECT_FALSE(f.hasFill(model::kWhite, {705, 2}, {1920, 64}));
    EXPECT_TRUE(f.hasFill(model::kWhite, {33, 5}, {100, 59}));
}

TEST(Decorations, DrawHintIsTheLastThingDrawn)
{
    Decorated f(2);
    f.options.drawHint = true;
    f.draw();
    EXPECT_EQ(f.surface.shapes().back().kind, "picture");
    EXPECT_EQ(f.surface.shapes().back().points, (std::vector<Point>{{0, 50}}));
    f.options.drawHint = false;
    f.draw();
    EXPECT_NE(f.surface.shapes().back().kind, "picture");
}
