#pragma once

#include <functional>
#include <string>
#include <vector>

#include "io/base/ImportResult.h"
#include "model/Diagram.h"

namespace sigmora::edit {

class Session;

// Runs an import from another program's file: reads into a new diagram (keeping the settings a
// new diagram keeps) and, when the read succeeds, makes it the editor's untitled, unsaved
// diagram; a failed read changes nothing and says why. What the read left out is told after.
// False when nothing was imported.
bool runExchangeImport(Session& session,
                       const std::function<io::ImportResult(model::Diagram& fresh)>& read);

// Tells what an import that succeeded left out, one note a line; nothing when it left out nothing.
void showLeftOut(Session& session, const std::vector<std::string>& notes);

} // namespace sigmora::edit
