#pragma once

#include <functional>
#include <string>

#include "model/ListId.h"

namespace sigmora::edit {

class Session;

// Whether the list has a current entry (its selection names one of its records).
bool hasCurrentRecord(const Session& session, model::ListId id);

// Changes the current entry of a record list in place: the record is read, changed, written back
// at the same position and reselected; the diagram is marked modified and the screen refreshed,
// then an undo snapshot is taken when asked. False, and nothing changed, without a current entry.
bool rewriteCurrentRecord(Session& session, model::ListId id, const std::function<void(std::string&)>& change,
                          bool snapshot);

// The same over a record type that splits a record into fields (read) and joins them (write).
template <typename Fields, typename Change>
bool changeCurrentRecord(Session& session, model::ListId id, const Change& change, bool snapshot)
{
    return rewriteCurrentRecord(
        session, id,
        [&change](std::string& record) {
            Fields fields = Fields::read(record);
            change(fields);
            record = fields.write();
        },
        snapshot);
}

} // namespace sigmora::edit
