#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sigmora::io {

// A PNG file of a picture of 32-bit pixels (0xAARRGGBB words in the machine's byte order, alpha
// ignored: the picture is opaque). row(y) answers the width x 4 bytes of row y; it is called from
// several threads at once for a large picture, which is deflated in pieces side by side. A picture of at
// most 256 colours, as drawings are, is written with a palette of one byte a pixel, any other as
// 8-bit RGB (each byte less the same byte of the pixel to its left). A row equal to the one above
// is written as its difference from it (all zeros), and the whole is deflated as runs and
// literals (RunDeflate.h): larger than a full search would make it, several times faster. The
// pixels per metre are written as the picture's resolution.
std::string pngFileBytes(int width, int height, int dotsPerMeter, const std::function<const std::uint8_t*(int)>& row);

} // namespace sigmora::io
