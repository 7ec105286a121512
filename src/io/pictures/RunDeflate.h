#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sigmora::io {

// Deflates bytes (RFC 1951) the quick way pictures of lines and flat colours allow: a byte that
// repeats the one before it starts a run, written as copies of distance 1, every other byte as a
// literal, all in the fixed Huffman codes of one block. It packs such pictures several times
// less well than a full search would pack them, at a small part of its time; any inflater reads
// it. The bytes are added piece by piece; the stream ends as the final block of the data
// (finish(true)) or on a byte boundary with more blocks to follow (finish(false)), so that pieces
// made apart can be joined into one stream.
class RunDeflater {
public:
    RunDeflater();
    void add(const std::uint8_t* bytes, std::size_t size);
    void finish(bool final);
    // The stream once finished.
    std::string& bytes() { return out_; }

private:
    void put(std::uint32_t bits, int count)
    {
        pending_ |= static_cast<std::uint64_t>(bits) << pendingBits_;
        pendingBits_ += count;
        if (pendingBits_ >= 32) {
            char* to = out_.data() + used_;
            to[0] = static_cast<char>(pending_);
            to[1] = static_cast<char>(pending_ >> 8);
            to[2] = static_cast<char>(pending_ >> 16);
            to[3] = static_cast<char>(pending_ >> 24);
            used_ += 4;
            pending_ >>= 32;
            pendingBits_ -= 32;
        }
    }
    void literal(std::uint8_t byte);
    void endRun();
    // Room in out_ for what size more bytes in may write.
    void makeRoom(std::size_t size);

    std::string out_; // written up to used_, the rest room
    std::size_t used_ = 0;
    std::uint64_t pending_ = 0; // bits not yet written, the first in the lowest bit
    int pendingBits_ = 0;
    std::size_t run_ = 0; // copies of last_ owed to the stream
    std::uint8_t last_ = 0;
    bool started_ = false;
};

} // namespace sigmora::io
