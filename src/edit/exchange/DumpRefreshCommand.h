#pragma once

namespace sigmora::edit {

class Session;

// File > "Refresh from Dump": the rows of a diagram imported from a dump drawn anew from the dump,
// the annotations kept on their edges (DumpRefresh), as one step of undo. Enabled only for a
// diagram that remembers the dump it was imported from; when that dump is no longer there, the
// dump import's file dialog asks for the one to read (Cancel changes nothing).
void registerDumpRefreshCommand(Session& session);

} // namespace sigmora::edit
