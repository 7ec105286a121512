#include "io/PictureSize.h"

namespace sigmora::io {

namespace {
constexpr std::int64_t kLeftMargin = 8;
constexpr std::int64_t kRightMargin = 32;
constexpr std::int64_t kBottomMargin = 8 + 32;
constexpr std::int64_t kSideMultiple = 16;
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;

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
            roundedDown(count * rowPitch + s.topMargin + kBottomMargin)};
}

bool pictureSizeAllowed(const PictureSize& size)
{
    return size.width > 0 && size.height > 0 && size.width <= kMaxSide && size.height <= kMaxSide &&
           size.width * size.height <= kMaxPixels;
}

} // namespace sigmora::io
