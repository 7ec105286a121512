#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/CellGrid.h"
#include "model/RecordList.h"

namespace sigmora::io {

// Reads the items ArchiveWriter writes, never past the end of the bytes. The first problem (the
// data ends early, a count or length is absurd, a string holds bytes that are not text) stops
// the reading: every later read answers 0 or empty, and failed() and problem() tell what happened.
// Nothing is allocated beyond what the remaining bytes can hold.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    std::int32_t readInt();
    float readFloat();
    std::string readString();
    // A count and that many strings appended to list. A count above maxCount is a problem.
    void readList(model::RecordList& list, int maxCount);
    // rows x 600 integers into rows 0 to rows - 1 of the grid (rows at most 256).
    void readGridBlock(model::CellGrid& grid, int rows);

    bool failed() const { return failed_; }
    const std::string& problem() const { return problem_; }
    std::size_t remaining() const { return bytes_.size() - at_; }
    // The bytes not read yet.
    std::string_view rest() const { return bytes_.substr(at_); }

    // Marks the data as damaged (the first problem is kept).
    void fail(std::string problem);

private:
    bool take(std::size_t count, const char* what);
    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();

    std::string_view bytes_;
    std::size_t at_ = 0;
    bool failed_ = false;
    std::string problem_;
};

// True when every byte can stand in a record or a setting's text: no control characters other
// than tab, line feed and carriage return.
bool isText(std::string_view text);

} // namespace sigmora::io
