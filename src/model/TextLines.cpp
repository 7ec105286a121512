#include "model/TextLines.h"

#include "model/RecordFields.h"
#include "model/Utf8Text.h"

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

std::string singleLineText(std::string_view stored)
{
    const std::vector<std::string> lines = splitNameLines(fields::decodePeriods(stored));
    std::string text = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i)
        text.append(" ").append(lines[i]);
    return asUtf8(text);
}

} // namespace sigmora::model
