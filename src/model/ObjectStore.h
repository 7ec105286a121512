#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/CellGrid.h"
#include "model/ListId.h"
#include "model/ReaderReport.h"
#include "model/RecordList.h"

namespace sigmora::model {

// Every object of a diagram: the eight record lists and the two per-cell grids.
class ObjectStore {
public:
    RecordList& list(ListId id);
    const RecordList& list(ListId id) const;

    RecordList& signals() { return list(ListId::Signals); }
    const RecordList& signals() const { return list(ListId::Signals); }
    int signalCount() const { return signals().count(); }

    CellGrid& floodStyles() { return floodStyles_; }
    const CellGrid& floodStyles() const { return floodStyles_; }
    CellGrid& edgeOffsets() { return edgeOffsets_; }
    const CellGrid& edgeOffsets() const { return edgeOffsets_; }

    // Index of the first row whose name equals name, both trimmed and compared ignoring case.
    // When no row matches the answer is kNoMatchSignalIndex, as annotation placement expects.
    int signalIndexOfName(std::string_view name) const;
    static constexpr int kNoMatchSignalIndex = 1;
    // The same search, answering -1 when no row matches.
    int findSignal(std::string_view name) const;

    // The signal index of the row named in field 1 of an annotation record (arrow, label, time
    // break, region). A record without that field is reported.
    int attachedSignal(std::string_view record, ReaderReport& report) const;

    // 3 for a separator row, 0 for any other row or an index outside the list.
    int rowKind(int index) const;

    // Clears every list but the delay list, and both grids.
    void clearForNew();

private:
    static size_t slot(ListId id);
    std::array<RecordList, 8> lists_;
    CellGrid floodStyles_;
    CellGrid edgeOffsets_;
};

} // namespace sigmora::model
