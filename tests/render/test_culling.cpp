#include <gtest/gtest.h>

#include <sstream>

#include "render/FullRedraw.h"
#include "render/RecordingSurface.h"
#include "support/LargestDiagram.h"

using namespace sigmora;

namespace {

constexpr render::Size kScreen{1920, 1080};

bool touchesScreen(const std::vector<render::Point>& points)
{
    long long left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (const render::Point& p : points) {
        left = std::min<long long>(left, p.x);
        right = std::max<long long>(right, p.x);
        top = std::min<long long>(top, p.y);
        bottom = std::max<long long>(bottom, p.y);
    }
    return right >= 0 && bottom >= 0 && left < kScreen.width && top < kScreen.height;
}

// Everything drawn that reaches into the screen image, in drawing order, as text.
std::vector<std::string> drawnOnScreen(const render::RecordingSurface& s)
{
    std::vector<std::string> out;
    auto put = [&out](const std::string& kind, const std::vector<render::Point>& points, const std::string& style) {
        if (!touchesScreen(points))
            return;
        std::ostringstream line;
        line << kind << " " << style;
        for (const render::Point& p : points)
            line << " " << p.x << "," << p.y;
        out.push_back(line.str());
    };
    for (const auto& seg : s.segments())
        put("line", {seg.from, seg.to}, std::to_string(seg.pen.colour) + "/" + std::to_string(int(seg.pen.style)));
    for (const auto& shape : s.shapes()) // a rounded rectangle's third point holds its corner sizes
        put(shape.kind, shape.kind == "roundRect" ? std::vector(shape.points.begin(), shape.points.begin() + 2) : shape.points,
            std::to_string(shape.brush.colour) + "/" + std::to_string(int(shape.brush.style)));
    for (const auto& text : s.texts())
        put("text " + text.text, {text.at, {text.at.x + 200, text.at.y + 20}}, text.font.face);
    return out;
}

} // namespace

// The screen image skips annotations, floods and text boxes that lie off the image: what is
// drawn on the image must be exactly what the full drawing puts there, wherever the view is
// scrolled, and the mouse keeps every arrow, label and time break.
TEST(Culling, TheScreenImageShowsExactlyWhatTheWholeDrawingShows)
{
    const model::Diagram whole = test::largestAnnotatedDiagram();
    struct Scroll {
        int cell, row;
    };
    for (const Scroll scroll : {Scroll{0, 0}, Scroll{37, 10}, Scroll{300, 100}, Scroll{560, 230}}) {
        model::Diagram d = whole;
        d.settings.firstVisibleCell = scroll.cell;
        d.settings.verticalScroll = 2 * scroll.row;
        render::RecordingSurface culled(kScreen), full(kScreen);
        render::RedrawMemory culledMemory, fullMemory;
        model::ReaderReport culledReport, fullReport;
        render::RedrawOptions options;
        options.annotations.arrow = 3;
        options.annotations.label = 5;
        options.cullOffSurface = true;
        render::fullRedraw(culled, d, options, culledMemory, culledReport);
        options.cullOffSurface = false;
        render::fullRedraw(full, d, options, fullMemory, fullReport);
        const auto seen = drawnOnScreen(culled);
        EXPECT_GT(seen.size(), 100u) << scroll.cell;
        EXPECT_EQ(seen, drawnOnScreen(full)) << scroll.cell << " " << scroll.row;
        EXPECT_LT(culled.segments().size() + culled.shapes().size(), full.segments().size() + full.shapes().size());
        EXPECT_EQ(culledMemory.annotations.arrows.size(), fullMemory.annotations.arrows.size());
        EXPECT_EQ(culledMemory.annotations.labels.size(), fullMemory.annotations.labels.size());
        EXPECT_EQ(culledMemory.annotations.timeBreaks.size(), fullMemory.annotations.timeBreaks.size());
        EXPECT_EQ(culledReport.messages(), fullReport.messages());
    }
}
