#pragma once

#include <array>
#include <string>

namespace sigmora::edit {

// Ten snapshot slots used as a ring. The slot index s is the slot of the current state (-1 before
// the first snapshot), the depth d counts the states that can be stepped back through, the
// current one included (at most 9, so the oldest reachable state is never the slot being
// overwritten), the redo limit r is the depth when an undo series began, and the redo flag f
// says that an undone state can be returned to.
class UndoRing {
public:
    static constexpr int kSlots = 10;
    static constexpr int kMaxDepth = 9;

    // Advances to the next slot for a new snapshot (ending any redo) and answers that slot's
    // buffer, to be overwritten from the start. Buffers keep their capacity once grown.
    std::string& nextSnapshot();
    // Steps back one state and answers the slot to restore.
    const std::string& undo();
    // Steps forward one state and answers the slot to restore.
    const std::string& redo();

    bool canUndo() const { return depth_ > 1; }
    bool canRedo() const { return redoAvailable_; }

    // New and Open: no state is reachable any more (the slot contents stay).
    void reset();

    int slot() const { return slot_; }
    int depth() const { return depth_; }
    int redoLimit() const { return redoLimit_; }

private:
    const std::string& restoredSlot();

    std::array<std::string, kSlots> slots_;
    int slot_ = -1;
    int depth_ = 0;
    int redoLimit_ = 0;
    bool redoAvailable_ = false;
};

} // namespace sigmora::edit
