#include "io/pictures/RunDeflate.h"

#include <array>
#include <cstring>

namespace sigmora::io {

namespace {

constexpr std::size_t kLongestCopy = 258;
constexpr std::size_t kShortestCopy = 3;
constexpr int kDistanceOneBits = 5; // the fixed code of distance 1 is five zero bits

struct Code {
    std::uint32_t bits = 0; // in the order they are written, the first in the lowest bit
    int count = 0;
};

std::uint32_t reversed(std::uint32_t code, int count)
{
    std::uint32_t out = 0;
    for (int i = 0; i < count; ++i)
        out |= ((code >> i) & 1u) << (count - 1 - i);
    return out;
}

// The fixed Huffman code of a literal or length symbol (RFC 1951, 3.2.6).
Code fixedCode(int symbol)
{
    if (symbol < 144)
        return {reversed(0x30u + static_cast<std::uint32_t>(symbol), 8), 8};
    if (symbol < 256)
        return {reversed(0x190u + static_cast<std::uint32_t>(symbol - 144), 9), 9};
    if (symbol < 280)
        return {reversed(static_cast<std::uint32_t>(symbol - 256), 7), 7};
    return {reversed(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8), 8};
}

struct Tables {
    std::array<Code, 256> literals;
    std::array<Code, kLongestCopy + 1> copies; // length symbol, its extra bits and distance 1
    Code endOfBlock;
    Tables()
    {
        for (int b = 0; b < 256; ++b)
            literals[static_cast<std::size_t>(b)] = fixedCode(b);
        endOfBlock = fixedCode(256);
        // Length symbols 257 on: their first lengths and extra bits.
        static constexpr int kBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                        31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static constexpr int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        for (int k = 0; k < 29; ++k) {
            const int last = k == 28 ? 258 : kBase[k + 1] - 1;
            for (int length = kBase[k]; length <= last && length <= 258; ++length) {
                const Code symbol = fixedCode(257 + k);
                const auto extra = static_cast<std::uint32_t>(length - kBase[k]);
                copies[static_cast<std::size_t>(length)] = {symbol.bits | extra << symbol.count,
                                                            symbol.count + kExtra[k] + kDistanceOneBits};
            }
        }
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

} // namespace

RunDeflater::RunDeflater()
{
    tables();
}

void RunDeflater::literal(std::uint8_t byte)
{
    const Code& c = tables().literals[byte];
    put(c.bits, c.count);
}

void RunDeflater::endRun()
{
    const Tables& t = tables();
    while (run_ >= kShortestCopy) {
        const std::size_t length = run_ > kLongestCopy ? kLongestCopy : run_;
        put(t.copies[length].bits, t.copies[length].count);
        run_ -= length;
    }
    for (; run_ > 0; --run_)
        literal(last_);
}

void RunDeflater::makeRoom(std::size_t size)
{
    // A literal takes at most 9 bits, a copy at most 18 bits; the end of a run owed and the
    // closing blocks a few bytes more.
    const std::size_t most = size + size / 8 + 64;
    if (out_.size() - used_ < most)
        out_.resize(used_ + most + out_.size() / 2);
}

void RunDeflater::add(const std::uint8_t* bytes, std::size_t size)
{
    if (size == 0)
        return;
    makeRoom(size + run_ / kShortestCopy);
    if (!started_) {
        put(0b010, 3); // not the final block (that is known at the end), fixed codes
        literal(bytes[0]);
        last_ = bytes[0];
        started_ = true;
        ++bytes;
        --size;
    }
    std::uint64_t repeated;
    for (std::size_t i = 0; i < size;) {
        if (bytes[i] != last_) {
            endRun();
            last_ = bytes[i];
            literal(last_);
            ++i;
            continue;
        }
        // A run: eight bytes at a time while they all repeat it.
        std::memset(&repeated, last_, sizeof repeated);
        std::size_t j = i + 1;
        for (std::uint64_t word; j + 8 <= size; j += 8) {
            std::memcpy(&word, bytes + j, 8);
            if (word != repeated)
                break;
        }
        while (j < size && bytes[j] == last_)
            ++j;
        run_ += j - i;
        i = j;
    }
}

void RunDeflater::finish(bool final)
{
    makeRoom(run_ / kShortestCopy);
    if (!started_) {
        put(0b010, 3);
        started_ = true;
    }
    endRun();
    put(tables().endOfBlock.bits, tables().endOfBlock.count);
    if (final) {
        // The block was begun as not final: a final empty block of fixed codes closes the stream.
        put(0b011, 3);
        put(tables().endOfBlock.bits, tables().endOfBlock.count);
    } else {
        put(0b000, 3); // an empty stored block brings the stream to a byte boundary
    }
    // Whole bytes of what is pending, the last one padded with zero bits.
    while (pendingBits_ > 0) {
        out_[used_++] = static_cast<char>(pending_);
        pending_ >>= 8;
        pendingBits_ = pendingBits_ > 8 ? pendingBits_ - 8 : 0;
    }
    out_.erase(used_);
    if (!final)
        out_.append("\x00\x00\xff\xff", 4);
}

} // namespace sigmora::io
