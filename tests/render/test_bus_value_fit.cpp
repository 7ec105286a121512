#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenderFixture.h"
#include "render/BusValueFit.h"
#include "render/SvgWriter.h"

using namespace sigmora;

namespace {

// A plain row and a bus row below it: runs of columns 0-3, 4-5 and 6 to the drawing's end.
struct BusRows : test::RenderFixture {
    render::Layout layout = render::Layout::from(diagram.settings);
    BusRows()
    {
        waveformsOnly();
        add(row("S0", "1" + std::string(40, '0'), 1));
        add(row("B", "1" + std::string("3333") + "44" + std::string(40, '3')));
    }
    int x(int column) const { return layout.waveOriginX() + column * layout.cellWidth; }
    int rowTop(int row) const { return layout.topMargin + row * layout.rowPitch(); }
    void box(int left, int row, const std::string& text)
    {
        const int top = rowTop(row) + 2;
        diagram.store.list(model::ListId::Texts)
            .append(std::to_string(left) + "." + std::to_string(top) + "." + std::to_string(left + 10) + "." +
                    std::to_string(top + 12) + "." + text + ".SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    }
    std::vector<render::RecordingSurface::Text> boxTexts() const
    {
        std::vector<render::RecordingSurface::Text> out;
        for (const auto& t : surface.texts())
            if (t.text != "S0" && t.text != "B")
                out.push_back(t);
        return out;
    }
};

const std::string kEllipsis = "\xE2\x80\xA6";
const std::string kLong = "0x0123456789abcdef0123456789abcdef"; // 34 characters, 238 pixels

} // namespace

TEST(BusValueFit, ValuesAreKeptWithinTheirRunsAndUndefinedOnesShownAsOneLetter)
{
    BusRows f;
    const int last = render::drawnColumnCount(f.layout); // where the drawing ends
    struct Case {
        int left;
        int row;
        std::string text;
        std::string shown;
    };
    // RecordingSurface measures 7 pixels a byte: the ellipsis (3 bytes) takes 21. A shortened value
    // is drawn from the slant's end + 1 to a pixel before the run's end.
    const int slant = f.layout.slantWidth;
    auto fitting = [&](int room) { return kLong.substr(0, static_cast<std::size_t>((room - 21) / 7)) + kEllipsis; };
    const Case cases[] = {
        {f.x(0) + 5, 1, kLong, fitting(120 - slant - 2)},
        {f.x(4) - 10, 1, "zzzzzzzz", "z"},                                           // half a cell early still counts
        {f.x(4) + 3, 1, "0xXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX", "x"},
        {f.x(4) + 3, 1, "0x5", "0x5"},                                               // fits as it is
        {f.x(4) + 40, 1, "abcdefghijklmn", ""},                                      // 20 pixels: not even the ellipsis
        {f.x(last - 2) + 1, 1, kLong, fitting(60 - 2)},                              // cut by the drawing's end, far from the slant
        {f.x(0) + 5, 0, kLong, kLong},                                               // no bus under it
        {f.x(0) + 5, 1, "t_{SU} far too long to fit its run", "t_{SU} far too long to fit its run"}, // marked text
    };
    for (const Case& c : cases)
        f.box(c.left, c.row, c.text);
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    f.draw(&svg);
    std::vector<std::string> shown;
    for (const auto& t : f.boxTexts())
        shown.push_back(t.text);
    // The marked text is drawn in runs, its first "t".
    ASSERT_GE(shown.size(), std::size(cases));
    for (std::size_t i = 0; i + 1 < std::size(cases); ++i)
        EXPECT_EQ(shown[i], cases[i].shown) << i;
    EXPECT_EQ(shown[std::size(cases) - 1], "t");
    // The mouse finds a shortened box at the size it is drawn.
    const auto& hits = f.memory.annotations.textBoxes;
    ASSERT_EQ(hits.size(), std::size(cases));
    EXPECT_EQ(hits[0].drawn.right - hits[0].drawn.left, static_cast<int>(cases[0].shown.size()) * 7);
    // The SVG keeps the whole value as the text's title, and only where it is shortened.
    const std::string out(svg.text());
    EXPECT_NE(out.find("<title>" + kLong + "</title>\n<tspan"), std::string::npos);
    EXPECT_EQ(out.find("<title>zzzzzzzz"), std::string::npos);
    EXPECT_NE(out.find(">" + cases[0].shown + "</tspan>"), std::string::npos);
    // Drawn clear of the slant of the change that begins the run.
    EXPECT_EQ(f.boxTexts()[0].at.x, f.x(0) + slant + 1);
}

TEST(BusValueFit, UndefinedValuesAreOneLetterOnlyWhenEveryDigitIsUndefined)
{
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {{"xxxx", "x"},   {"0xXXXX", "x"}, {"ZZZ", "z"},  {"0xzzzz", "z"}, {"x", "x"},
                          {"0xz5", "0xz5"}, {"0xXz", "0xXz"}, {"0x", "0x"}, {"xz", "xz"},     {"0x3a", "0x3a"}};
    for (const Case& c : cases)
        EXPECT_EQ(render::BusValueFit::shownValue(c.text), c.shown) << c.text;
}

TEST(BusValueFit, ShorteningCutsBetweenWholeCharacters)
{
    render::RecordingSurface s; // 7 pixels a byte
    // "ä" is two bytes: with the ellipsis, "aä" takes 6 bytes (42 pixels) and fits 45; "aäb" does not.
    EXPECT_EQ(render::shortenedToFit(s, "a\xC3\xA4" "bcdef", 45), "a\xC3\xA4" + kEllipsis);
    EXPECT_EQ(render::shortenedToFit(s, "abcdef", 21), kEllipsis);
    EXPECT_EQ(render::shortenedToFit(s, "abcdef", 20), "");
}
