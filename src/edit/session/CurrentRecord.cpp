#include "edit/session/CurrentRecord.h"

#include "edit/session/Session.h"

namespace sigmora::edit {

bool hasCurrentRecord(const Session& session, model::ListId id)
{
    const model::RecordList& list = session.diagram().store.list(id);
    return list.selection() >= 0 && list.selection() < list.count();
}

bool rewriteCurrentRecord(Session& session, model::ListId id, const std::function<void(std::string&)>& change,
                          bool snapshot)
{
    if (!hasCurrentRecord(session, id))
        return false;
    model::RecordList& list = session.diagram().store.list(id);
    const int index = list.selection();
    std::string record = list.get(index);
    change(record);
    list.replace(index, std::move(record));
    list.setSelection(index);
    session.changed(snapshot);
    return true;
}

} // namespace sigmora::edit
