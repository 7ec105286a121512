#pragma once

namespace sigmora::app {

// "sigmora --refresh DIAGRAM.sgm [NEW.vcd|NEW.fst] [--from T] [--to T]": the rows of a diagram
// imported from a dump drawn anew from that dump, or from the one named, in the window the import
// used or the one given (a whole number of the dump's unit, or a time with its unit), with every
// annotation kept on its edge (edit/exchange/DumpRefresh). The diagram is written in place, safely
// replaced. What stayed where it was is printed on standard error, a line each.
inline constexpr const char* kRefreshOption = "--refresh";

bool isRefreshCommand(int argc, char* argv[]);
// 0 on success, 1 when the diagram or the dump cannot be read or the diagram not written, 2 for
// a wrong command line.
int runRefreshCommand(int argc, char* argv[]);

} // namespace sigmora::app
