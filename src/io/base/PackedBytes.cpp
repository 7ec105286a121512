#include "io/base/PackedBytes.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace sigmora::io {

namespace {

// Pieces are at least 2 KiB and at most 64 KiB long, about 8 KiB on varied bytes: small enough
// that a change of one row recompresses little, large enough to compress well.
constexpr std::size_t kMinPiece = 2 * 1024;
constexpr std::size_t kMaxPiece = 64 * 1024;
constexpr int kCutBits = 13;
// The rolling hash sees the last 64 bytes (one bit of shift per byte).
constexpr std::size_t kHashSpan = 64;
static_assert(kMinPiece > kHashSpan);

// The fastest deflate level: pieces are packed after every change, and the bytes of a diagram
// (repeated record fields, grids of small integers) compress well even so.
constexpr int kLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 8;

constexpr std::array<std::uint64_t, 256> makeGearTable()
{
    // splitmix64: well-spread random values, fixed so that cuts are the same on every run.
    std::array<std::uint64_t, 256> table{};
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    for (std::uint64_t& value : table) {
        x += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = x;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        value = z ^ (z >> 31);
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> kGear = makeGearTable();

std::size_t nextCut(const unsigned char* bytes, std::size_t start, std::size_t size)
{
    const std::size_t end = std::min(size, start + kMaxPiece);
    if (end - start <= kMinPiece)
        return end;
    std::uint64_t hash = 0;
    std::size_t i = start + kMinPiece - kHashSpan;
    for (; i < start + kMinPiece; ++i)
        hash = (hash << 1) + kGear[bytes[i]];
    for (; i < end; ++i) {
        hash = (hash << 1) + kGear[bytes[i]];
        if ((hash >> (64 - kCutBits)) == 0)
            return i + 1;
    }
    return end;
}

std::uint64_t word(std::string_view bytes, std::size_t at)
{
    std::uint64_t value = 0;
    std::memcpy(&value, bytes.data() + at, std::min<std::size_t>(sizeof value, bytes.size() - at));
    return value;
}

// A quick key of a piece's bytes; equal keys are confirmed by comparing the bytes.
std::uint64_t pieceKey(std::string_view piece)
{
    std::uint64_t key = piece.size();
    for (std::size_t at : {std::size_t{0}, piece.size() / 2, piece.size() > 8 ? piece.size() - 8 : 0})
        key = (key ^ word(piece, at)) * 0x100000001B3ull;
    return key;
}

// The pieces of the reference, found by their bytes.
class PieceIndex {
public:
    PieceIndex(const std::vector<std::shared_ptr<const PackedPiece>>& pieces, std::string_view bytes)
        : pieces_(pieces), bytes_(bytes)
    {
        std::size_t at = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const std::size_t size = pieces[i]->size;
            entries_.push_back({pieceKey(bytes.substr(at, size)), at, i});
            at += size;
        }
        std::sort(entries_.begin(), entries_.end());
    }

    std::shared_ptr<const PackedPiece> find(std::string_view piece) const
    {
        const Entry probe{pieceKey(piece), 0, 0};
        for (auto it = std::lower_bound(entries_.begin(), entries_.end(), probe);
             it != entries_.end() && it->key == probe.key; ++it) {
            const std::shared_ptr<const PackedPiece>& candidate = pieces_[it->index];
            if (candidate->size == piece.size() && bytes_.compare(it->offset, piece.size(), piece) == 0)
                return candidate;
        }
        return nullptr;
    }

private:
    struct Entry {
        std::uint64_t key;
        std::size_t offset;
        std::size_t index;
        bool operator<(const Entry& other) const { return key < other.key; }
    };
    const std::vector<std::shared_ptr<const PackedPiece>>& pieces_;
    std::string_view bytes_;
    std::vector<Entry> entries_;
};

// One deflate stream, reset for every piece.
class Deflater {
public:
    Deflater() { ok_ = deflateInit2(&stream_, kLevel, Z_DEFLATED, kWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Deflater()
    {
        if (ok_)
            deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    std::shared_ptr<const PackedPiece> compress(std::string_view piece)
    {
        auto packed = std::make_shared<PackedPiece>();
        packed->size = static_cast<std::uint32_t>(piece.size());
        out_.resize(deflateBound(&stream_, static_cast<uLong>(piece.size())));
        if (ok_ && deflateReset(&stream_) == Z_OK) {
            stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
            stream_.avail_in = static_cast<uInt>(piece.size());
            stream_.next_out = reinterpret_cast<Bytef*>(out_.data());
            stream_.avail_out = static_cast<uInt>(out_.size());
            if (deflate(&stream_, Z_FINISH) == Z_STREAM_END) {
                packed->compressed.assign(out_.data(), stream_.total_out);
                return packed;
            }
        }
        // Deflate cannot fail with the room deflateBound gives; should it, the bytes are kept as
        // they are.
        packed->compressed.assign(piece);
        packed->stored = true;
        return packed;
    }

private:
    z_stream stream_{};
    bool ok_ = false;
    std::string out_;
};

// How many bytes two byte strings share at their start and at their end (each counted on its own,
// so the two may overlap). Compared a block at a time with memcmp, then byte by byte in the block
// that differs.
struct SharedEnds {
    std::size_t prefix = 0;
    std::size_t suffix = 0;
};

SharedEnds sharedEnds(std::string_view a, std::string_view b)
{
    constexpr std::size_t kBlock = 4096;
    const std::size_t most = std::min(a.size(), b.size());
    SharedEnds shared;
    while (shared.prefix < most) {
        const std::size_t n = std::min(kBlock, most - shared.prefix);
        if (std::memcmp(a.data() + shared.prefix, b.data() + shared.prefix, n) != 0)
            break;
        shared.prefix += n;
    }
    while (shared.prefix < most && a[shared.prefix] == b[shared.prefix])
        ++shared.prefix;
    while (shared.suffix < most) {
        const std::size_t n = std::min(kBlock, most - shared.suffix);
        if (std::memcmp(a.data() + a.size() - shared.suffix - n, b.data() + b.size() - shared.suffix - n, n) != 0)
            break;
        shared.suffix += n;
    }
    while (shared.suffix < most && a[a.size() - shared.suffix - 1] == b[b.size() - shared.suffix - 1])
        ++shared.suffix;
    return shared;
}

bool inflatePiece(z_stream& stream, const PackedPiece& piece, char* out)
{
    if (piece.stored) {
        std::memcpy(out, piece.compressed.data(), piece.size);
        return true;
    }
    if (inflateReset(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.compressed.data()));
    stream.avail_in = static_cast<uInt>(piece.compressed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out);
    stream.avail_out = piece.size;
    return inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.total_out == piece.size;
}

} // namespace

std::vector<std::size_t> pieceEnds(std::string_view bytes)
{
    std::vector<std::size_t> ends;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t start = 0; start < bytes.size();) {
        start = nextCut(data, start, bytes.size());
        ends.push_back(start);
    }
    return ends;
}

PackedBytes PackedBytes::pack(std::string_view bytes, const PackedBytes& reference, std::string_view referenceBytes)
{
    PackedBytes packed;
    packed.size_ = bytes.size();
    static const std::vector<std::shared_ptr<const PackedPiece>> kNoPieces;
    const bool haveReference = !reference.pieces_.empty() && referenceBytes.size() == reference.size_;
    const std::vector<std::shared_ptr<const PackedPiece>>& referencePieces = haveReference ? reference.pieces_ : kNoPieces;
    const SharedEnds shared = haveReference ? sharedEnds(bytes, referenceBytes) : SharedEnds{};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());

    // The reference's pieces lying wholly in the bytes both share at their start are the pieces
    // these bytes would be cut into: taken as they are, without cutting or comparing them again.
    // A piece that ends where the reference ends was cut by that end, not by its content, and is
    // taken only when these bytes end there too.
    std::size_t start = 0;
    std::size_t next = 0; // the first reference piece not taken
    for (; next < referencePieces.size(); ++next) {
        const std::size_t end = start + referencePieces[next]->size;
        if (end > shared.prefix || (end == referenceBytes.size() && end != bytes.size()))
            break;
        packed.pieces_.push_back(referencePieces[next]);
        start = end;
    }

    const PieceIndex index(referencePieces, haveReference ? referenceBytes : "");
    Deflater deflater;
    // Where the reference's pieces from `next` on start, to find where the cuts fall in step again.
    std::vector<std::size_t> referenceStarts;
    for (std::size_t i = next, at = start; i < referencePieces.size(); at += referencePieces[i++]->size)
        referenceStarts.push_back(at);

    while (start < bytes.size()) {
        // From a cut inside the bytes both share at their end, the cuts of these bytes and of the
        // reference go on alike (the same bytes up to the same distance from the end): when the
        // reference has a cut at the same distance from its end, its remaining pieces are these
        // bytes' remaining pieces.
        if (bytes.size() - start <= shared.suffix) {
            const std::size_t referenceStart = start + referenceBytes.size() - bytes.size();
            const auto found = std::lower_bound(referenceStarts.begin(), referenceStarts.end(), referenceStart);
            if (found != referenceStarts.end() && *found == referenceStart) {
                const auto first = referencePieces.begin() + static_cast<std::ptrdiff_t>(next) +
                                   (found - referenceStarts.begin());
                packed.pieces_.insert(packed.pieces_.end(), first, referencePieces.end());
                break;
            }
        }
        const std::size_t end = nextCut(data, start, bytes.size());
        const std::string_view piece = bytes.substr(start, end - start);
        std::shared_ptr<const PackedPiece> found = index.find(piece);
        packed.pieces_.push_back(found ? std::move(found) : deflater.compress(piece));
        start = end;
    }
    return packed;
}

PackedBytes PackedBytes::pack(std::string_view bytes)
{
    return pack(bytes, PackedBytes(), {});
}

bool PackedBytes::unpack(std::string& out) const
{
    out.resize(size_);
    z_stream stream{};
    if (inflateInit2(&stream, kWindowBits) != Z_OK)
        return false;
    bool ok = true;
    std::size_t at = 0;
    for (const auto& piece : pieces_) {
        if (at + piece->size > size_ || !inflatePiece(stream, *piece, out.data() + at)) {
            ok = false;
            break;
        }
        at += piece->size;
    }
    inflateEnd(&stream);
    return ok && at == size_;
}

} // namespace sigmora::io
