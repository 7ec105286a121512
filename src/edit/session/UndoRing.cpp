#include "edit/session/UndoRing.h"

#include <unordered_set>
#include <utility>

namespace sigmora::edit {

UndoRing::UndoRing() : slots_(kSlots) {}

void UndoRing::keepIncoming()
{
    ++slot_;
    if (slot_ >= kSlots)
        slot_ = 0;
    redoAvailable_ = false;
    ++depth_;
    if (depth_ > kMaxDepth)
        depth_ = kMaxDepth;
    io::PackedBytes& slot = slots_[static_cast<std::size_t>(slot_)];
    slot = io::PackedBytes::pack(incoming_, currentPacked_, current_);
    currentPacked_ = slot;
    std::swap(current_, incoming_);
}

const std::string& UndoRing::undo()
{
    if (!redoAvailable_)
        redoLimit_ = depth_;
    --slot_;
    redoAvailable_ = true;
    --depth_;
    return restoredSlot();
}

const std::string& UndoRing::redo()
{
    ++slot_;
    ++depth_;
    if (depth_ == redoLimit_)
        redoAvailable_ = false;
    if (depth_ > kMaxDepth)
        depth_ = kMaxDepth;
    return restoredSlot();
}

const std::string& UndoRing::restoredSlot()
{
    if (slot_ < 0)
        slot_ = kSlots - 1;
    if (slot_ >= kSlots)
        slot_ = 0;
    const io::PackedBytes& slot = slots_[static_cast<std::size_t>(slot_)];
    // A slot that cannot be unpacked (never the case for a slot this ring packed) gives no bytes,
    // which the restore refuses, rather than a mixture of two states.
    if (!slot.unpack(current_))
        current_.clear();
    currentPacked_ = slot;
    return current_;
}

void UndoRing::reset()
{
    slot_ = -1;
    depth_ = 0;
    redoLimit_ = 0;
    redoAvailable_ = false;
}

std::size_t UndoRing::heldBytes() const
{
    // A piece is allocated together with its shared count: two counters and a table pointer.
    constexpr std::size_t kSharedCount = 2 * sizeof(int) + sizeof(void*);
    std::unordered_set<const io::PackedPiece*> counted;
    std::size_t held = current_.capacity() + incoming_.capacity();
    for (const io::PackedBytes& slot : slots_) {
        held += slot.pieces().capacity() * sizeof(std::shared_ptr<const io::PackedPiece>);
        for (const auto& piece : slot.pieces())
            if (counted.insert(piece.get()).second)
                held += kSharedCount + sizeof(io::PackedPiece) + piece->compressed.capacity();
    }
    return held;
}

} // namespace sigmora::edit
