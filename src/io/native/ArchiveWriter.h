#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/CellGrid.h"
#include "model/RecordList.h"

namespace sigmora::io {

// Appends the items of the native file layout to a byte buffer: little-endian 32-bit integers and
// floats, length-prefixed strings (one byte below 255; 255 and two bytes below 65534; else 255,
// 65535 and four bytes), lists (a count and its records) and grid blocks.
class ArchiveWriter {
public:
    // Writes at the end of out; out keeps its capacity between uses.
    explicit ArchiveWriter(std::string& out) : out_(out) {}

    void writeInt(std::int32_t value);
    void writeFloat(float value);
    void writeString(std::string_view text);
    void writeList(const model::RecordList& list);
    // Rows 0 to rows - 1 of the grid, each row cells 0 to 599.
    void writeGridBlock(const model::CellGrid& grid, int rows);
    // Bytes as they are, with no length in front.
    void writeBytes(std::string_view bytes) { out_.append(bytes); }

private:
    void writeU8(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);

    std::string& out_;
};

} // namespace sigmora::io
