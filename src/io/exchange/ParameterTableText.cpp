#include "io/exchange/ParameterTableText.h"

#include <array>
#include <cctype>
#include <vector>

#include "render/TextMarkup.h"

namespace sigmora::io {

namespace {

constexpr std::array<const char*, 6> kHeader = {"Symbol", "Description", "Min", "Typ", "Max", "Unit"};

std::vector<std::array<std::string, 6>> rows(const model::DiagramExtension& e)
{
    std::vector<std::array<std::string, 6>> out;
    out.push_back({kHeader[0], kHeader[1], kHeader[2], kHeader[3], kHeader[4], kHeader[5]});
    const auto limit = [](const std::optional<double>& v) { return v ? model::limitText(*v) : std::string(); };
    for (const model::TimingParameter& p : e.parameters)
        out.push_back({p.symbol, p.description, limit(p.min), limit(p.typ), limit(p.max), p.unit});
    return out;
}

// A field quoted when it holds a comma, a quote or a line end, quotes doubled.
std::string csvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// A cell of a Markdown table: its bars escaped, so the columns stay.
std::string markdownCell(const std::string& s)
{
    std::string out;
    for (char c : s)
        out += c == '|' ? std::string("\\|") : std::string(1, c);
    return out;
}

std::string htmlText(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A cell's text as HTML, its datasheet marks as the elements that draw them: a subscript as
// <sub>, an overline as a span with the overline decoration.
std::string htmlMarked(const std::string& s)
{
    if (!render::hasMarkup(s))
        return htmlText(s);
    std::string out;
    for (const render::TextRun& run : render::markupRuns(s)) {
        const std::string text = htmlText(std::string(run.text));
        switch (run.style) {
        case render::RunStyle::Plain: out += text; break;
        case render::RunStyle::Subscript: out += "<sub>" + text + "</sub>"; break;
        case render::RunStyle::Overline: out += "<span style=\"text-decoration:overline\">" + text + "</span>"; break;
        }
    }
    return out;
}

bool endsWith(std::string_view path, std::string_view ending)
{
    if (path.size() <= ending.size())
        return false;
    const std::string_view tail = path.substr(path.size() - ending.size());
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i])
            return false;
    return true;
}

} // namespace

std::optional<ParameterTableFormat> parameterTableFormatOf(std::string_view path)
{
    if (endsWith(path, ".csv"))
        return ParameterTableFormat::Csv;
    if (endsWith(path, ".md"))
        return ParameterTableFormat::Markdown;
    if (endsWith(path, ".html") || endsWith(path, ".htm"))
        return ParameterTableFormat::Html;
    return std::nullopt;
}

std::string parameterTableText(const model::DiagramExtension& extension, ParameterTableFormat format)
{
    const auto table = rows(extension);
    std::string out;
    switch (format) {
    case ParameterTableFormat::Csv:
        for (const auto& row : table) {
            for (size_t c = 0; c < row.size(); ++c)
                out += (c ? "," : "") + csvField(row[c]);
            out += "\n";
        }
        break;
    case ParameterTableFormat::Markdown:
        for (size_t r = 0; r < table.size(); ++r) {
            out += "|";
            // Markdown takes the marks as inline HTML, as the documentation tools draw it.
            for (const std::string& cell : table[r])
                out += " " + markdownCell(render::hasMarkup(cell) ? htmlMarked(cell) : cell) + " |";
            out += "\n";
            if (r == 0)
                out += "|---|---|---:|---:|---:|---|\n";
        }
        break;
    case ParameterTableFormat::Html:
        out += "<table>\n";
        for (size_t r = 0; r < table.size(); ++r) {
            out += "  <tr>";
            for (const std::string& cell : table[r])
                out += (r == 0 ? "<th>" : "<td>") + htmlMarked(cell) + (r == 0 ? "</th>" : "</td>");
            out += "</tr>\n";
        }
        out += "</table>\n";
        break;
    }
    return out;
}

} // namespace sigmora::io
