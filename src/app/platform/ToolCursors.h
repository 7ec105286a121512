#pragma once

#include <QCursor>

#include "edit/session/CursorRole.h"

namespace sigmora::app {

// The cursor for a role: the tool pictures of the program with their hot spots, or the system's
// sizing, move and arrow cursors.
QCursor toolCursor(edit::CursorRole role);

} // namespace sigmora::app
