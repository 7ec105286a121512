#include "edit/values/TextAttributes.h"

#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

constexpr std::string_view kTypedLineBreak = "\\n";

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        out.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

} // namespace

std::string messageForEditing(std::string_view stored)
{
    return replaceAll(model::fields::decodePeriods(stored), kTypedLineBreak, "\n");
}

std::string storedMessage(std::string_view edited)
{
    // Line ends typed on other systems arrive as "\r\n"; the carriage return is no part of a line.
    std::string lines = replaceAll(edited, "\r", "");
    return model::fields::encodePeriods(replaceAll(lines, "\n", kTypedLineBreak));
}

} // namespace sigmora::edit
