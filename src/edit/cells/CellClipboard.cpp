#include "edit/cells/CellClipboard.h"

#include <algorithm>

#include "edit/annotations/AnnotationShift.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/values/RowNames.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;
using model::ListId;

constexpr std::string_view kCopyOf = "Copy of ";

model::RecordList& buffer(Session& session) { return session.diagram().store.list(ListId::CopyBuffer); }
model::RecordList& rows(Session& session) { return session.diagram().store.signals(); }

// The marker of an entry: the text before its first '.'.
std::string_view markerOf(std::string_view entry) { return entry.substr(0, entry.find('.')); }
std::string_view afterMarker(std::string_view entry)
{
    const size_t dot = entry.find('.');
    return dot == std::string_view::npos ? std::string_view{} : entry.substr(dot + 1);
}
bool hasMarker(std::string_view entry, std::string_view marker)
{
    return markerOf(entry).find(marker) != std::string_view::npos;
}

char legacyDigit(std::string_view record)
{
    std::string_view kind = fields::textField(fields::dataOfRow(record), model::signalfield::Kind).value_or("");
    const size_t underscore = kind.find('_');
    return underscore != std::string_view::npos && underscore + 1 < kind.size() ? kind[underscore + 1] : '0';
}

bool exempt(std::string_view record)
{
    return model::rowKind(record) == model::kRowKindSeparator || model::signal::locked(record) == 1;
}

void putPicture(Session& session)
{
    if (session.handles(cmd::ExportClipboard))
        session.execute(cmd::ExportClipboard);
}

void setWaveform(Session& session, int row, const std::string& cells)
{
    model::RecordList& list = rows(session);
    list.replace(row, model::signal::withDataField(list.get(row), model::signalfield::Waveform, cells));
    session.selectRow(row);
}

void dropCellsFlag(Session& session)
{
    if (session.clipboard.cellsInBuffer) {
        session.clipboard.cellsInBuffer = false;
        session.refresh();
    }
}

// The block's pixel rectangle in unscrolled diagram coordinates, as text boxes are placed.
struct PixelRect {
    int left, top, right, bottom;
};
PixelRect blockPixels(const Session& session, const CellBlock& b)
{
    const render::Layout l = render::Layout::from(session.diagram().settings);
    const int lastRow = b.firstRow + b.rows - 1;
    return {l.waveOriginX() + b.firstColumn * l.cellWidth, l.topMargin + b.firstRow * l.rowPitch() - l.signalHeight / 2,
            l.waveOriginX() + (b.firstColumn + b.columns) * l.cellWidth,
            l.topMargin + lastRow * l.rowPitch() + l.signalHeight + l.signalHeight / 2};
}

void collectTextsInside(Session& session, const CellBlock& block)
{
    const PixelRect r = blockPixels(session, block);
    const model::RecordList& texts = session.diagram().store.list(ListId::Texts);
    for (int i = texts.count() - 1; i >= 0; --i) {
        const std::string& t = texts.get(i);
        const int left = fields::intField(t, model::textfield::Left);
        const int top = fields::intField(t, model::textfield::Top);
        const int right = fields::intField(t, model::textfield::Right);
        const int bottom = fields::intField(t, model::textfield::Bottom);
        if (left > r.left && right < r.right && top > r.top && bottom < r.bottom)
            session.clipboard.copiedTexts.push_back(t);
    }
}

bool copyBlock(Session& session, const CellBlock& block, bool cut)
{
    CellClipboardState& c = session.clipboard;
    c.copiedTexts.clear();
    model::RecordList& buf = buffer(session);
    buf.clear();
    if (session.state().selectedRow < 0) {
        putPicture(session);
        return false;
    }
    buf.append(kBlockMarker);
    buf.append(std::to_string(block.rows) + "." + std::to_string(block.columns));
    for (int r = block.firstRow; r < block.firstRow + block.rows; ++r) {
        const std::string& record = rows(session).get(r);
        const std::string_view data = fields::dataOfRow(record);
        if (model::isClockData(data) || model::isSeparatorData(data)) {
            buf.clear();
            session.ui().showMessage(model::isClockData(data) ? kClockPartialCopy : kSeparatorPartialCopy, kIllegalCopy,
                                    MessageIcon::Error);
            return false;
        }
        buf.append(std::string(1, legacyDigit(record)));
    }
    for (int r = block.firstRow; r < block.firstRow + block.rows; ++r) {
        std::string cells(model::signal::waveform(rows(session).get(r)));
        const size_t at = static_cast<size_t>(block.firstColumn + 1);
        std::string part = at < cells.size() ? cells.substr(at, static_cast<size_t>(block.columns)) : std::string();
        part.resize(static_cast<size_t>(block.columns), cells.empty() ? '0' : cells.back());
        buf.append(part);
    }
    c.cellsInBuffer = true;
    c.cutOrigin = cut;
    c.wholeSignal = false;
    c.firstRow = block.firstRow;
    c.endRow = block.firstRow + block.rows;
    c.firstColumn = block.firstColumn;
    c.lastColumn = block.firstColumn + block.columns - 1;
    session.refresh();
    collectTextsInside(session, block);
    return true;
}

void copyWholeSignal(Session& session, int row)
{
    dropCellsFlag(session);
    model::RecordList& buf = buffer(session);
    buf.clear();
    const std::string record = rows(session).get(row);
    const std::string_view name = fields::nameOfRow(record);
    buf.append(kSignalMarker + record);
    const model::RecordList& regions = session.diagram().store.list(ListId::LegacyRegions);
    for (int i = regions.count() - 1; i >= 0; --i) {
        auto attached = fields::textField(regions.get(i), 1);
        if (attached && sameRowName(*attached, name))
            buf.append(regions.get(i));
    }
    const model::RecordList& texts = session.diagram().store.list(ListId::Texts);
    for (int i = texts.count() - 1; i >= 0; --i) {
        auto attached = fields::textField(texts.get(i), model::textfield::Attachment);
        if (attached && sameRowName(*attached, name))
            buf.append(kAttachedTextMarker + texts.get(i));
    }
}

// Copies a whole signal, a block, text boxes or an arrow as the selection says; answers whether
// the picture of the diagram goes to the system clipboard as well. Copies of text boxes or an
// arrow and a time-break selection stop before the picture.
bool copyWithoutPicture(Session& session)
{
    CellClipboardState& c = session.clipboard;
    InteractionState& s = session.state();
    c.wholeSignal = false;
    const bool select = s.is(Tool::Select);
    model::RecordList& buf = buffer(session);
    const model::RecordList& texts = session.diagram().store.list(ListId::Texts);
    const model::RecordList& arrows = session.diagram().store.list(ListId::Arrows);
    if (select && s.selectionKind == SelectionKind::TextBox && texts.selection() >= 0) {
        dropCellsFlag(session);
        buf.clear();
        for (int i = 0; i < texts.count() && i < kSelectionFlags; ++i)
            if (s.textSelected[static_cast<size_t>(i)])
                buf.append(kTextMarker + texts.get(i));
        return false;
    }
    if (select && s.selectionKind == SelectionKind::Arrow && arrows.selection() >= 0 &&
        arrows.selection() < arrows.count()) {
        dropCellsFlag(session);
        buf.clear();
        buf.append(kArrowMarker + arrows.get(arrows.selection()));
        return false;
    }
    if (select && s.selectionKind == SelectionKind::TimeBreak)
        return false;
    // A refused block copy ends the copy; without a selected row the block copy has already put
    // the picture there.
    if (auto block = highlightedBlock(session))
        return copyBlock(session, *block, false);
    c.wholeSignal = true;
    const int row = s.selectedRow;
    if (row < 0 || row >= rows(session).count()) {
        buf.clear();
        return true;
    }
    copyWholeSignal(session, row);
    return true;
}

// Removes the cells of the highlighted block from every row that takes cell edits.
void removeBlockCells(Session& session, const CellBlock& block)
{
    session.state().clearTextSelection();
    std::vector<RowCellShift> shifts;
    for (int r = block.firstRow; r < block.firstRow + block.rows; ++r) {
        const std::string record = rows(session).get(r);
        if (exempt(record))
            continue;
        std::string cells(model::signal::waveform(record));
        const size_t at = static_cast<size_t>(block.firstColumn + 1);
        if (at >= cells.size())
            continue;
        const size_t n = std::min(static_cast<size_t>(block.columns), cells.size() - at);
        cells.erase(at, n);
        cells.append(n, cells.empty() ? '0' : cells.back());
        setWaveform(session, r, cells);
        shifts.push_back({r, -static_cast<int>(n)});
    }
    shiftAnnotations(session.diagram(), shifts, block.firstColumn);
}

// Paste or insert of the copied block at the highlighted block (or from a single highlighted cell).
// False when it was refused and nothing changed.
bool placeBlock(Session& session, bool insert)
{
    const char* sizeMessage = insert ? kInsertSizeMismatch : kPasteSizeMismatch;
    const char* caption = insert ? kIllegalInsert : kIllegalPaste;
    const model::RecordList& buf = buffer(session);
    const std::string& size = buf.get(1);
    const int R = fields::cAtoi(size);
    const int C = fields::cAtoi(afterMarker(size));
    auto target = highlightedBlock(session);
    if (target && (target->rows != R || target->columns != C)) {
        if (target->rows == 1 && target->columns == 1) {
            target->rows = R;
            target->columns = C;
        } else {
            target.reset();
        }
    }
    if (!target || R <= 0 || C <= 0 || buf.count() < 2 + 2 * R) {
        session.ui().showMessage(sizeMessage, caption, MessageIcon::Error);
        return false;
    }
    const int available = rows(session).count() - target->firstRow;
    const int rowCount = std::min(R, available);
    for (int i = 0; i < rowCount; ++i) {
        const std::string& record = rows(session).get(target->firstRow + i);
        if (!exempt(record) && legacyDigit(record) != buf.get(2 + i).front()) {
            session.ui().showMessage(kSignalTypeMismatch, kIllegalPaste, MessageIcon::Error);
            return false;
        }
    }
    session.diagram().modified = true;
    std::vector<RowCellShift> shifts;
    for (int i = 0; i < rowCount; ++i) {
        const int r = target->firstRow + i;
        const std::string record = rows(session).get(r);
        const std::string& copied = buf.get(2 + R + i);
        std::string cells(model::signal::waveform(record));
        const size_t at = static_cast<size_t>(target->firstColumn + 1);
        if (at >= cells.size())
            continue;
        if (!insert) {
            if (exempt(record))
                continue;
            cells.replace(at, std::min(copied.size(), cells.size() - at), copied.substr(0, cells.size() - at));
            setWaveform(session, r, cells);
            continue;
        }
        if (!exempt(record)) {
            // The copied cells go in at the block and push the later ones right; the cells pushed
            // past the row's end fall off, the last character stays. Cells before the block never
            // change, also when the block starts near the end.
            const size_t length = cells.size();
            cells.insert(at, copied);
            cells.erase(length - 1, cells.size() - length);
            setWaveform(session, r, cells);
        }
        shifts.push_back({r, C});
    }
    shiftAnnotations(session.diagram(), shifts, target->firstColumn);
    const render::Layout l = render::Layout::from(session.diagram().settings);
    const CellClipboardState& c = session.clipboard;
    const int dx = (target->firstColumn - c.firstColumn) * l.cellWidth;
    const int dy = (target->firstRow - c.firstRow) * l.rowPitch();
    model::RecordList& texts = session.diagram().store.list(ListId::Texts);
    for (const std::string& t : c.copiedTexts) {
        std::string moved = t;
        for (int n : {model::textfield::Left, model::textfield::Right})
            moved = fields::withIntField(moved, n, fields::intField(moved, n) + dx);
        for (int n : {model::textfield::Top, model::textfield::Bottom})
            moved = fields::withIntField(moved, n, fields::intField(moved, n) + dy);
        texts.append(moved);
    }
    return true;
}

std::string renamedField(std::string_view record, int n, std::string_view oldName, std::string_view newName)
{
    auto name = fields::textField(record, n);
    return name && sameRowName(*name, oldName) ? fields::withTextField(record, n, newName) : std::string(record);
}

void pasteWholeSignal(Session& session, int entry)
{
    model::RecordList& buf = buffer(session);
    std::string record(afterMarker(buf.get(entry)));
    const std::string oldName(fields::nameOfRow(record));
    std::string newName = oldName;
    do {
        newName = std::string(kCopyOf) + newName;
        record = std::string(kCopyOf) + record;
    } while (findRowNamed(rows(session), newName) >= 0);
    if (rows(session).count() >= model::kMaxRows)
        return;
    const render::Layout l = render::Layout::from(session.diagram().settings);
    const int newRow = rows(session).count();
    // The entries after the signal name it in their attachment field; only that field is renamed,
    // so that a name found inside other text (a font face) stays as it is.
    for (int i = entry + 1; i < buf.count(); ++i) {
        const std::string& e = buf.get(i);
        if (!hasMarker(e, "qorflood123")) {
            session.diagram().store.list(ListId::LegacyRegions).append(renamedField(e, 1, oldName, newName));
            continue;
        }
        std::string t = renamedField(afterMarker(e), model::textfield::Attachment, oldName, newName);
        const int top = fields::intField(t, model::textfield::Top);
        const int height = fields::intField(t, model::textfield::Bottom) - top;
        const int newTop = l.topMargin + newRow * l.rowPitch();
        t = fields::withIntField(t, model::textfield::Top, newTop);
        t = fields::withIntField(t, model::textfield::Bottom, newTop + height);
        session.diagram().store.list(ListId::Texts).append(t);
    }
    const int index = rows(session).append(record);
    session.diagram().store.floodStyles().clearRow(index);
    session.diagram().store.edgeOffsets().clearRow(index);
}

void pasteText(Session& session, std::string_view entry)
{
    std::string t(afterMarker(entry));
    const int left = fields::intField(t, model::textfield::Left);
    const int top = fields::intField(t, model::textfield::Top);
    const int right = fields::intField(t, model::textfield::Right);
    const int bottom = fields::intField(t, model::textfield::Bottom);
    const int height = bottom - top;
    if (top - height >= 0) {
        t = fields::withIntField(t, model::textfield::Top, top - height);
        t = fields::withIntField(t, model::textfield::Bottom, top);
    } else {
        t = fields::withIntField(t, model::textfield::Left, right);
        t = fields::withIntField(t, model::textfield::Right, right + (right - left));
    }
    model::RecordList& texts = session.diagram().store.list(ListId::Texts);
    const int index = texts.append(t);
    texts.setSelection(index);
    InteractionState& s = session.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::TextBox;
    if (index < kSelectionFlags)
        s.textSelected[static_cast<size_t>(index)] = true;
}

void pasteArrow(Session& session, std::string_view entry)
{
    model::RecordList& arrows = session.diagram().store.list(ListId::Arrows);
    arrows.setSelection(arrows.append(std::string(afterMarker(entry))));
    session.state().currentTool = Tool::Select;
    session.state().selectionKind = SelectionKind::Arrow;
    if (session.tools().nudgeArrow)
        session.tools().nudgeArrow(-1, 0);
}

} // namespace

std::optional<CellBlock> highlightedBlock(const Session& session)
{
    const CellRectangle& r = session.state().rectangle;
    if (!r.active)
        return std::nullopt;
    const render::Layout l = render::Layout::from(session.diagram().settings);
    CellBlock b{r.firstRow() + l.firstVisibleSignal(), r.lastRow() - r.firstRow() + 1,
                r.firstCell() + l.firstVisibleCell, r.lastCell() - r.firstCell() + 1};
    const int count = session.diagram().store.signalCount();
    if (b.firstRow < 0 || b.firstRow >= count || b.firstColumn < 0 || b.firstColumn + 1 >= model::kMaxCells)
        return std::nullopt;
    b.rows = std::min(b.rows, count - b.firstRow);
    b.columns = std::min(b.columns, model::kMaxCells - 1 - b.firstColumn);
    return b;
}

void copySelection(Session& session)
{
    Session::RefreshBatch drawOnce(session);
    if (!copyWithoutPicture(session) || session.clipboard.noPicture)
        return;
    // The outline of the copied block stays out of the picture.
    const bool cells = session.clipboard.cellsInBuffer;
    session.clipboard.cellsInBuffer = false;
    putPicture(session);
    session.clipboard.cellsInBuffer = cells;
    session.refresh();
}

void cutCells(Session& session)
{
    Session::RefreshBatch drawOnce(session);
    auto block = highlightedBlock(session);
    if (!block) {
        // A rectangle left over no cells of any row (its rows were deleted) takes no cells:
        // it ends here, so that the delete command does not hand the work back. Cut then deletes
        // the signal; the Delete command itself goes on to ask about the signal.
        session.state().rectangle.active = false;
        if (session.clipboard.cutCopies && session.handles(cmd::ctx::Delete))
            session.execute(cmd::ctx::Delete);
        return;
    }
    if (session.clipboard.cutCopies) {
        session.clipboard.noPicture = true;
        copyBlock(session, *block, true);
        session.clipboard.noPicture = false;
    }
    removeBlockCells(session, *block);
    session.diagram().modified = true;
    session.refresh();
    // The Delete command that removes cells without copying them takes its own one snapshot.
    if (session.clipboard.cutCopies)
        session.takeSnapshot();
}

bool removeCells(Session& session)
{
    session.clipboard.cutCopies = false;
    cutCells(session);
    session.clipboard.cutCopies = true;
    return session.state().rectangle.active;
}

void pasteBuffer(Session& session)
{
    Session::RefreshBatch drawOnce(session);
    const model::RecordList& buf = buffer(session);
    if (buf.count() == 0)
        return;
    session.diagram().modified = true;
    for (int i = 0; i < buf.count(); ++i) {
        const std::string entry = buf.get(i);
        if (hasMarker(entry, "sig")) {
            pasteWholeSignal(session, i);
            break; // the entries after it were the signal's own
        }
        if (hasMarker(entry, "qortext123")) {
            pasteText(session, entry);
        } else if (hasMarker(entry, "qorarrow123")) {
            pasteArrow(session, entry);
        } else if (!session.clipboard.wholeSignal) {
            placeBlock(session, false);
            break;
        }
    }
    session.takeSnapshot();
    session.refresh();
}

void insertCopiedCells(Session& session)
{
    Session::RefreshBatch drawOnce(session);
    if (!session.clipboard.cellsInBuffer) {
        shiftRight(session);
        return;
    }
    const bool inserted = placeBlock(session, true);
    session.refresh();
    if (inserted)
        session.takeSnapshot();
}

void shiftRight(Session& session)
{
    InteractionState& s = session.state();
    if (s.is(Tool::Select) && s.selectionKind != SelectionKind::Signal)
        return;
    auto block = highlightedBlock(session);
    if (!block)
        return;
    s.clearTextSelection();
    std::vector<RowCellShift> shifts;
    for (int r = block->firstRow; r < block->firstRow + block->rows; ++r) {
        const std::string record = rows(session).get(r);
        if (exempt(record))
            continue;
        std::string cells(model::signal::waveform(record));
        const size_t at = static_cast<size_t>(block->firstColumn + 1);
        if (at >= cells.size() || at == 0)
            continue;
        const char before = cells[at - 1];
        cells.pop_back();
        cells.insert(at, 1, before);
        setWaveform(session, r, cells);
        shifts.push_back({r, 1});
    }
    shiftAnnotations(session.diagram(), shifts, block->firstColumn);
    session.changed();
}

void dropCellCopy(Session& session)
{
    if (!session.clipboard.cellsInBuffer)
        return;
    buffer(session).clear();
    session.clipboard.cellsInBuffer = false;
    session.clipboard.copiedTexts.clear();
    session.refresh();
}

} // namespace sigmora::edit
