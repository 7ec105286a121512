#include "io/native/ArchiveReader.h"

#include <bit>
#include <cstring>

namespace sigmora::io {

namespace {
constexpr std::uint8_t kLongerLength = 255;
constexpr std::uint16_t kLongestLength = 65535;
constexpr unsigned char kFirstPrintable = 0x20;
} // namespace

bool isText(std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < kFirstPrintable && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

void ArchiveReader::fail(std::string problem)
{
    if (failed_)
        return;
    failed_ = true;
    problem_ = std::move(problem);
}

bool ArchiveReader::take(std::size_t count, const char* what)
{
    if (failed_)
        return false;
    if (count > remaining()) {
        fail(std::string("the data ends inside ") + what);
        return false;
    }
    return true;
}

std::uint8_t ArchiveReader::u8()
{
    if (!take(1, "a length"))
        return 0;
    return static_cast<std::uint8_t>(bytes_[at_++]);
}

std::uint16_t ArchiveReader::u16()
{
    const std::uint16_t low = u8();
    const std::uint16_t high = u8();
    return static_cast<std::uint16_t>(low | (high << 8));
}

std::uint32_t ArchiveReader::u32()
{
    if (!take(4, "a number"))
        return 0;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes_[at_ + static_cast<std::size_t>(i)]);
    at_ += 4;
    return value;
}

std::int32_t ArchiveReader::readInt()
{
    return static_cast<std::int32_t>(u32());
}

float ArchiveReader::readFloat()
{
    return std::bit_cast<float>(u32());
}

std::string ArchiveReader::readString()
{
    std::uint32_t length = u8();
    if (length == kLongerLength) {
        length = u16();
        if (length == kLongestLength)
            length = u32();
    }
    if (!take(length, "a text"))
        return {};
    std::string text(bytes_.substr(at_, length));
    at_ += length;
    if (!isText(text)) {
        fail("a text holds bytes that are not text");
        return {};
    }
    return text;
}

void ArchiveReader::readList(model::RecordList& list, int maxCount)
{
    const std::int32_t count = readInt();
    if (failed_)
        return;
    // Every record takes at least its one length byte.
    if (count < 0 || count > maxCount || static_cast<std::size_t>(count) > remaining()) {
        fail("a list count is out of range");
        return;
    }
    for (std::int32_t i = 0; i < count && !failed_; ++i)
        list.append(readString());
}

void ArchiveReader::readGridBlock(model::CellGrid& grid, int rows)
{
    if (rows <= 0 || failed_)
        return;
    if (rows > model::kMaxRows) {
        fail("a grid holds more rows than a diagram can");
        return;
    }
    const std::size_t count = static_cast<std::size_t>(rows) * model::kMaxCells;
    if (!take(count * 4, "a grid"))
        return;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(grid.row(0), bytes_.data() + at_, count * 4);
        at_ += count * 4;
    } else {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < model::kMaxCells; ++c)
                grid.set(r, c, readInt());
    }
}

} // namespace sigmora::io
