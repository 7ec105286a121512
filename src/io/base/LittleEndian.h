#pragma once

#include <cstdint>
#include <string>

namespace sigmora::io {

// Appends 16- and 32-bit values in little-endian byte order, as the Windows picture files
// (bitmap, metafile) hold them.
inline void put16(std::string& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace sigmora::io
