#include "edit/rows/Deletions.h"

#include <string>
#include <vector>

#include "edit/session/Session.h"
#include "edit/annotations/TextBoxes.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

constexpr const char* kAreYouSure = "Are you sure?";
constexpr const char* kDeleteSignal = "Delete the signal: ";
constexpr const char* kDeleteOneText = "Delete the text box message?\n";
constexpr const char* kDeleteTexts = "Delete the selected text boxes?";
constexpr const char* kDeleteLabel = "Delete the currently selected label?";
constexpr const char* kDeleteTimeBreak = "Delete the currently selected time break?";
constexpr const char* kDeleteColumn = "Do you want to delete each TIMEBREAK down the entire column (on all the signals)?";
constexpr const char* kColumnDelete = "Column Delete?";
constexpr const char* kDeleteArrow = "Delete the currently selected arrow?";
// Fields of annotation records that name a signal: the begin and the end.
constexpr int kBeginSignalField = 1;
constexpr int kEndSignalField = 3;

model::RecordList& list(Session& e, model::ListId id)
{
    return e.diagram().store.list(id);
}

bool sameName(std::string_view a, std::string_view b)
{
    return model::equalsIgnoringCase(model::trimBlanks(a), model::trimBlanks(b));
}

bool fieldNames(const std::string& record, int field, std::string_view name)
{
    const auto f = model::fields::textField(record, field);
    return f && model::fields::hasField(record, field) && sameName(*f, name);
}

// Removes every record of a list that one of the fields names the signal in.
void removeNaming(model::RecordList& records, std::string_view name, std::initializer_list<int> fields)
{
    for (int i = records.count() - 1; i >= 0; --i) {
        for (int f : fields) {
            if (fieldNames(records.get(i), f, name)) {
                records.remove(i);
                break;
            }
        }
    }
}

// The current entry of a list, the first when none is current; -1 for an empty list.
int currentOrFirst(const model::RecordList& records)
{
    if (records.count() == 0)
        return -1;
    const int current = records.selection();
    return current >= 0 && current < records.count() ? current : 0;
}

void selectFirst(model::RecordList& records)
{
    records.setSelection(records.count() > 0 ? 0 : -1);
}

// The label number in a caption's attachment "WFLabel*N*", or -1 for any other text box.
int captionLabel(std::string_view attachment)
{
    if (attachment.substr(0, kLabelTextPrefix.size()) != kLabelTextPrefix)
        return -1;
    const auto rest = attachment.substr(kLabelTextPrefix.size());
    const auto star = rest.find('*');
    return model::fields::cAtoi(rest.substr(0, star));
}

// Removes label i with its caption; the captions of later labels are renumbered.
void removeLabel(Session& session, int index)
{
    model::RecordList& texts = list(session, model::ListId::Texts);
    for (int i = texts.count() - 1; i >= 0; --i) {
        const std::string record = texts.get(i);
        const auto attachment = model::fields::textField(record, model::textfield::Attachment);
        const int n = attachment ? captionLabel(*attachment) : -1;
        if (n == index)
            texts.remove(i);
        else if (n > index)
            texts.replace(i, model::fields::withTextField(record, model::textfield::Attachment,
                                                          std::string(kLabelTextPrefix) + std::to_string(n - 1) + "*"));
    }
    list(session, model::ListId::Labels).remove(index);
    model::followDeletedLabel(session.diagram().extension.parameters, index);
}

void removeLabelsNaming(Session& session, std::string_view name)
{
    model::RecordList& labels = list(session, model::ListId::Labels);
    for (int i = labels.count() - 1; i >= 0; --i)
        if (fieldNames(labels.get(i), kBeginSignalField, name) || fieldNames(labels.get(i), kEndSignalField, name))
            removeLabel(session, i);
}

// The signal a text box is attached to, by name; -1 for free boxes and label captions.
int attachedRow(const model::RecordList& rows, std::string_view attachment)
{
    for (int r = 0; r < rows.count(); ++r)
        if (sameName(model::fields::nameOfRow(rows.get(r)), attachment))
            return r;
    return -1;
}

// Text boxes of the deleted row go; those of later rows move up one row.
void removeOrLiftTexts(Session& session, int row)
{
    model::RecordList& texts = list(session, model::ListId::Texts);
    const model::RecordList& rows = session.diagram().store.signals();
    const int pitch = render::Layout::from(session.diagram().settings).rowPitch();
    for (int i = texts.count() - 1; i >= 0; --i) {
        const auto attachment = model::fields::textField(texts.get(i), model::textfield::Attachment);
        if (!attachment || captionLabel(*attachment) >= 0)
            continue;
        const int attached = attachedRow(rows, *attachment);
        if (attached == row)
            texts.remove(i);
        else if (attached > row)
            moveTextBox(session, i, 0, -pitch, TextMove::Step);
    }
    session.state().clearTextSelection();
}

void liftGridRows(model::CellGrid& grid, int row)
{
    for (int r = row; r + 1 < model::kMaxRows; ++r) {
        std::int32_t* to = grid.row(r);
        const std::int32_t* from = grid.row(r + 1);
        std::copy(from, from + model::kMaxCells, to);
    }
    grid.clearRow(model::kMaxRows - 1);
}

void emptyCellCopy(Session& session)
{
    if (session.tools().emptyCellCopy)
        session.tools().emptyCellCopy();
    else
        list(session, model::ListId::CopyBuffer).clear();
}

void removeSignalUnchecked(Session& session, int row)
{
    model::Diagram& d = session.diagram();
    const std::string name(model::fields::nameOfRow(d.store.signals().get(row)));
    d.modified = true;
    removeNaming(list(session, model::ListId::Arrows), name, {kBeginSignalField, kEndSignalField});
    removeLabelsNaming(session, name);
    removeNaming(list(session, model::ListId::LegacyRegions), name, {kBeginSignalField});
    removeNaming(list(session, model::ListId::TimeBreaks), name, {kBeginSignalField});
    removeOrLiftTexts(session, row);
    d.store.signals().remove(row);
    liftGridRows(d.store.edgeOffsets(), row);
    liftGridRows(d.store.floodStyles(), row);
    model::fitNameColumn(d, session.measurer());
    session.deselectRow();
    session.state().selectedCell = -1;
    emptyCellCopy(session);
    session.refresh();
}

} // namespace

void removeSignalRow(Session& session, int row)
{
    if (row >= 0 && row < session.diagram().store.signals().count())
        removeSignalUnchecked(session, row);
}

void deleteSelectedSignal(Session& session)
{
    const int row = session.state().selectedRow;
    const model::RecordList& rows = session.diagram().store.signals();
    if (row < 0 || row >= rows.count())
        return;
    // Highlighted cells go instead of the signal; a rectangle that covers no cells is ended by
    // the removal and the signal is asked about. One undo snapshot either way.
    const bool cellsRemoved =
        session.state().rectangle.active && (!session.tools().removeCells || session.tools().removeCells());
    if (!cellsRemoved) {
        const std::string name = model::fields::decodePeriods(model::fields::nameOfRow(rows.get(row)));
        if (session.ui().askYesNo(kDeleteSignal + name, kAreYouSure, MessageIcon::Warning))
            removeSignalUnchecked(session, row);
    }
    session.takeSnapshot();
}

void deleteSelectedTextBoxes(Session& session)
{
    const int count = selectedTextCount(session);
    if (count == 0)
        return;
    model::RecordList& texts = list(session, model::ListId::Texts);
    model::ReaderReport ignored;
    const std::string question =
        count == 1 ? kDeleteOneText + model::fields::decodePeriods(
                                          model::textbox::message(texts.get(firstSelectedText(session)), ignored))
                   : std::string(kDeleteTexts);
    if (session.ui().askYesNo(question, kAreYouSure)) {
        for (int i = std::min(texts.count(), kSelectionFlags) - 1; i >= 0; --i)
            if (session.state().textSelected[i])
                texts.remove(i);
        session.state().clearTextSelection();
        texts.setSelection(-1);
        session.diagram().modified = true;
    }
    session.refresh();
    session.takeSnapshot();
}

void deleteCurrentLabel(Session& session)
{
    model::RecordList& labels = list(session, model::ListId::Labels);
    const int index = currentOrFirst(labels);
    if (index < 0)
        return;
    labels.setSelection(index);
    session.refresh();
    if (!session.ui().askYesNo(kDeleteLabel, kAreYouSure))
        return;
    removeLabel(session, index);
    selectFirst(labels);
    session.state().labelStep = kStepIdle;
    session.changed();
}

void deleteCurrentTimeBreak(Session& session)
{
    model::RecordList& breaks = list(session, model::ListId::TimeBreaks);
    const int index = currentOrFirst(breaks);
    if (index < 0)
        return;
    const std::string record = breaks.get(index);
    model::ReaderReport ignored;
    if (session.diagram().store.attachedSignal(record, ignored) != 0) {
        if (!session.ui().askYesNo(kDeleteTimeBreak, kAreYouSure))
            return;
        breaks.remove(index);
    } else {
        if (!session.ui().askYesNo(kDeleteColumn, kColumnDelete))
            return;
        const int column = model::fields::intField(record, 0);
        for (int i = breaks.count() - 1; i >= 0; --i)
            if (model::fields::intField(breaks.get(i), 0) == column)
                breaks.remove(i);
    }
    selectFirst(breaks);
    session.changed();
}

void deleteCurrentArrow(Session& session)
{
    model::RecordList& arrows = list(session, model::ListId::Arrows);
    const int index = currentOrFirst(arrows);
    if (index < 0 || !session.ui().askYesNo(kDeleteArrow, kAreYouSure))
        return;
    arrows.remove(index);
    selectFirst(arrows);
    session.state().arrowStep = kStepIdle;
    session.changed();
}

void cutSelection(Session& session)
{
    if (!session.abortPendingTools())
        return;
    const InteractionState& s = session.state();
    if (s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow)
        deleteCurrentArrow(session);
    else if (s.is(Tool::Label) || s.selectionKind == SelectionKind::Label)
        deleteCurrentLabel(session);
    else if (s.is(Tool::TimeBreak) || s.selectionKind == SelectionKind::TimeBreak)
        deleteCurrentTimeBreak(session);
    else if (s.selectionKind != SelectionKind::Signal)
        deleteSelectedTextBoxes(session);
    else if (session.tools().cutCells)
        session.tools().cutCells();
}

void deleteByKey(Session& session)
{
    const InteractionState& s = session.state();
    if (s.is(Tool::Arrow))
        return deleteCurrentArrow(session);
    if (s.is(Tool::Label))
        return deleteCurrentLabel(session);
    if (s.is(Tool::TimeBreak))
        return deleteCurrentTimeBreak(session);
    switch (s.selectionKind) {
    case SelectionKind::Signal: return deleteSelectedSignal(session);
    case SelectionKind::TimeBreak: return deleteCurrentTimeBreak(session);
    case SelectionKind::Arrow: return deleteCurrentArrow(session);
    case SelectionKind::Label: return deleteCurrentLabel(session);
    default: return deleteSelectedTextBoxes(session);
    }
}

} // namespace sigmora::edit
