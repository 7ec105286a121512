#include "io/pictures/EmfSurface.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "io/pictures/PictureSize.h"
#include "model/Utf8Text.h"
#include "render/ShapeOutline.h"

// libEMF's Windows headers come last: they define min and max as macros.
#include <libEMF/emf.h>
#undef min
#undef max

namespace sigmora::io {

namespace {

// libEMF's reference display (its device context without a window): 1024 pixels on 320 mm.
constexpr int kReferenceWidthMm = 320;
constexpr int kReferenceHeightMm = 240;
constexpr int kReferenceWidthPixels = 1024;
constexpr int kReferenceHeightPixels = 768;
// The description: the application's name, then an empty picture name.
constexpr char kDescription[] = "Sigmora\0";
constexpr int kCornerSteps = 6;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

int penStyle(render::PenStyle style)
{
    switch (style) {
    case render::PenStyle::Solid: return PS_SOLID;
    case render::PenStyle::Dotted: return PS_DOT;
    case render::PenStyle::Null: return PS_NULL;
    }
    return PS_SOLID;
}

LOGBRUSH logBrush(const render::Brush& b)
{
    using render::BrushStyle;
    switch (b.style) {
    case BrushStyle::Solid: return {BS_SOLID, b.colour, 0};
    case BrushStyle::Null: return {BS_NULL, 0, 0};
    case BrushStyle::HatchHorizontal: return {BS_HATCHED, b.colour, HS_HORIZONTAL};
    case BrushStyle::HatchVertical: return {BS_HATCHED, b.colour, HS_VERTICAL};
    case BrushStyle::HatchForwardDiagonal: return {BS_HATCHED, b.colour, HS_FDIAGONAL};
    case BrushStyle::HatchBackwardDiagonal: return {BS_HATCHED, b.colour, HS_BDIAGONAL};
    case BrushStyle::HatchCross: return {BS_HATCHED, b.colour, HS_CROSS};
    case BrushStyle::HatchDiagonalCross: return {BS_HATCHED, b.colour, HS_DIAGCROSS};
    }
    return {BS_SOLID, b.colour, 0};
}

std::vector<POINT> gdiPoints(const render::Point* points, std::size_t count)
{
    std::vector<POINT> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = {points[i].x, points[i].y};
    return out;
}

LONG frameUnits(std::int64_t pixels, int millimetres, int resolution)
{
    return static_cast<LONG>(std::clamp<std::int64_t>(hundredthsOfMillimetre(pixels, millimetres, resolution), 0,
                                                      std::int64_t{1} << 30));
}

} // namespace

struct EmfSurface::Gdi {
    FILE* file = nullptr;
    HDC dc = 0;
    HGDIOBJ pen = 0;
    HGDIOBJ brush = 0;
    HGDIOBJ font = 0;

    // Selects the new object and deletes the one it replaces.
    void replace(HGDIOBJ& held, HGDIOBJ made)
    {
        if (dc == 0 || made == 0)
            return;
        SelectObject(dc, made);
        if (held != 0)
            DeleteObject(held);
        held = made;
    }
};

int EmfSurface::referenceWidthMillimetres()
{
    return kReferenceWidthMm;
}

int EmfSurface::referenceWidthPixels()
{
    return kReferenceWidthPixels;
}

EmfSurface::EmfSurface(const model::TextMeasurer& measurer, render::Size extent)
    : GdiRecordSurface(measurer, extent), gdi_(std::make_unique<Gdi>())
{
    gdi_->file = std::tmpfile();
    if (gdi_->file == nullptr)
        return;
    const RECT frame{0, 0, frameUnits(extent.width, kReferenceWidthMm, kReferenceWidthPixels),
                     frameUnits(extent.height, kReferenceHeightMm, kReferenceHeightPixels)};
    gdi_->dc = CreateEnhMetaFileWithFILEA(0, gdi_->file, &frame, kDescription);
    if (gdi_->dc != 0)
        SetBkMode(gdi_->dc, TRANSPARENT);
}

EmfSurface::~EmfSurface()
{
    finish();
}

std::string EmfSurface::finish()
{
    std::string bytes;
    flushLines();
    if (gdi_->dc != 0) {
        if (gdi_->pen != 0 || gdi_->brush != 0 || gdi_->font != 0) {
            // Objects still selected are released with the metafile's own stock ones.
            SelectObject(gdi_->dc, GetStockObject(BLACK_PEN));
            SelectObject(gdi_->dc, GetStockObject(WHITE_BRUSH));
            for (HGDIOBJ held : {gdi_->pen, gdi_->brush, gdi_->font})
                if (held != 0)
                    DeleteObject(held);
            gdi_->pen = gdi_->brush = gdi_->font = 0;
        }
        HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(gdi_->dc);
        gdi_->dc = 0;
        if (metafile != 0)
            DeleteEnhMetaFile(metafile);
        std::fflush(gdi_->file);
        std::rewind(gdi_->file);
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, gdi_->file)) > 0;)
            bytes.append(buffer, n);
    }
    if (gdi_->file != nullptr) {
        std::fclose(gdi_->file);
        gdi_->file = nullptr;
    }
    return bytes;
}

void EmfSurface::selectPen(const render::Pen& pen)
{
    gdi_->replace(gdi_->pen, CreatePen(penStyle(pen.style), std::max(1, pen.width), pen.colour));
}

void EmfSurface::selectBrush(const render::Brush& brush)
{
    // Hatched brushes through CreateBrushIndirect: libEMF does not export CreateHatchBrush.
    const LOGBRUSH b = logBrush(brush);
    gdi_->replace(gdi_->brush, CreateBrushIndirect(&b));
}

void EmfSurface::selectFont(const model::FontSpec& font)
{
    LOGFONTA f{};
    f.lfHeight = -std::max(1, font.pixelSize);
    f.lfWeight = font.bold ? kBoldWeight : kNormalWeight;
    f.lfItalic = font.italic ? 1 : 0;
    f.lfUnderline = font.underline ? 1 : 0;
    f.lfCharSet = ANSI_CHARSET;
    f.lfQuality = ANTIALIASED_QUALITY;
    font.face.copy(f.lfFaceName, sizeof f.lfFaceName - 1);
    gdi_->replace(gdi_->font, CreateFontIndirectA(&f));
}

void EmfSurface::selectTextColour(model::Colour colour)
{
    if (gdi_->dc != 0)
        SetTextColor(gdi_->dc, colour);
}

void EmfSurface::recordPolyline(const render::Point* points, std::size_t count)
{
    const std::vector<POINT> p = gdiPoints(points, count);
    if (gdi_->dc != 0)
        Polyline(gdi_->dc, p.data(), static_cast<INT>(p.size()));
}

void EmfSurface::recordPolygon(const render::Point* points, std::size_t count)
{
    const std::vector<POINT> p = gdiPoints(points, count);
    if (gdi_->dc != 0)
        Polygon(gdi_->dc, p.data(), static_cast<INT>(p.size()));
}

void EmfSurface::recordBezier(const render::Point* points, std::size_t count)
{
    const std::vector<POINT> p = gdiPoints(points, count);
    if (gdi_->dc != 0)
        PolyBezier(gdi_->dc, p.data(), static_cast<DWORD>(p.size()));
}

void EmfSurface::recordRectangle(const render::Rect& r)
{
    if (gdi_->dc != 0)
        Rectangle(gdi_->dc, r.left, r.top, r.right, r.bottom);
}

void EmfSurface::recordRoundRect(const render::Rect& r, int cornerWidth, int cornerHeight)
{
    // The outline runs through the pixels a rectangle's pen covers: left ... right - 1.
    const std::vector<render::Point> outline =
        render::roundedRectOutline({r.left, r.top, r.right - 1, r.bottom - 1}, cornerWidth, cornerHeight, kCornerSteps);
    recordPolygon(outline.data(), outline.size());
}

void EmfSurface::recordText(int x, int y, std::string_view text)
{
    std::vector<WCHAR> wide;
    for (char32_t cp : model::codePoints(text)) {
        if (cp >= 0x10000) { // a pair of surrogates
            wide.push_back(static_cast<WCHAR>(0xD800 + ((cp - 0x10000) >> 10)));
            wide.push_back(static_cast<WCHAR>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<WCHAR>(cp));
        }
    }
    if (gdi_->dc != 0 && !wide.empty())
        TextOutW(gdi_->dc, x, y, wide.data(), static_cast<INT>(wide.size()));
}

} // namespace sigmora::io
