#pragma once

#include <cstdint>
#include <functional>
#include <string>


namespace sigmora::io {

// The bytes per pixel written for a surface depth: 8, 16, 24 and 32 bits as they are, any other
// depth as 32.
int bitmapBitsPerPixel(int surfaceDepth);

// A bitmap file: the 14-byte file header, the 40-byte information header without a colour
// table, then the rows from the bottom one up. row(y) answers the width x bits / 8 bytes of image
// row y in the surface's own pixel layout.
std::string bitmapFileBytes(int width, int height, int bitsPerPixel, const std::function<const std::uint8_t*(int)>& row);

} // namespace sigmora::io
