#pragma once

#include <string>

#include "model/RowFactory.h"

namespace sigmora::edit {

class Session;

inline constexpr const char* kNoRowAdded = "null";

// The Add Clock / Signal / Bus commands.
void registerDiagramCommands(Session& session);

// Appends a clock, signal or bus row; answers its name, or "null" when nothing was added.
std::string addRow(Session& session, model::NewRowKind kind);

} // namespace sigmora::edit
