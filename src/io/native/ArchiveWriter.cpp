#include "io/native/ArchiveWriter.h"

#include <bit>
#include <cstring>

namespace sigmora::io {

namespace {
constexpr std::size_t kShortLengthLimit = 255;    // lengths below this take one byte
constexpr std::size_t kMediumLengthLimit = 65534; // lengths below this take 255 and two bytes
constexpr std::uint8_t kLongerLength = 255;
constexpr std::uint16_t kLongestLength = 65535;
} // namespace

void ArchiveWriter::writeU16(std::uint16_t value)
{
    writeU8(static_cast<std::uint8_t>(value & 0xff));
    writeU8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::writeU32(std::uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff),
                           static_cast<char>((value >> 16) & 0xff), static_cast<char>(value >> 24)};
    out_.append(bytes, 4);
}

void ArchiveWriter::writeInt(std::int32_t value)
{
    writeU32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeFloat(float value)
{
    writeU32(std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeString(std::string_view text)
{
    const std::size_t length = text.size();
    if (length < kShortLengthLimit) {
        writeU8(static_cast<std::uint8_t>(length));
    } else if (length < kMediumLengthLimit) {
        writeU8(kLongerLength);
        writeU16(static_cast<std::uint16_t>(length));
    } else {
        writeU8(kLongerLength);
        writeU16(kLongestLength);
        writeU32(static_cast<std::uint32_t>(length));
    }
    out_.append(text);
}

void ArchiveWriter::writeList(const model::RecordList& list)
{
    writeInt(list.count());
    for (const std::string& record : list.records())
        writeString(record);
}

void ArchiveWriter::writeGridBlock(const model::CellGrid& grid, int rows)
{
    if (rows <= 0)
        return;
    // Rows past the grid (a diagram can never hold them) are written as zeros, so the block
    // always matches the signal count.
    const int stored = rows < model::kMaxRows ? rows : model::kMaxRows;
    const std::size_t count = static_cast<std::size_t>(stored) * model::kMaxCells;
    if constexpr (std::endian::native == std::endian::little) {
        // Rows are stored one after another, so the block is one run of memory.
        const std::size_t at = out_.size();
        out_.resize(at + count * 4);
        std::memcpy(out_.data() + at, grid.row(0), count * 4);
    } else {
        for (int r = 0; r < stored; ++r)
            for (int c = 0; c < model::kMaxCells; ++c)
                writeInt(grid.get(r, c));
    }
    out_.append(static_cast<std::size_t>(rows - stored) * model::kMaxCells * 4, '\0');
}

} // namespace sigmora::io
