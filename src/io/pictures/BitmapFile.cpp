#include "io/pictures/BitmapFile.h"

#include "io/base/LittleEndian.h"

namespace sigmora::io {

namespace {

constexpr std::uint32_t kHeadersSize = 54;
constexpr std::uint32_t kInfoHeaderSize = 40;

} // namespace

int bitmapBitsPerPixel(int depth)
{
    return depth == 8 || depth == 16 || depth == 24 || depth == 32 ? depth : 32;
}

std::string bitmapFileBytes(int width, int height, int bits, const std::function<const std::uint8_t*(int)>& row)
{
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bits) / 8;
    std::string out;
    out.reserve(kHeadersSize + static_cast<size_t>(rowBytes) * static_cast<size_t>(height));
    out += "BM";
    put32(out, rowBytes * static_cast<std::uint32_t>(height) + kHeadersSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, kHeadersSize);
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    for (int i = 0; i < 6; ++i) // compression, image size, two resolutions, colours used and important
        put32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(row(y)), rowBytes);
    return out;
}

} // namespace sigmora::io
