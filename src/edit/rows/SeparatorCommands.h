#pragma once

#include <string>

#include "model/RecordList.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

class Session;

// "separator" while no row name begins with it, else "separator %d " (with its trailing blank)
// from 2 upward.
std::string chooseSeparatorName(const model::RecordList& signals);
std::string buildSeparatorRecord(const std::string& name, model::SeparatorKind kind);

// Inserts a separator row above the selected row (row 0 when none is selected).
void insertSeparator(Session& session, model::SeparatorKind kind);

// The four "Insert Separator" commands, always enabled.
void registerSeparatorCommands(Session& session);

} // namespace sigmora::edit
