#include "render/DecorationLayer.h"

#include <cmath>
#include <cstdio>

namespace sigmora::render {

namespace {

constexpr int kFrameAboveTop = 20; // the frame starts this far above topMargin
constexpr int kShadowOffset = 8;
constexpr Colour kShadowGrey = 8421504;
constexpr Colour kBelowShades[] = {0x8C8E8C, 0xA5AAA5, 0xCED3CE, 0xEFEFEF};
constexpr Colour kRightShades[] = {0x8C8E8C, 0xA5AAA5, 0xCED3CE, 0xEFEFEF, 0xF7FBF7};
// Rounding of the outer corners, from the shadow's edge outwards.
constexpr Colour kOuterCornerShades[] = {0xADB2AD, 0xD6D7D6, 0xEFF3EF};
// Rounding of the inner corner by distance from the frame's corner: 1, 2, 3, 4 and beyond.
constexpr Colour kInnerCornerShades[] = {0x949A94, 0xC6C7C6, 0xDEE3DE, 0xF7F7F7};
constexpr int kRightTopGap = 5; // the graded right strip stops this far below the frame's top

constexpr std::string_view kLogoText = "Sigmora";
constexpr std::string_view kLogoFace = "Arial";
constexpr int kLogoPoints = 8;
constexpr int kLogoLeftOfCorner = 53;
constexpr int kLogoAboveCorner = 7;
constexpr int kLogoRaiseOnSolid = 4;

constexpr Point kDrawHintAt{0, 50};

// Margin clean-up offsets below topMargin.
constexpr int kRightCleanTop = 18;
constexpr int kColumnCleanTop = 17;
constexpr int kNameCleanTop = 15;
constexpr int kNameCleanRightGap = 5;
constexpr int kNameCleanBottomGap = 5;

void pixelLine(Surface& s, int x1, int y1, int x2, int y2, Colour c)
{
    s.fillRect({x1, y1, x2, y2}, Brush::solid(c));
}

void cleanMargins(RedrawContext& ctx, const Rect& frame)
{
    const Layout& l = ctx.layout;
    Surface& s = ctx.surface;
    const Brush white = Brush::solid(model::kWhite);
    if (!ctx.printing()) {
        s.fillRect({frame.right, l.topMargin - kRightCleanTop, s.size().width, frame.bottom}, white);
        s.fillRect({frame.right - l.cellWidth, l.topMargin - kColumnCleanTop, frame.right - 1, frame.bottom - 1}, white);
    }
    s.fillRect({ctx.options.printOffset + 1, l.topMargin - kNameCleanTop, l.nameColumnWidth + l.nameMargin - kNameCleanRightGap,
                frame.bottom - kNameCleanBottomGap},
               white);
}

void drawSolidShadow(Surface& s, const Rect& f)
{
    const Brush grey = Brush::solid(kShadowGrey);
    s.fillRect({f.right, f.top + kShadowOffset, f.right + kShadowOffset, f.bottom + kShadowOffset}, grey);
    s.fillRect({f.left + kShadowOffset, f.bottom, f.right, f.bottom + kShadowOffset}, grey);
}

void drawGradientShadow(Surface& s, const Rect& f)
{
    for (int k = 0; k < 4; ++k) {
        const int left = f.left + kShadowOffset - (k == 3 ? 1 : 0);
        pixelLine(s, left, f.bottom + k, f.right, f.bottom + k + 1, kBelowShades[k]);
    }
    // Each right line runs from the bottom up to the top gap and, like the lines below the box,
    // leaves out its end point: it covers the rows below the gap down to the bottom.
    for (int k = 0; k < 5; ++k)
        pixelLine(s, f.right + k, f.top + kRightTopGap + 1, f.right + k + 1, f.bottom + 1, kRightShades[k]);
    // Outer corners: short steps that fade the strips' ends into the background.
    for (int k = 0; k < 3; ++k) {
        const int reach = 3 - k;
        pixelLine(s, f.left + kShadowOffset - 1 - k - (k == 0 ? 1 : 0), f.bottom, f.left + kShadowOffset - k - (k == 0 ? 1 : 0),
                  f.bottom + reach, kOuterCornerShades[k]);
        pixelLine(s, f.right, f.top + kRightTopGap - k, f.right + reach, f.top + kRightTopGap + 1 - k, kOuterCornerShades[k]);
    }
    // Inner corner: the quarter round where the two strips meet.
    for (int dx = 1; dx < 5; ++dx) {
        for (int dy = 1; dy < 4; ++dy) {
            const int d = static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy)));
            pixelLine(s, f.right + dx, f.bottom + dy, f.right + dx + 1, f.bottom + dy + 1,
                      kInnerCornerShades[std::min(d, 4) - 1]);
        }
    }
}

void drawLogo(RedrawContext& ctx, const Rect& f)
{
    Surface& s = ctx.surface;
    s.setFont(FontSpec::fromPoints(std::string(kLogoFace),
                                   static_cast<int>(std::lround(kLogoPoints * ctx.options.fontScale))));
    s.setTextColour(model::kBlack);
    const bool solid = ctx.settings().dropShadow == static_cast<int>(model::DropShadow::Solid);
    s.textOut(f.right + kShadowOffset - kLogoLeftOfCorner,
              f.bottom + kShadowOffset - kLogoAboveCorner - (solid ? kLogoRaiseOnSolid : 0), kLogoText);
}

} // namespace

Rect diagramFrame(const Layout& l, int count, int printOffset)
{
    return {printOffset, l.topMargin - kFrameAboveTop, l.waveOriginX() + l.waveformWidth,
            Layout::clampCoordinate(l.topMargin + static_cast<long long>(count) * l.rowPitch())};
}

void drawBoundingRectangle(RedrawContext& ctx)
{
    if (!ctx.settings().boundingRectShown)
        return;
    const int count = ctx.diagram.store.signalCount();
    const Rect f = diagramFrame(ctx.layout, count, ctx.options.printOffset);
    ctx.surface.setPen(Pen::solid(model::kBlack));
    ctx.surface.setBrush(Brush::solid(model::kWhite));
    ctx.surface.rectangle(f);
    if (ctx.svgMain()) {
        char buffer[256];
        std::snprintf(buffer, sizeof buffer,
                      "<rect\n   x=\"%d\"\n   y=\"%d\"\n   id=\"rect%d\"\n   width=\"%d\" height=\"%d\" style=\"fill: none; stroke: black \"/>\n",
                      f.left, f.top, ctx.svg->takeId(), f.right, f.bottom - f.top);
        ctx.svg->append(buffer);
    }
}

void drawDecorations(RedrawContext& ctx)
{
    const Rect f = diagramFrame(ctx.layout, ctx.diagram.store.signalCount(), ctx.options.printOffset);
    cleanMargins(ctx, f);
    switch (static_cast<model::DropShadow>(ctx.settings().dropShadow)) {
    case model::DropShadow::Solid: drawSolidShadow(ctx.surface, f); break;
    case model::DropShadow::Gradient: drawGradientShadow(ctx.surface, f); break;
    default: break;
    }
    if (ctx.settings().logoShown)
        drawLogo(ctx, f);
}

void drawHintPicture(RedrawContext& ctx)
{
    if (ctx.options.drawHint)
        ctx.surface.picture(Picture::DrawHint, kDrawHintAt.x, kDrawHintAt.y);
}

} // namespace sigmora::render
