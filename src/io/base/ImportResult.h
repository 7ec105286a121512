#pragma once

#include <string>
#include <vector>

namespace sigmora::io {

// What an import of another program's file answers. A failed import leaves the diagram it was
// given unusable and the caller keeps the one it had; a successful one may still have left parts
// of the file out, and says which in notes, one sentence each.
struct ImportResult {
    bool ok = false;
    std::string error;
    std::vector<std::string> notes;
};

} // namespace sigmora::io
