#include "io/native/PreviousVersions.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;
using model::ListId;

constexpr std::string_view kOldPeriodMarker = "~";
constexpr std::string_view kVersion009 = "009";
constexpr std::string_view kVersion010 = "010";
constexpr std::string_view kVersion011 = "011";
constexpr std::string_view kOldBusTag = "DATA_1_";
constexpr std::string_view kBusTag = "DATA_0_";
constexpr std::string_view kClockTag = "CLK_0_";
constexpr std::string_view kDifferentialAndActiveLow = "0.0.";
constexpr std::string_view kArrowTail = "0.0.0.";
constexpr std::string_view kTextTail = "0.0.";
constexpr std::string_view kSignalTail = "N/A.0.0.0.0.0.";
constexpr std::string_view kBackupSuffix = "_backup";
constexpr std::string_view kExtension = ".sgm";
constexpr int kClockDelayEntry = 1;
constexpr int kClockDelayUndoEntry = 599;
constexpr int kRegionStyleField = 2;
constexpr const char* kNoFloodStyle = "can't find flood style";

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Appends fields to a record, first closing its last field when it lacks its separator.
std::string appended(std::string_view record, std::string_view tail)
{
    std::string out(record);
    if (!out.empty() && out.back() != fields::kSeparator)
        out += fields::kSeparator;
    out += tail;
    return out;
}

std::string replacedAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t hit; (hit = text.find(from, at)) != std::string_view::npos; at = hit + from.size())
        out.append(text.substr(at, hit - at)).append(to);
    out.append(text.substr(at));
    return out;
}

template <typename Change>
void rewriteEach(model::RecordList& list, Change change)
{
    for (int i = 0; i < list.count(); ++i)
        list.replace(i, change(list.get(i)));
}

void convertVersion009(model::Diagram& d)
{
    rewriteEach(d.store.signals(), [](const std::string& row) {
        return model::rowKind(row) == model::kRowKindSeparator ? row : appended(row, kDifferentialAndActiveLow);
    });
    rewriteEach(d.store.list(ListId::Texts), [](const std::string& text) {
        auto message = fields::textField(text, model::textfield::Message);
        if (!message)
            return text;
        return fields::withTextField(text, model::textfield::Message,
                                     replacedAll(*message, kOldPeriodMarker, fields::kPeriodMarker));
    });
}

// The row whose name matches, or -1: a region of a row that no longer exists is dropped.
int rowNamed(const model::ObjectStore& store, std::string_view name)
{
    const std::string_view wanted = model::trimBlanks(name);
    for (int i = 0; i < store.signalCount(); ++i)
        if (model::equalsIgnoringCase(model::trimBlanks(fields::nameOfRow(store.signals().get(i))), wanted))
            return i;
    return -1;
}

void floodLegacyRegions(model::ObjectStore& store, model::ReaderReport* report)
{
    for (const std::string& region : store.list(ListId::LegacyRegions).records()) {
        if (report && !fields::hasField(region, kRegionStyleField))
            report->add(kNoFloodStyle);
        const int row = rowNamed(store, fields::textField(region, 1).value_or(std::string_view{}));
        const int style = fields::intField(region, kRegionStyleField);
        if (row >= 0 && style > 0)
            store.floodStyles().set(row, fields::intField(region, 0), style);
    }
}

std::string busCells(std::string_view cells)
{
    std::string out(cells);
    for (char& c : out)
        c = c == '0' ? '3' : c == '1' ? '4' : c;
    return out;
}

std::string convertedOldSignal(std::string_view row)
{
    std::string out = appended(row, kSignalTail);
    const std::string_view kind = fields::textField(fields::dataOfRow(out), model::signalfield::Kind).value_or("");
    if (!kind.starts_with(kOldBusTag))
        return out;
    const std::string tag = std::string(kBusTag) + std::string(kind.substr(kOldBusTag.size()));
    out = model::signal::withDataField(out, model::signalfield::Kind, tag);
    return model::signal::withDataField(out, model::signalfield::Waveform, busCells(model::signal::waveform(out)));
}

// A clock's kind tag holds its delay between the underscores ("CLK_15_"): the delay moves into the
// edge offset table and the tag becomes "CLK_0_" followed by the old tail.
std::string convertedOldClock(std::string_view row, int index, model::CellGrid& edgeOffsets)
{
    const std::string_view kind = fields::textField(fields::dataOfRow(row), model::signalfield::Kind).value_or("");
    const std::size_t first = kind.find('_');
    const std::size_t second = first == std::string_view::npos ? first : kind.find('_', first + 1);
    std::string out(row);
    if (second != std::string_view::npos) {
        const int delay = fields::cAtoi(kind.substr(first + 1, second - first - 1));
        edgeOffsets.set(index, kClockDelayEntry, delay);
        edgeOffsets.set(index, kClockDelayUndoEntry, delay == std::numeric_limits<int>::min() ? delay : -delay);
        out = model::signal::withDataField(out, model::signalfield::Kind,
                                           std::string(kClockTag) + std::string(kind.substr(second + 1)));
    }
    return model::signal::withDataField(out, model::signalfield::Waveform,
                                        regeneratedClockCells(model::signal::waveform(out)));
}

void convertOlderThan009(model::Diagram& d, model::ReaderReport* report)
{
    model::ObjectStore& store = d.store;
    rewriteEach(store.list(ListId::Arrows), [](const std::string& r) { return appended(r, kArrowTail); });
    rewriteEach(store.list(ListId::Texts), [](const std::string& r) { return appended(r, kTextTail); });
    floodLegacyRegions(store, report);
    model::RecordList& rows = store.signals();
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& row = rows.get(i);
        const std::string_view data = fields::dataOfRow(row);
        if (model::isSeparatorData(data))
            continue;
        rows.replace(i, model::isClockData(data) ? convertedOldClock(row, i, store.edgeOffsets())
                                                 : convertedOldSignal(row));
    }
}

} // namespace

void convertPreviousVersionRecords(model::Diagram& diagram, std::string_view version, model::ReaderReport* report)
{
    if (contains(version, kVersion011) || contains(version, kVersion010))
        return;
    if (contains(version, kVersion009))
        convertVersion009(diagram);
    else
        convertOlderThan009(diagram, report);
}

void applyVersion010Defaults(model::DiagramSettings& s)
{
    s.nameJustification = 0;
    s.moduloCount = 0;
    s.moduloOffset = 0;
    s.repeatModuloCount = 0;
    s.periodLinesSolid = 0;
    s.svgScale = 1.0f;
    s.periodDivider = 1;
    s.periodLinesPerLabel = 1;
    s.skipOffset = 1;
    s.waveformWidth = fullWaveformWidth(s);
    s.topMargin = 20;
}

void applyPreviousVersionSettings(model::DiagramSettings& s)
{
    applyVersion010Defaults(s);
    s.signalSpacing = 12;
    s.signalHeight = 16;
}

std::string regeneratedClockCells(std::string_view oldCells)
{
    const char start = !oldCells.empty() && oldCells.front() == '1' ? '1' : '0';
    std::size_t halfPeriod = 1;
    while (halfPeriod < oldCells.size() && oldCells[halfPeriod] == oldCells.front())
        ++halfPeriod;
    std::string cells(model::kMaxCells, start);
    for (std::size_t k = 0; k < cells.size(); ++k)
        if ((k / halfPeriod) % 2 == 1)
            cells[k] = start == '1' ? '0' : '1';
    return cells;
}

std::string backupPathFor(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string out(path.substr(0, nameStart));
    const std::string_view name = path.substr(nameStart);
    bool replaced = false;
    std::size_t at = 0;
    while (at < name.size()) {
        if (model::startsWithIgnoringCase(name.substr(at), kExtension)) {
            out.append(kBackupSuffix).append(name.substr(at, kExtension.size()));
            at += kExtension.size();
            replaced = true;
        } else {
            out += name[at++];
        }
    }
    if (!replaced)
        out.append(kBackupSuffix).append(kExtension);
    return out;
}

int fullWaveformWidth(const model::DiagramSettings& s)
{
    const std::int64_t width = static_cast<std::int64_t>(s.cellWidth) * s.cellCount;
    return static_cast<int>(std::clamp<std::int64_t>(width, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace sigmora::io
