#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sigmora::io {

// One piece of a packed byte string: its bytes compressed with zlib (deflate), and their size.
struct PackedPiece {
    std::string compressed;
    std::uint32_t size = 0;
    bool stored = false; // the bytes as they are, when deflate could not take them
};

// A byte string kept compressed, in pieces cut where the content says (a short rolling hash of the
// bytes before each position), so that inserting or removing a few bytes moves only the cuts
// around them. Pieces are shared, never copied: two states of a diagram that differ in one row
// share every other piece.
class PackedBytes {
public:
    // Cuts bytes into pieces and compresses them. Pieces whose bytes equal a piece of reference
    // (of which referenceBytes are the unpacked bytes) are shared with it, not compressed again.
    static PackedBytes pack(std::string_view bytes, const PackedBytes& reference, std::string_view referenceBytes);
    static PackedBytes pack(std::string_view bytes);

    // Writes the bytes back into out (replacing what it held, keeping its capacity). False when a
    // piece does not inflate to its size, which would be a fault of the packing itself.
    bool unpack(std::string& out) const;

    std::size_t size() const { return size_; }
    const std::vector<std::shared_ptr<const PackedPiece>>& pieces() const { return pieces_; }

private:
    std::vector<std::shared_ptr<const PackedPiece>> pieces_;
    std::size_t size_ = 0;
};

// Where the pieces of bytes are cut: the end offset of each piece, the last one bytes.size().
std::vector<std::size_t> pieceEnds(std::string_view bytes);

} // namespace sigmora::io
