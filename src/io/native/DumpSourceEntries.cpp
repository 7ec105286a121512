#include "io/native/DumpSourceEntries.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kPath = "dump.path";
constexpr std::string_view kClock = "dump.clock";
constexpr std::string_view kSignals = "dump.signals";
constexpr std::string_view kRows = "dump.rows";
constexpr std::string_view kFrom = "dump.from";
constexpr std::string_view kTo = "dump.to";
constexpr std::string_view kCell = "dump.cell";
constexpr std::size_t kMaxTimeDigits = 18;

std::string joinedLines(const std::vector<std::string>& names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? "\n" : "") + names[i];
    return out;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> out;
    if (text.empty())
        return out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return out;
        start = end + 1;
    }
}

void writeEntry(ArchiveWriter& w, std::string_view key, const std::string& value)
{
    w.writeString(key);
    w.writeString(value);
}

void writeTime(ArchiveWriter& w, std::string_view key, const std::optional<long long>& t)
{
    if (t)
        writeEntry(w, key, std::to_string(*t));
}

bool readTime(const std::string& text, std::optional<long long>& t)
{
    if (text.empty() || text.size() > kMaxTimeDigits || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    t = std::stoll(text);
    return true;
}

} // namespace

void writeDumpSourceEntries(const model::DumpSource& dump, ArchiveWriter& w)
{
    if (dump.empty())
        return;
    writeEntry(w, kPath, dump.path);
    if (!dump.clock.empty())
        writeEntry(w, kClock, dump.clock);
    writeEntry(w, kSignals, joinedLines(dump.signals));
    writeEntry(w, kRows, joinedLines(dump.rows));
    writeTime(w, kFrom, dump.from);
    writeTime(w, kTo, dump.to);
    writeTime(w, kCell, dump.cellTime);
}

bool readDumpSourceEntry(std::string_view key, const std::string& value, model::DumpSource& dump,
                         std::vector<std::string>& notes)
{
    if (key == kPath)
        dump.path = value;
    else if (key == kClock)
        dump.clock = value;
    else if (key == kSignals)
        dump.signals = splitLines(value);
    else if (key == kRows)
        dump.rows = splitLines(value);
    else if (key == kFrom || key == kTo || key == kCell) {
        std::optional<long long>& t = key == kFrom ? dump.from : key == kTo ? dump.to : dump.cellTime;
        if (!readTime(value, t) || (key == kCell && *t == 0)) {
            t.reset();
            notes.push_back("The dump time \"" + value.substr(0, 40) + "\" of the diagram's " + std::string(key) +
                            " is not a time: it was left out.");
        }
    } else
        return false;
    return true;
}

void checkDumpSource(model::DumpSource& dump, std::vector<std::string>& notes)
{
    if (dump == model::DumpSource{})
        return;
    if (dump.path.empty() || dump.signals.size() != dump.rows.size() || dump.signals.empty()) {
        notes.push_back("The diagram's record of the dump it was imported from is incomplete: it was left out.");
        dump = {};
    }
}

} // namespace sigmora::io
