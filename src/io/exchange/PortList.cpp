#include "io/exchange/PortList.h"

#include "model/RecordFields.h"
#include "model/TextCase.h"

namespace sigmora::io {

namespace {

std::vector<std::string_view> split(std::string_view line, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    for (std::size_t hit; (hit = line.find(separator, at)) != std::string_view::npos; at = hit + 1)
        parts.push_back(line.substr(at, hit - at));
    parts.push_back(line.substr(at));
    return parts;
}

std::string_view unquoted(std::string_view text)
{
    text = model::trimBlanks(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

} // namespace

std::vector<Port> parsePortList(std::string_view text)
{
    std::vector<Port> ports;
    for (std::string_view line : split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string_view> values = split(line, ',');
        Port port;
        port.name = unquoted(values[0]);
        if (port.name.empty())
            continue;
        if (values.size() > 1)
            port.direction = unquoted(values[1]);
        if (values.size() > 2)
            port.width = model::fields::cAtoi(unquoted(values[2]));
        if (values.size() > 3)
            port.value = unquoted(values[3]);
        ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace sigmora::io
