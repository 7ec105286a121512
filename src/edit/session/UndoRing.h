#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

#include "io/base/PackedBytes.h"

namespace sigmora::edit {

// The states of the diagram Undo and Redo step through, kept compressed in slots used as a ring.
// The slot index s is the slot of the current state (-1 before the first state), the depth d
// counts the states that can be stepped back through, the current one included (one less than
// the slots, so the oldest reachable state is never the slot being overwritten), the redo limit r
// is the depth when an undo series began, and the redo flag f says that an undone state can be
// returned to.
//
// A state is stored in pieces (see io::PackedBytes); the pieces a state shares with the state
// before it are not compressed or stored again, so a change of one row costs the pieces around
// that row.
class UndoRing {
public:
    static constexpr int kUndoSteps = 100;
    static constexpr int kMaxDepth = kUndoSteps + 1;
    static constexpr int kSlots = kMaxDepth + 1;

    UndoRing();

    // Keeps the state write puts into the (emptied) buffer it is given as the newest state, in the
    // next slot, ending any redo.
    template <std::invocable<std::string&> Write>
    void push(Write&& write)
    {
        incoming_.clear();
        write(incoming_);
        keepIncoming();
    }
    void push(std::string_view state)
    {
        push([state](std::string& out) { out.assign(state); });
    }

    // Steps back one state and answers its bytes.
    const std::string& undo();
    // Steps forward one state and answers its bytes.
    const std::string& redo();

    bool canUndo() const { return depth_ > 1; }
    bool canRedo() const { return redoAvailable_; }

    // New and Open: no state is reachable any more (the slot contents stay until overwritten).
    void reset();

    int slot() const { return slot_; }
    int depth() const { return depth_; }
    int redoLimit() const { return redoLimit_; }

    // The memory the ring holds: every stored piece once, however many slots share it, and the
    // buffers of the current and the incoming state.
    std::size_t heldBytes() const;

private:
    void keepIncoming();
    const std::string& restoredSlot();

    std::vector<io::PackedBytes> slots_;
    int slot_ = -1;
    int depth_ = 0;
    int redoLimit_ = 0;
    bool redoAvailable_ = false;
    // The bytes of the state last stored or restored, and its pieces: new states share pieces
    // with it.
    std::string current_;
    io::PackedBytes currentPacked_;
    std::string incoming_;
};

} // namespace sigmora::edit
