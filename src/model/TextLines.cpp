#include "model/TextLines.h"

namespace sigmora::model {

std::vector<std::string> splitNameLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t brk = text.find("\\n", start);
        if (brk == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, brk - start));
        start = brk + 2;
    }
}

} // namespace sigmora::model
