#include "io/native/ExtensionBlock.h"

#include "io/native/ArchiveReader.h"
#include "io/native/DumpSourceEntries.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kTimeBaseKey = "timebase";
constexpr std::size_t kMaxNumberDigits = 18;

std::string entries(const model::DiagramExtension& extension)
{
    std::string out;
    ArchiveWriter w(out);
    if (extension.halfPeriodFs) {
        w.writeString(kTimeBaseKey);
        w.writeString(std::to_string(*extension.halfPeriodFs));
    }
    writeDumpSourceEntries(extension.dump, w);
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
        } else if (!readDumpSourceEntry(key, value, extension.dump, notes)) {
            notes.push_back("The diagram's extension block holds \"" + key.substr(0, 40) +
                            "\", which this Sigmora does not know: it was left out.");
        }
    }
    checkDumpSource(extension.dump, notes);
    if (r.failed() && length >= 0 && static_cast<std::size_t>(length) <= head.rest().size())
        notes.push_back("The diagram's extension block is damaged: what was read before the damage was kept.");
}

} // namespace sigmora::io
