#include "io/native/NativeFileReader.h"

#include <algorithm>
#include <cstdint>

#include "io/native/ArchiveReader.h"
#include "io/native/DiagramLimits.h"
#include "io/native/ExtensionBlock.h"
#include "io/native/NativeLayout.h"
#include "io/native/PreviousVersions.h"

namespace sigmora::io {

namespace {

using namespace layout;
using Status = ReadResult::Status;

constexpr model::ListId kStoredLists[] = {model::ListId::Signals, model::ListId::Texts,  model::ListId::LegacyRegions,
                                          model::ListId::Arrows,  model::ListId::Labels, model::ListId::TimeBreaks};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

template <std::size_t N>
void readSettings(ArchiveReader& r, model::DiagramSettings& s, const IntSetting (&settings)[N])
{
    for (IntSetting setting : settings)
        s.*setting = r.readInt();
}

// Items 3 to 25, shared by every version: the head settings, the six lists, the name column and
// label settings, the label texts and counts.
void readItemsUpToLabels(ArchiveReader& r, model::Diagram& d)
{
    model::DiagramSettings& s = d.settings;
    readSettings(r, s, kHeadSettings);
    for (model::ListId id : kStoredLists)
        r.readList(d.store.list(id), id == model::ListId::Signals ? model::kMaxRows : kMaxListRecords);
    readSettings(r, s, kNameAndLabelSettings);
    s.labelSuffix = r.readString();
    s.labelPrefix = r.readString();
    readSettings(r, s, kLabelCountSettings);
}

// Items 26 to 29: both grids for the rows read, then the period ownership and signalSpacing.
void readGridsAndSpacing(ArchiveReader& r, model::Diagram& d)
{
    const int rows = d.store.signalCount();
    r.readGridBlock(d.store.floodStyles(), rows);
    r.readGridBlock(d.store.edgeOffsets(), rows);
    readSettings(r, d.settings, kVersion010TailSettings);
}

// Items 30 to 40.
void readClosingItems(ArchiveReader& r, model::DiagramSettings& s)
{
    readSettings(r, s, kModuloSettings);
    s.svgScale = r.readFloat();
    readSettings(r, s, kClosingSettings);
}

// Items 1 and 2. A first string that cannot be read or lacks the tag is not a Sigmora file.
ReadResult readHeader(ArchiveReader& r)
{
    ReadResult result;
    const std::string tag = r.readString();
    if (r.failed() || !contains(tag, kFormatTag)) {
        result.status = Status::NotSigmora;
        return result;
    }
    result.version = r.readString();
    return result;
}

ReadResult finished(ReadResult result, const ArchiveReader& r)
{
    if (r.failed()) {
        result.status = Status::Damaged;
        result.problem = r.problem();
    }
    return result;
}

// The end of reading a file: the layout sizes and edge offsets must be ones a diagram can have.
ReadResult checked(ReadResult result, const model::Diagram& d)
{
    if (result.status != Status::Ok)
        return result;
    if (auto problem = diagramOutOfRange(d)) {
        result.status = Status::Damaged;
        result.problem = *problem;
    }
    return result;
}

} // namespace

ReadResult readNativeFile(std::string_view bytes, model::Diagram& diagram)
{
    ArchiveReader r(bytes);
    ReadResult result = readHeader(r);
    if (result.status != Status::Ok || r.failed())
        return result.status == Status::NotSigmora ? result : finished(result, r);
    const bool current = contains(result.version, kCurrentVersion);
    if (!current && !contains(result.version, kVersion010)) {
        result.status = Status::PreviousVersion;
        return result;
    }
    readItemsUpToLabels(r, diagram);
    readGridsAndSpacing(r, diagram);
    if (current) {
        readClosingItems(r, diagram.settings);
        if (!r.failed())
            readExtensionBlock(r.rest(), diagram.extension, result.notes);
    } else {
        applyVersion010Defaults(diagram.settings);
    }
    return checked(finished(result, r), diagram);
}

ReadResult readPreviousVersionFile(std::string_view bytes, model::Diagram& diagram, model::ReaderReport* report)
{
    ArchiveReader r(bytes);
    ReadResult result = readHeader(r);
    if (result.status != Status::Ok || r.failed())
        return result.status == Status::NotSigmora ? result : finished(result, r);
    readItemsUpToLabels(r, diagram);
    if (contains(result.version, kVersion009))
        readGridsAndSpacing(r, diagram);
    else
        diagram.settings.eachClockOwnPeriod = 1;
    result = finished(result, r);
    if (result.status != Status::Ok)
        return result;
    convertPreviousVersionRecords(diagram, result.version, report);
    applyPreviousVersionSettings(diagram.settings);
    return checked(result, diagram);
}

ReadResult readAnyVersion(std::string_view bytes, model::Diagram& diagram, model::ReaderReport* report)
{
    ReadResult result = readNativeFile(bytes, diagram);
    if (result.status == Status::PreviousVersion)
        result = readPreviousVersionFile(bytes, diagram, report);
    return result;
}

bool restoreSnapshot(std::string_view bytes, model::Diagram& diagram)
{
    for (model::ListId id : kStoredLists)
        diagram.store.list(id).clear();
    ArchiveReader r(bytes);
    r.readString();
    r.readString();
    readItemsUpToLabels(r, diagram);
    readGridsAndSpacing(r, diagram);
    readClosingItems(r, diagram.settings);
    std::vector<std::string> ignored; // a snapshot's block is the program's own
    readExtensionBlock(r.rest(), diagram.extension, ignored);
    for (int row = diagram.store.signalCount(); row < model::kMaxRows; ++row) {
        diagram.store.floodStyles().clearRow(row);
        diagram.store.edgeOffsets().clearRow(row);
    }
    return !r.failed();
}

} // namespace sigmora::io
