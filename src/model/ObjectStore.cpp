#include "model/ObjectStore.h"

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"

namespace sigmora::model {

size_t ObjectStore::slot(ListId id)
{
    switch (id) {
    case ListId::Signals: return 0;
    case ListId::Texts: return 1;
    case ListId::Arrows: return 2;
    case ListId::LegacyRegions: return 3;
    case ListId::Delays: return 4;
    case ListId::CopyBuffer: return 5;
    case ListId::Labels: return 6;
    case ListId::TimeBreaks: return 7;
    }
    return 0;
}

RecordList& ObjectStore::list(ListId id)
{
    return lists_[slot(id)];
}

const RecordList& ObjectStore::list(ListId id) const
{
    return lists_[slot(id)];
}

int ObjectStore::signalIndexOfName(std::string_view name) const
{
    const int found = findSignal(name);
    return found >= 0 ? found : kNoMatchSignalIndex;
}

int ObjectStore::findSignal(std::string_view name) const
{
    std::string_view wanted = trimBlanks(name);
    const RecordList& rows = signals();
    for (int i = 0; i < rows.count(); ++i) {
        if (equalsIgnoringCase(trimBlanks(fields::nameOfRow(rows.get(i))), wanted))
            return i;
    }
    return -1;
}

int ObjectStore::attachedSignal(std::string_view record, ReaderReport& report) const
{
    if (fields::countSeparators(record) < 1) {
        report.add("GetAttachedSignal: ERROR - Missing period position.");
        return signalIndexOfName({});
    }
    return signalIndexOfName(fields::textField(record, 1).value_or(std::string_view{}));
}

int ObjectStore::rowKind(int index) const
{
    if (index < 0 || index >= signalCount())
        return kRowKindOther;
    return model::rowKind(signals().get(index));
}

void ObjectStore::clearForNew()
{
    for (ListId id : kAllLists) {
        if (id != ListId::Delays)
            list(id).clear();
    }
    floodStyles_.clear();
    edgeOffsets_.clear();
}

} // namespace sigmora::model
