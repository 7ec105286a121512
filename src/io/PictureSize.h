#pragma once

#include <cstdint>

#include "model/Diagram.h"

namespace sigmora::io {

struct PictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The size of a picture of the whole diagram, as the bitmap export makes it: width
// 8 + nameColumnWidth + nameMargin + waveformWidth + 32, height count x rowPitch + topMargin + 8 +
// 32, each rounded down to a multiple of 16.
PictureSize wholeDiagramPictureSize(const model::Diagram& diagram);

// Whether a picture of that size can be drawn: both sides positive, at most 32767 pixels, and no
// more than 2^27 pixels in all (512 MB of 32-bit pixels).
bool pictureSizeAllowed(const PictureSize& size);

} // namespace sigmora::io
