#include "io/pictures/PictureSize.h"

#include "render/ParameterTable.h"

namespace sigmora::io {

namespace {
constexpr std::int64_t kLeftMargin = 8;
constexpr std::int64_t kRightMargin = 32;
constexpr std::int64_t kBottomMargin = 8 + 32;
constexpr std::int64_t kSideMultiple = 16;
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;
constexpr std::int64_t kShadow = 8;
constexpr std::int64_t kClipboardExtraHeight = 10;
constexpr std::int64_t kHundredthsPerMillimetre = 100;

std::int64_t roundedDown(std::int64_t side)
{
    return side - ((side % kSideMultiple) + kSideMultiple) % kSideMultiple;
}
} // namespace

PictureSize wholeDiagramPictureSize(const model::Diagram& diagram)
{
    const model::DiagramSettings& s = diagram.settings;
    const std::int64_t count = diagram.store.signalCount();
    const std::int64_t rowPitch = std::int64_t{s.signalSpacing} + 2 * std::int64_t{s.signalHeight};
    return {roundedDown(kLeftMargin + std::int64_t{s.nameColumnWidth} + s.nameMargin + s.waveformWidth + kRightMargin),
            roundedDown(count * rowPitch + s.topMargin + kBottomMargin + render::parameterTableHeight(diagram))};
}

PictureSize metafileExtent(const model::Diagram& diagram, bool forClipboard)
{
    const model::DiagramSettings& s = diagram.settings;
    const std::int64_t count = diagram.store.signalCount();
    const std::int64_t rowPitch = std::int64_t{s.signalSpacing} + 2 * std::int64_t{s.signalHeight};
    return {std::int64_t{s.nameMargin} + s.nameColumnWidth + s.waveformWidth + kShadow,
            std::int64_t{s.topMargin} + count * rowPitch + kShadow + (forClipboard ? kClipboardExtraHeight : 0) +
                render::parameterTableHeight(diagram)};
}

std::int64_t hundredthsOfMillimetre(std::int64_t pixels, int sizeMm, int resolution)
{
    if (resolution <= 0)
        return 0;
    const std::int64_t scaled = pixels * sizeMm * kHundredthsPerMillimetre;
    const std::int64_t half = resolution / 2;
    return scaled >= 0 ? (scaled + half) / resolution : -((-scaled + half) / resolution);
}

bool pictureSizeAllowed(const PictureSize& size)
{
    return size.width > 0 && size.height > 0 && size.width <= kMaxSide && size.height <= kMaxSide &&
           size.width * size.height <= kMaxPixels;
}

bool vectorPictureSizeAllowed(const PictureSize& size)
{
    return size.width > 0 && size.height > 0 && size.width <= kMaxSide && size.height <= kMaxSide;
}

} // namespace sigmora::io
