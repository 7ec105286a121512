#include "edit/UndoRing.h"

namespace sigmora::edit {

std::string& UndoRing::nextSnapshot()
{
    ++slot_;
    if (slot_ >= kSlots)
        slot_ = 0;
    redoAvailable_ = false;
    ++depth_;
    if (depth_ > kMaxDepth)
        depth_ = kMaxDepth;
    std::string& buffer = slots_[static_cast<std::size_t>(slot_)];
    buffer.clear();
    return buffer;
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
    return slots_[static_cast<std::size_t>(slot_)];
}

void UndoRing::reset()
{
    slot_ = -1;
    depth_ = 0;
    redoLimit_ = 0;
    redoAvailable_ = false;
}

} // namespace sigmora::edit
