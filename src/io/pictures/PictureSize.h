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
// Whether a vector picture (PDF page, metafile) of that size can be made: both sides positive and
// at most 32767 units, what a Windows metafile's coordinates hold.
bool vectorPictureSizeAllowed(const PictureSize& size);

// The extent of a metafile picture of the whole diagram, from the origin: nameMargin +
// nameColumnWidth + waveformWidth + 8 wide, topMargin + count x rowPitch + 8 high, and 10 pixels
// higher for the clipboard's picture (room for the logo).
PictureSize metafileExtent(const model::Diagram& diagram, bool forClipboard);

// A length in view pixels in hundredths of a millimetre, on a display sizeMm millimetres wide
// with resolution pixels, rounded to nearest (the unit of a metafile's frame).
std::int64_t hundredthsOfMillimetre(std::int64_t pixels, int sizeMm, int resolution);

} // namespace sigmora::io
