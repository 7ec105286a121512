#include "io/pictures/WmfSurface.h"

#include <algorithm>

#include "io/base/LittleEndian.h"
#include "model/Utf8Text.h"
#include "render/ShapeOutline.h"

namespace sigmora::io {

namespace {

// Record function numbers.
constexpr std::uint16_t kEof = 0x0000;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kCreatePenIndirect = 0x02FA;
constexpr std::uint16_t kCreateBrushIndirect = 0x02FC;
constexpr std::uint16_t kCreateFontIndirect = 0x02FB;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kRoundRect = 0x061C;
constexpr std::uint16_t kTextOut = 0x0521;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t kUnitsPerInch = 96;
constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint16_t kHeaderWords = 9;
constexpr std::uint16_t kVersion = 0x0300;
constexpr std::uint16_t kTransparent = 1;
constexpr std::size_t kRecordHeaderWords = 3;
constexpr std::size_t kMaxPolyPoints = 8000; // a record's point count stays far inside 16 bits
constexpr int kBezierSteps = 16;
constexpr std::uint16_t kBoldWeight = 700;
constexpr std::uint16_t kNormalWeight = 400;
constexpr std::size_t kFaceNameBytes = 32;
constexpr char kUnmappable = '?';

std::uint16_t coordinate(int v)
{
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767)));
}

std::uint16_t penStyle(render::PenStyle style)
{
    switch (style) {
    case render::PenStyle::Solid: return 0;
    case render::PenStyle::Dotted: return 2;
    case render::PenStyle::Null: return 5;
    }
    return 0;
}

// Brush style and hatch of a brush.
std::pair<std::uint16_t, std::uint16_t> brushStyle(render::BrushStyle style)
{
    using render::BrushStyle;
    constexpr std::uint16_t kSolid = 0, kNull = 1, kHatched = 2;
    switch (style) {
    case BrushStyle::Solid: return {kSolid, 0};
    case BrushStyle::Null: return {kNull, 0};
    case BrushStyle::HatchHorizontal: return {kHatched, 0};
    case BrushStyle::HatchVertical: return {kHatched, 1};
    case BrushStyle::HatchForwardDiagonal: return {kHatched, 2};
    case BrushStyle::HatchBackwardDiagonal: return {kHatched, 3};
    case BrushStyle::HatchCross: return {kHatched, 4};
    case BrushStyle::HatchDiagonalCross: return {kHatched, 5};
    }
    return {kSolid, 0};
}

void putColour(std::vector<std::uint16_t>& words, model::Colour c)
{
    words.push_back(static_cast<std::uint16_t>(c & 0xFFFF));
    words.push_back(static_cast<std::uint16_t>((c >> 16) & 0xFF));
}

// Bytes packed two to a word, low byte first, padded with a zero.
void putBytes(std::vector<std::uint16_t>& words, const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
        words.push_back(static_cast<std::uint16_t>(low | (high << 8)));
    }
}

std::string latin1(std::string_view text)
{
    std::string out;
    for (char32_t cp : model::codePoints(text))
        out += cp <= 0xFF ? static_cast<char>(cp) : kUnmappable;
    return out;
}

} // namespace

WmfSurface::WmfSurface(const model::TextMeasurer& measurer, render::Size extent)
    : GdiRecordSurface(measurer, extent), extent_(extent)
{
    record(kSetWindowOrg, {0, 0});
    record(kSetWindowExt, {coordinate(extent.height), coordinate(extent.width)});
    record(kSetBkMode, {kTransparent, 0});
}

void WmfSurface::record(std::uint16_t function, const std::vector<std::uint16_t>& words)
{
    const std::size_t size = kRecordHeaderWords + words.size();
    put32(records_, static_cast<std::uint32_t>(size));
    put16(records_, function);
    for (std::uint16_t w : words)
        put16(records_, w);
    largestRecordWords_ = std::max(largestRecordWords_, size);
}

void WmfSurface::replaceObject(int& held, std::uint16_t createFunction, const std::vector<std::uint16_t>& words)
{
    const auto freeSlot = std::find(slots_.begin(), slots_.end(), false);
    const int slot = static_cast<int>(freeSlot - slots_.begin());
    if (freeSlot == slots_.end())
        slots_.push_back(true);
    else
        *freeSlot = true;
    record(createFunction, words);
    record(kSelectObject, {static_cast<std::uint16_t>(slot)});
    if (held >= 0) {
        record(kDeleteObject, {static_cast<std::uint16_t>(held)});
        slots_[static_cast<std::size_t>(held)] = false;
    }
    held = slot;
}

void WmfSurface::selectPen(const render::Pen& pen)
{
    std::vector<std::uint16_t> words{penStyle(pen.style), static_cast<std::uint16_t>(std::max(1, pen.width)), 0};
    putColour(words, pen.colour);
    replaceObject(pen_, kCreatePenIndirect, words);
}

void WmfSurface::selectBrush(const render::Brush& brush)
{
    const auto [style, hatch] = brushStyle(brush.style);
    std::vector<std::uint16_t> words{style};
    putColour(words, brush.colour);
    words.push_back(hatch);
    replaceObject(brush_, kCreateBrushIndirect, words);
}

void WmfSurface::selectFont(const model::FontSpec& font)
{
    std::vector<std::uint16_t> words{coordinate(-std::max(1, font.pixelSize)), 0, 0, 0,
                                     font.bold ? kBoldWeight : kNormalWeight};
    words.push_back(static_cast<std::uint16_t>((font.italic ? 1 : 0) | (font.underline ? 1 : 0) << 8));
    words.push_back(0); // strike-out, Latin-1 character set
    words.push_back(0); // precisions
    words.push_back(0); // quality, pitch and family
    std::string face = font.face.substr(0, kFaceNameBytes - 1);
    face.resize(kFaceNameBytes, '\0');
    putBytes(words, face);
    replaceObject(font_, kCreateFontIndirect, words);
}

void WmfSurface::selectTextColour(model::Colour colour)
{
    std::vector<std::uint16_t> words;
    putColour(words, colour);
    record(kSetTextColor, words);
}

void WmfSurface::recordPolyline(const render::Point* p, std::size_t count)
{
    // Long chains go in pieces that share their end points.
    for (std::size_t first = 0; first + 1 < count; first += kMaxPolyPoints - 1)
        points(kPolyline, p + first, std::min(kMaxPolyPoints, count - first));
}

void WmfSurface::points(std::uint16_t function, const render::Point* p, std::size_t count)
{
    count = std::min(count, kMaxPolyPoints); // a polygon longer than that is cut short
    std::vector<std::uint16_t> words{static_cast<std::uint16_t>(count)};
    for (std::size_t i = 0; i < count; ++i) {
        words.push_back(coordinate(p[i].x));
        words.push_back(coordinate(p[i].y));
    }
    record(function, words);
}

void WmfSurface::reselectPen()
{
    if (pen_ >= 0)
        record(kSelectObject, {static_cast<std::uint16_t>(pen_)});
}

void WmfSurface::recordPolygon(const render::Point* p, std::size_t count)
{
    points(kPolygon, p, count);
    reselectPen();
}

void WmfSurface::recordBezier(const render::Point* p, std::size_t count)
{
    const std::vector<render::Point> line = render::flattenedBezier(p, count, kBezierSteps);
    recordPolyline(line.data(), line.size());
}

void WmfSurface::recordRectangle(const render::Rect& r)
{
    record(kRectangle, {coordinate(r.bottom), coordinate(r.right), coordinate(r.top), coordinate(r.left)});
    reselectPen();
}

void WmfSurface::recordRoundRect(const render::Rect& r, int cornerWidth, int cornerHeight)
{
    record(kRoundRect, {coordinate(cornerHeight), coordinate(cornerWidth), coordinate(r.bottom), coordinate(r.right),
                        coordinate(r.top), coordinate(r.left)});
    reselectPen();
}

void WmfSurface::recordText(int x, int y, std::string_view text)
{
    const std::string bytes = latin1(text).substr(0, kMaxPolyPoints);
    std::vector<std::uint16_t> words{static_cast<std::uint16_t>(bytes.size())};
    putBytes(words, bytes);
    words.push_back(coordinate(y));
    words.push_back(coordinate(x));
    record(kTextOut, words);
}

std::string WmfSurface::finish()
{
    flushLines();
    record(kEof, {});
    std::string out;
    // The placeable header: key, no handle, the bounding box, units per inch, a reserved word
    // and the checksum of the ten words before it.
    put32(out, kPlaceableKey);
    put16(out, 0);
    for (int v : {0, 0, extent_.width, extent_.height})
        put16(out, coordinate(v));
    put16(out, kUnitsPerInch);
    put32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(out[i]) | static_cast<unsigned char>(out[i + 1]) << 8);
    put16(out, checksum);
    put16(out, kMemoryMetafile);
    put16(out, kHeaderWords);
    put16(out, kVersion);
    put32(out, static_cast<std::uint32_t>(kHeaderWords + records_.size() / 2));
    put16(out, static_cast<std::uint16_t>(slots_.size()));
    put32(out, static_cast<std::uint32_t>(largestRecordWords_));
    put16(out, 0);
    out += records_;
    records_.clear();
    return out;
}

} // namespace sigmora::io
