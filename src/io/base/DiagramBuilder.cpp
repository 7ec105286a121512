#include "io/base/DiagramBuilder.h"

#include <algorithm>

#include "io/base/DrawnColumns.h"

#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;

constexpr int kHatchFloodStyle = 2; // diagonal cross
constexpr int kCentreAnchor = 0;
constexpr int kTitleTop = 2; // a title's top, above the cycle numbers
constexpr int kTitleGap = 4; // between a title and the cycle numbers
constexpr int kCaptionInset = 2; // a group's name from the waveform's start
constexpr std::string_view kLineBreak = "\\n";

// The cells of a record: the entering level, then every column, then the last column repeated
// up to the full row.
std::string waveformText(const ImportedRow& row)
{
    std::string w;
    w.reserve(model::kMaxCells);
    const char first = row.cells.empty() ? '1' : row.cells.front();
    w += row.entry != 0 ? row.entry : first;
    w += row.cells.substr(0, model::kMaxCells - 1);
    w.resize(model::kMaxCells, w.back());
    return w;
}

std::string textBoxRecord(int x, int y, int width, int height, std::string_view message, std::string_view attachment,
                          const model::DiagramSettings& s, const std::string& face, int points)
{
    std::string r;
    for (int v : {x, y, x + width, y + height})
        r += std::to_string(v) + ".";
    r += std::string(message) + "." + std::string(attachment) + ".";
    r += model::textbox::formatColour(s.textColour) + "." + face + "." + std::to_string(points) + ".";
    r += "0.0.0.0.0.0.0."; // drag x, drag y, left justified, no outline, not bold, italic or underlined
    return r;
}

// The columns of the bus run that starts at `column`: up to the next change of phase.
int runEnd(const ImportedRow& row, int column)
{
    const std::size_t first = static_cast<std::size_t>(column);
    std::size_t end = first + 1;
    while (end < row.cells.size() && row.cells[end] == row.cells[first])
        ++end;
    return static_cast<int>(end);
}

std::string singleLine(std::string_view text)
{
    std::string plain;
    for (char c : text)
        plain += (c == '\n' || c == '\t' || c == '\r') ? ' ' : c;
    return plain;
}

} // namespace

std::string importedRowName(std::string_view plain)
{
    std::string name;
    for (char c : plain) {
        if (c == '\n')
            name += kLineBreak;
        else if (c == '\t' || c == '\r')
            name += ' ';
        else
            name += c;
    }
    if (name.size() > kMaxImportedName) {
        std::size_t cut = kMaxImportedName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut; // never split a UTF-8 sequence
        name.resize(cut);
    }
    return fields::encodePeriods(name);
}

DiagramBuilder::DiagramBuilder(model::Diagram& diagram, const model::TextMeasurer& measurer)
    : diagram_(diagram), measurer_(measurer)
{
}

bool DiagramBuilder::full() const { return rowCount() >= model::kMaxRows; }
int DiagramBuilder::rowCount() const { return diagram_.store.signalCount(); }

int DiagramBuilder::waveOriginX() const { return render::Layout::from(diagram_.settings).waveOriginX(); }

int DiagramBuilder::rowTop(int row) const
{
    render::Layout layout = render::Layout::from(diagram_.settings);
    layout.verticalScroll = 0;
    return layout.rowTop(row);
}

int DiagramBuilder::addRow(const ImportedRow& row)
{
    if (full())
        return -1;
    const std::string name = importedRowName(row.name);
    std::string record = model::buildRowRecord(row.clock ? model::NewRowKind::Clock : model::NewRowKind::Signal, name, 1);
    record = model::signal::withDataField(record, model::signalfield::Waveform, waveformText(row));
    if (row.clock) {
        record = model::signal::withDataField(record, model::signalfield::RisingArrows, row.risingArrows ? 1 : 0);
        record = model::signal::withDataField(record, model::signalfield::FallingArrows, row.fallingArrows ? 1 : 0);
    }
    const int index = diagram_.store.signals().append(std::move(record));
    diagram_.store.floodStyles().clearRow(index);
    diagram_.store.edgeOffsets().clearRow(index);
    for (std::size_t k = 0; k < row.hatched.size() && k < model::kMaxCells; ++k)
        if (row.hatched[k])
            diagram_.store.floodStyles().set(index, static_cast<int>(k), kHatchFloodStyle);
    // A row shorter than the diagram goes on with its last value, an undefined one hatched too, up
    // to the diagram's last column (finish): widening the diagram later draws no hatch past the
    // other rows' ends.
    if (!row.hatched.empty() && row.hatched.back() && row.hatched.size() == row.cells.size())
        undefinedTails_.push_back({index, static_cast<int>(row.hatched.size())});
    // Bus values at the size of the row's name, in the middle of their runs.
    const std::string face = model::signal::fontFace(record);
    const int points = model::signal::fontSize(record);
    const model::FontSpec font = model::FontSpec::fromPoints(face, points);
    const int top = rowTop(index) + (diagram_.settings.signalHeight - measurer_.lineHeight(font)) / 2;
    for (const auto& [column, text] : row.values)
        if (column >= 0 && column < model::kMaxCells - 1 && static_cast<std::size_t>(column) < row.cells.size() && !text.empty())
            addValue(column, runEnd(row, column), top, text, name, face, points);
    return index;
}

int DiagramBuilder::addSeparator(std::string_view name, int kind)
{
    if (full())
        return -1;
    const std::string data = "SEP_0.0.1.Arial." + std::to_string(kind) + ".1.0.0.0.1.";
    const int index = diagram_.store.signals().append(fields::joinRow(importedRowName(name), data));
    diagram_.store.floodStyles().clearRow(index);
    diagram_.store.edgeOffsets().clearRow(index);
    return index;
}

void DiagramBuilder::addArrow(int fromColumn, int fromRow, int toColumn, int toRow, int headCode, int lineKind,
                              std::string_view caption)
{
    arrows_.push_back({fromColumn, fromRow, toColumn, toRow, headCode, lineKind});
    if (caption.empty())
        return;
    const int cw = diagram_.settings.cellWidth;
    const int x = waveOriginX() + (fromColumn + toColumn) * cw / 2;
    const int y = (rowTop(fromRow) + rowTop(toRow)) / 2 + diagram_.settings.signalHeight / 2;
    addFreeText(x, y, caption);
}

void DiagramBuilder::addFreeText(int x, int y, std::string_view text)
{
    const model::DiagramSettings& s = diagram_.settings;
    const std::string plain = singleLine(text);
    const model::FontSpec font = model::FontSpec::fromPoints(s.textFace, s.textSize);
    addTextBox(x, y, measurer_.textWidth(plain, font), plain, model::kUnattached, s.textFace, s.textSize);
}

void DiagramBuilder::addTimeBreak(int column, int row)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= model::kMaxCells)
        return;
    diagram_.store.list(model::ListId::TimeBreaks)
        .append(std::to_string(column) + "." + std::string(fields::nameOfRow(diagram_.store.signals().get(row))) + ".");
}

void DiagramBuilder::addRowCaption(int row, std::string_view text)
{
    const std::string& record = diagram_.store.signals().get(row);
    const std::string plain = singleLine(text);
    const model::FontSpec font = model::FontSpec::fromPoints(std::string(model::kDefaultFace), model::kDefaultNameSize);
    // On the row's middle line at the waveform's start: the name column is cleared before the
    // names are drawn, and a separator's name is not among them.
    const int top = rowTop(row) + diagram_.settings.signalHeight / 2 - measurer_.lineHeight(font);
    addTextBox(waveOriginX() + kCaptionInset, top, measurer_.textWidth(plain, font), plain, fields::nameOfRow(record),
               std::string(model::kDefaultFace), model::kDefaultNameSize);
}

int DiagramBuilder::freeTextHeight() const
{
    return measurer_.lineHeight(model::FontSpec::fromPoints(diagram_.settings.textFace, diagram_.settings.textSize));
}

int DiagramBuilder::makeRoomForTitle()
{
    diagram_.settings.topMargin += freeTextHeight() + kTitleGap;
    return kTitleTop;
}

void DiagramBuilder::addValue(int column, int end, int top, std::string_view text, std::string_view attachment,
                              const std::string& face, int points)
{
    const model::DiagramSettings& s = diagram_.settings;
    const std::string plain = singleLine(text);
    const int width = measurer_.textWidth(plain, model::FontSpec::fromPoints(face, points));
    const int start = waveOriginX() + column * s.cellWidth;
    const int runWidth = (end - column) * s.cellWidth;
    // Centred on its run where it fits; a wider value starts where the run starts, so that the
    // exports, which find a value by where its text starts, find it on its own run.
    const int x = width <= runWidth ? start + (runWidth - width) / 2 : start;
    addTextBox(x, top, width, plain, attachment, face, points);
}

void DiagramBuilder::addTextBox(int x, int y, int width, const std::string& plain, std::string_view attachment,
                                const std::string& face, int points)
{
    const int height = measurer_.lineHeight(model::FontSpec::fromPoints(face, points));
    const std::string record = textBoxRecord(x, y, width, height, fields::encodePeriods(plain), attachment,
                                             diagram_.settings, face, points);
    diagram_.store.list(model::ListId::Texts).append(record);
}

void DiagramBuilder::finish(int columns)
{
    model::DiagramSettings& s = diagram_.settings;
    // The drawing shows one column fewer than its cells: every column read is drawn.
    s.cellCount = cellCountDrawing(columns);
    s.waveformWidth = s.cellCount * s.cellWidth;
    for (const auto& [row, from] : undefinedTails_)
        for (int k = from; k < std::min(columns, kMaxDrawnColumns); ++k)
            diagram_.store.floodStyles().set(row, k, kHatchFloodStyle);
    undefinedTails_.clear();
    model::fitNameColumn(diagram_, measurer_);
    const model::RecordList& rows = diagram_.store.signals();
    model::RecordList& arrows = diagram_.store.list(model::ListId::Arrows);
    const int centre = s.signalHeight / 2;
    for (const PendingArrow& a : arrows_) {
        const auto name = [&](int row) { return std::string(fields::nameOfRow(rows.get(row))); };
        const auto x = [&](int column) { return waveOriginX() + column * s.cellWidth; };
        std::string r = std::to_string(a.fromColumn) + "." + name(a.fromRow) + "." + std::to_string(a.toColumn) + "." +
                        name(a.toRow) + "." + std::to_string(a.headCode) + ".0." + std::to_string(a.lineKind) + ".0." +
                        std::to_string(kCentreAnchor) + "." + std::to_string(kCentreAnchor) + ".";
        for (int v : {x(a.fromColumn), rowTop(a.fromRow) + centre, x(a.toColumn), rowTop(a.toRow) + centre})
            r += std::to_string(v) + ".";
        arrows.append(std::move(r));
    }
    arrows_.clear();
}

} // namespace sigmora::io
