#include "io/native/ExtensionBlock.h"

#include "io/native/ArchiveReader.h"
#include "io/native/DumpSourceEntries.h"

#include <optional>
#include <utility>

namespace sigmora::io {

namespace {

constexpr std::string_view kTimeBaseKey = "timebase";
constexpr std::size_t kMaxNumberDigits = 18;
constexpr std::string_view kRulerKey = "ruler";
constexpr std::string_view kTableKey = "parametertable";
constexpr std::string_view kRedInPicturesKey = "violationsinpictures";
constexpr std::string_view kParameterKey = "parameter";
constexpr std::string_view kOn = "1";
constexpr char kFieldSeparator = '\t';
constexpr std::size_t kParameterFields = 7;
constexpr std::size_t kMaxParameters = 4096;
constexpr int kMaxLabelIndex = 1 << 20;

std::string optionalLimit(const std::optional<double>& v)
{
    return v ? model::limitText(*v) : std::string();
}

// A parameter as one value: its seven fields joined by tabs (symbol, description, min, typ,
// max, unit, label index or empty); the table keeps no tab inside a field.
std::string parameterValue(const model::TimingParameter& p)
{
    std::string out = p.symbol;
    for (const std::string& field :
         {p.description, optionalLimit(p.min), optionalLimit(p.typ), optionalLimit(p.max), p.unit,
          p.label == model::TimingParameter::kNoLabel ? std::string() : std::to_string(p.label)}) {
        out += kFieldSeparator;
        out += field;
    }
    return out;
}

std::optional<model::TimingParameter> parameterOf(std::string_view value)
{
    std::vector<std::string> f;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = value.find(kFieldSeparator, start);
        f.emplace_back(value.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (f.size() != kParameterFields)
        return std::nullopt;
    model::TimingParameter p;
    p.symbol = f[0];
    p.description = f[1];
    std::optional<double>* limits[] = {&p.min, &p.typ, &p.max};
    for (int i = 0; i < 3; ++i) {
        const std::string& text = f[static_cast<std::size_t>(2 + i)];
        if (text.empty())
            continue;
        *limits[i] = model::parseLimit(text);
        if (!*limits[i])
            return std::nullopt;
    }
    p.unit = f[5];
    if (!f[6].empty()) {
        if (f[6].size() > 7 || f[6].find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        p.label = std::stoi(f[6]);
        if (p.label > kMaxLabelIndex)
            return std::nullopt;
    }
    if (!model::timingParameterProblem(p).empty())
        return std::nullopt;
    return p;
}

void writeTimingEntries(const model::DiagramExtension& extension, ArchiveWriter& w)
{
    for (const auto& [key, on] : {std::pair{kRulerKey, extension.timeRuler}, std::pair{kTableKey, extension.parameterTable},
                                  std::pair{kRedInPicturesKey, extension.violationsInPictures}}) {
        if (on) {
            w.writeString(key);
            w.writeString(kOn);
        }
    }
    for (const model::TimingParameter& p : extension.parameters) {
        w.writeString(kParameterKey);
        w.writeString(parameterValue(p));
    }
}

// Reads one of the timing entries; false for a key that is none of them.
bool readTimingEntry(const std::string& key, const std::string& value, model::DiagramExtension& extension,
                     std::vector<std::string>& notes)
{
    bool* flag = key == kRulerKey ? &extension.timeRuler
                 : key == kTableKey ? &extension.parameterTable
                 : key == kRedInPicturesKey ? &extension.violationsInPictures
                                              : nullptr;
    if (flag) {
        *flag = value == kOn;
        return true;
    }
    if (key != kParameterKey)
        return false;
    const std::optional<model::TimingParameter> p = parameterOf(value);
    if (!p || extension.parameters.size() >= kMaxParameters)
        notes.push_back("The timing parameter \"" + value.substr(0, value.find(kFieldSeparator)).substr(0, 40) +
                        "\" could not be read: it was left out.");
    else
        extension.parameters.push_back(*p);
    return true;
}

std::string entries(const model::DiagramExtension& extension)
{
    std::string out;
    ArchiveWriter w(out);
    if (extension.halfPeriodFs) {
        w.writeString(kTimeBaseKey);
        w.writeString(std::to_string(*extension.halfPeriodFs));
    }
    writeDumpSourceEntries(extension.dump, w);
    writeTimingEntries(extension, w);
    return out;
}

// A time base as the block writes it: decimal femtoseconds, above 0 and at most 1 s.
bool timeBase(std::string_view text, long long& fs)
{
    if (text.empty() || text.size() > kMaxNumberDigits || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    fs = std::stoll(std::string(text));
    return fs > 0 && fs <= model::kMaxTimeBaseFs;
}

} // namespace

void writeExtensionBlock(const model::DiagramExtension& extension, ArchiveWriter& w)
{
    if (extension.empty())
        return;
    const std::string body = entries(extension);
    w.writeString(kExtensionTag);
    w.writeInt(kExtensionVersion);
    w.writeInt(static_cast<std::int32_t>(body.size()));
    w.writeBytes(body);
}

void readExtensionBlock(std::string_view bytes, model::DiagramExtension& extension, std::vector<std::string>& notes)
{
    extension = {};
    if (bytes.empty())
        return;
    ArchiveReader head(bytes);
    const std::string tag = head.readString();
    const std::int32_t version = head.readInt();
    const std::int32_t length = head.readInt();
    if (head.failed() || tag != kExtensionTag) {
        notes.push_back(std::to_string(bytes.size()) + " bytes after the diagram, which this Sigmora does not know, were left out.");
        return;
    }
    if (version != kExtensionVersion) {
        notes.push_back("The diagram's extension block is of version " + std::to_string(version) +
                        ", which this Sigmora does not know: it was left out.");
        return;
    }
    std::string_view body = head.rest();
    if (length < 0)
        notes.push_back("The diagram's extension block is damaged: what could be read of it was kept.");
    else if (static_cast<std::size_t>(length) > body.size())
        notes.push_back("The diagram's extension block is cut short: what was read before the cut was kept.");
    else {
        if (static_cast<std::size_t>(length) < body.size())
            notes.push_back(std::to_string(body.size() - static_cast<std::size_t>(length)) +
                            " bytes after the diagram's extension block were left out.");
        body = body.substr(0, static_cast<std::size_t>(length));
    }
    ArchiveReader r(body);
    while (r.remaining() > 0) {
        const std::string key = r.readString();
        const std::string value = r.readString();
        if (r.failed())
            break; // cut inside an entry: said above, or the entries are damaged
        long long fs = 0;
        if (key == kTimeBaseKey) {
            if (timeBase(value, fs))
                extension.halfPeriodFs = fs;
            else
                notes.push_back("The diagram's time base \"" + value.substr(0, 40) + "\" is not one a diagram can have: it was left out.");
        } else if (!readDumpSourceEntry(key, value, extension.dump, notes) &&
                   !readTimingEntry(key, value, extension, notes)) {
            notes.push_back("The diagram's extension block holds \"" + key.substr(0, 40) +
                            "\", which this Sigmora does not know: it was left out.");
        }
    }
    checkDumpSource(extension.dump, notes);
    if (r.failed() && length >= 0 && static_cast<std::size_t>(length) <= head.rest().size())
        notes.push_back("The diagram's extension block is damaged: what was read before the damage was kept.");
}

} // namespace sigmora::io
