#pragma once

#include <cctype>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/base/DiagramBuilder.h"
#include "io/dump/BusNumbers.h"
#include "io/dump/VcdReader.h"

namespace sigmora::io::sampling {

// How a dump's value changes become cells: every reader of a dump (the value change dump, FST)
// hands its changes to these, so that the same simulation gives the same diagram from any of them.

inline constexpr int kMaxColumns = 599; // the first character of a row is the level entering column 0
inline constexpr int kMaxRows = 256;
inline constexpr char kHatch = 'x';

inline std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Counts changes per code and the first and last time.
struct SurveyHandler {
    std::vector<long long> changes;
    long long first = -1, last = 0;
    bool time(long long t)
    {
        if (first < 0)
            first = t;
        last = t;
        return true;
    }
    void change(int id, std::string_view) { ++changes[static_cast<std::size_t>(id)]; }
};

// A value as many bits as the variable is wide, in lower case, extended on the left as the dump
// format says (by 0 under a leading 1, else by the leading bit).
inline std::string normalised(std::string_view value, int width)
{
    std::string bits = lower(value);
    for (char& c : bits)
        c = c == 'h' ? '1' : c == 'l' ? '0' : (c == '0' || c == '1' || c == 'z') ? c : 'x'; // weak levels count
    if (bits.empty())
        bits = "x";
    const std::size_t w = static_cast<std::size_t>(width);
    if (bits.size() > w)
        return bits.substr(bits.size() - w);
    const char pad = bits.front() == '1' ? '0' : bits.front();
    return std::string(w - bits.size(), pad) + bits;
}

// The level of a 1-bit value: its last bit, as normalised() makes it.
inline char levelOf(std::string_view value)
{
    if (value.empty())
        return 'x';
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(value.back())));
    return c == 'h' ? '1' : c == 'l' ? '0' : (c == '0' || c == '1' || c == 'z') ? c : 'x';
}

// One row of the diagram as it is filled cell by cell.
struct RowState {
    int slot = 0;
    int width = 1;
    ImportedRow row;
    std::string lastValue;
    bool lastWasBus = false;
    char phase = '3';

    void addCell(const std::string& v)
    {
        const int column = static_cast<int>(row.cells.size());
        char cell;
        bool hatch = false;
        if (width == 1) {
            cell = v[0] == 'z' ? '2' : v[0];
            hatch = v[0] == kHatch;
            if (hatch)
                cell = '2';
            lastWasBus = false;
        } else if (v.find_first_not_of('z') == std::string::npos) {
            cell = '2';
            lastWasBus = false;
        } else {
            if (!lastWasBus || v != lastValue) {
                phase = phase == '4' ? '3' : '4';
                row.values.emplace_back(column, busNumberText(v));
            }
            cell = phase;
            hatch = v.find_first_not_of('x') == std::string::npos;
            lastWasBus = true;
        }
        lastValue = v;
        row.cells += cell;
        row.hatched.push_back(hatch);
    }
};

// The latest value of every sampled variable as the dump wrote it, but no longer than the variable
// is wide (the bits further left never show), all in one block of bytes.
class SlotValues {
public:
    int add(int width)
    {
        offsets_.push_back(bytes_.size());
        widths_.push_back(static_cast<std::size_t>(width));
        lengths_.push_back(static_cast<std::size_t>(width));
        bytes_.insert(bytes_.end(), static_cast<std::size_t>(width), 'x');
        return static_cast<int>(offsets_.size()) - 1;
    }
    void set(int slot, std::string_view value)
    {
        const std::size_t k = static_cast<std::size_t>(slot);
        if (value.size() == 1) {
            bytes_[offsets_[k]] = value[0];
        } else {
            if (value.size() > widths_[k])
                value.remove_prefix(value.size() - widths_[k]);
            if (!value.empty())
                std::memcpy(bytes_.data() + offsets_[k], value.data(), value.size());
        }
        lengths_[k] = value.size();
    }
    std::string_view get(int slot) const
    {
        const std::size_t k = static_cast<std::size_t>(slot);
        return std::string_view(bytes_.data() + offsets_[k], lengths_[k]);
    }
    int count() const { return static_cast<int>(offsets_.size()); }

private:
    std::vector<char> bytes_;
    std::vector<std::size_t> offsets_, widths_, lengths_;
};

// Samples the chosen variables at the middle of every half-cycle of the clock.
class Sampler {
public:
    Sampler(int codes, std::optional<long long> from, std::optional<long long> to) : from_(from), to_(to)
    {
        slotOfCode_.assign(static_cast<std::size_t>(codes), -1);
    }

    // Whether the changes of the variable of this code are taken.
    bool samples(int code) const { return slotOfCode_[static_cast<std::size_t>(code)] >= 0; }
    int slotFor(int code, int width)
    {
        int& slot = slotOfCode_[static_cast<std::size_t>(code)];
        if (slot < 0)
            slot = current_.add(width);
        return slot;
    }
    void setClock(int slot) { clockSlot_ = slot; }
    // Cells of a fixed time instead of a clock's half-cycles: the first starts at `first`.
    void setCellTime(long long cellTime, long long first)
    {
        clockSlot_ = -1;
        cellTime_ = cellTime;
        nextBoundary_ = first;
    }
    // The last time the dump wrote, and whether the dump ended before time t without the window
    // or the diagram having ended the reading first.
    long long lastTime() const { return now_; }
    bool endsBefore(long long t) const { return !done_ && now_ < t; }
    std::vector<RowState> rows;

    bool time(long long t)
    {
        if (timeSeen_ && t != now_)
            endOfTime();
        // Fixed cells: every boundary before this time, after the changes at it were taken.
        while (cellTime_ > 0 && !done_ && nextBoundary_ < t) {
            boundary(nextBoundary_);
            nextBoundary_ += cellTime_;
        }
        timeSeen_ = true;
        now_ = t;
        return !done_ && error.empty();
    }

    // Values are kept as the dump writes them and made bits only when a cell takes them; the
    // clock's level is followed at every change.
    void change(int code, std::string_view value)
    {
        const int slot = slotOfCode_[static_cast<std::size_t>(code)];
        if (slot < 0 || done_)
            return;
        if (slot == clockSlot_)
            clockLevel_ = levelOf(value);
        if (started_) {
            if (pending_.size() >= kMaxPendingChanges) {
                error = "more than " + std::to_string(kMaxPendingChanges) +
                        " value changes within one half-cycle of the clock after time " + std::to_string(lastEdge_) +
                        "; choose a faster clock";
                done_ = true;
                return;
            }
            pending_.push_back({slot, now_, std::string(value)});
        }
        current_.set(slot, value);
    }

    // At the end of the dump: a last half-cycle that the dump's final time stamp closes (as long
    // as the one before it) is a cell too, though no edge ends it. A dump this program writes
    // ends so, with the diagram's end.
    void finishStream()
    {
        if (handedBack_)
            return;
        if (timeSeen_ && !done_)
            endOfTime();
        // Fixed cells end with the dump's final time stamp.
        while (cellTime_ > 0 && !done_ && timeSeen_ && nextBoundary_ <= now_) {
            boundary(nextBoundary_);
            nextBoundary_ += cellTime_;
        }
        if (cellTime_ > 0)
            return;
        if (started_ && !done_ && halfCycle_ > 0 && now_ - lastEdge_ >= halfCycle_ && cells_ < kMaxColumns &&
            !(to_ && lastEdge_ + halfCycle_ > *to_)) {
            emitCell(lastEdge_ + halfCycle_ / 2);
            lastEdge_ += halfCycle_;
        }
    }

    int cells() const { return cells_; }
    bool started() const { return started_; }
    std::string error;
    std::string cutNote;

    // What a finished sampling made, for a reading done in another process to hand back: each
    // row's cells, hatches and values, the cells made and where the reading ended.
    struct Outcome {
        std::vector<ImportedRow> rows;
        int cells = 0;
        bool done = false, started = false;
        long long now = 0;
        std::string error, cutNote;
    };
    Outcome outcome() const
    {
        Outcome o{{}, cells_, done_, started_, now_, error, cutNote};
        for (const RowState& r : rows)
            o.rows.push_back(r.row);
        return o;
    }
    // Takes the outcome of the same sampling done elsewhere as its own, finished.
    void take(Outcome&& o)
    {
        for (std::size_t k = 0; k < rows.size() && k < o.rows.size(); ++k) {
            rows[k].row.cells = std::move(o.rows[k].cells);
            rows[k].row.hatched = std::move(o.rows[k].hatched);
            rows[k].row.values = std::move(o.rows[k].values);
        }
        cells_ = o.cells;
        done_ = o.done;
        started_ = o.started;
        now_ = o.now;
        error = std::move(o.error);
        cutNote = std::move(o.cutNote);
        handedBack_ = true;
    }

private:
    struct Change {
        int slot;
        long long time;
        std::string value;
    };

    // The end of the values of one time: an edge of the clock when its level changed.
    void endOfTime()
    {
        const char level = clockLevel_;
        if (level != '0' && level != '1')
            return;
        const bool edge = lastLevel_ != 0 && level != lastLevel_;
        lastLevel_ = level;
        if (!edge)
            return;
        if (!started_ && from_ && now_ < *from_)
            return;
        boundary(now_);
    }

    // A boundary between cells at time t (an edge of the clock, or of fixed cells): the first
    // starts the cells, each later one ends the cell before it, sampled at its middle.
    void boundary(long long t)
    {
        if (!started_) {
            if (to_ && t > *to_) {
                done_ = true;
                return;
            }
            started_ = true;
            startEdge(t);
            return;
        }
        if (cells_ == kMaxColumns) {
            cutNote = "The diagram holds " + std::to_string(kMaxColumns) + " cells: the dump was cut at time " +
                      std::to_string(lastEdge_) + ".";
            done_ = true;
            return;
        }
        emitCell(lastEdge_ + (t - lastEdge_) / 2);
        halfCycle_ = t - lastEdge_;
        startEdge(t);
        if (to_ && t > *to_)
            done_ = true;
    }

    void startEdge(long long t)
    {
        snapshot_ = current_;
        pending_.clear();
        lastEdge_ = t;
    }

    void emitCell(long long middle)
    {
        std::vector<std::string_view> values;
        for (int slot = 0; slot < snapshot_.count(); ++slot)
            values.push_back(snapshot_.get(slot));
        for (const Change& c : pending_)
            if (c.time <= middle)
                values[static_cast<std::size_t>(c.slot)] = c.value;
        for (RowState& r : rows)
            r.addCell(normalised(values[static_cast<std::size_t>(r.slot)], r.width));
        ++cells_;
    }

    std::optional<long long> from_, to_;
    std::vector<int> slotOfCode_;
    SlotValues current_, snapshot_;
    std::vector<Change> pending_;
    int clockSlot_ = 0;
    char clockLevel_ = 'x';
    char lastLevel_ = 0;
    bool started_ = false, done_ = false, timeSeen_ = false;
    long long now_ = 0, lastEdge_ = 0;
    long long halfCycle_ = 0; // the length of the last half-cycle the clock closed
    long long cellTime_ = 0, nextBoundary_ = 0; // fixed cells: their time and the next boundary
    int cells_ = 0;
    bool handedBack_ = false;
};

} // namespace sigmora::io::sampling
