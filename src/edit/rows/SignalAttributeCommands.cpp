#include "edit/rows/SignalAttributeCommands.h"
#include "edit/rows/Deletions.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/rows/RowRename.h"
#include "edit/rows/SeparatorInsertion.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/TextLines.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

// A name of L lines needs L / 2 blank separator rows below its row.
void makeRoomForNameLines(model::Diagram& diagram, int row, const std::string& storedName)
{
    const int needed = static_cast<int>(model::splitNameLines(storedName).size()) / 2;
    for (int i = 1; i <= needed; ++i) {
        const model::RecordList& rows = diagram.store.signals();
        const int below = row + i;
        if (below < rows.count() && model::rowKind(rows.get(below)) == model::kRowKindSeparator)
            continue;
        if (insertSeparatorRow(diagram, row + 1, model::SeparatorKind::Blank) < 0)
            return;
    }
}

} // namespace

void applySignalAttributes(Editor& editor, const SignalAttributes& before, const SignalAttributes& after)
{
    model::Diagram& diagram = editor.diagram();
    model::RecordList& rows = diagram.store.signals();
    const int row = before.rowIndex;
    if (row < 0 || row >= rows.count())
        return;
    SignalAttributes values = after;
    values.delayText = clampedDelayText(values.delayText, diagram.settings.cellWidth);

    const bool clock = values.isClock;
    const bool frequencyChanged = clock && values.clockFrequency != before.clockFrequency;
    const bool dutyChanged = clock && values.clockDuty != before.clockDuty;
    if (frequencyChanged && editor.ui().askYesNo(kClockPeriodQuestion, kClockPeriodCaption))
        diagram.settings.periodDivider = values.clockFrequency;

    const std::string oldRecord = rows.get(row);
    const std::string oldName(fields::nameOfRow(oldRecord));
    const std::string newName = storedRowName(values.name);
    if (newName != oldName)
        renameRowReferences(diagram.store, oldName, newName);

    std::string record = buildSignalRecord(oldRecord, values);
    if (frequencyChanged)
        record = model::signal::withDataField(record, model::signalfield::Waveform, clockWaveform(values.clockFrequency));
    rows.replace(row, std::move(record));
    rows.setSelection(row);
    if (frequencyChanged || dutyChanged)
        writeDutyOffsets(diagram.store.edgeOffsets(), row, values.clockDuty, diagram.settings.cellWidth);
    makeRoomForNameLines(diagram, row, newName);

    diagram.modified = true;
    model::fitNameColumn(diagram, editor.measurer());
    editor.refresh();
}

void editSignalAttributes(Editor& editor)
{
    if (!editor.abortPendingTools())
        return;
    const model::RecordList& rows = editor.diagram().store.signals();
    const int row = editor.state().selectedRow;
    if (row < 0 || row >= rows.count()) {
        editor.ui().showMessage(kSelectSignalFirst, kSelectSignalCaption);
        return;
    }
    if (model::rowKind(rows.get(row)) == model::kRowKindSeparator)
        return;
    const SignalAttributes before = readSignalAttributes(editor.diagram(), row);
    SignalAttributes after = before;
    after.deleteAvailable = true;
    switch (editor.ui().editSignalAttributes(after)) {
    case SignalDialogResult::Ok:
        applySignalAttributes(editor, before, after);
        break;
    case SignalDialogResult::Delete:
        removeSignalRow(editor, row);
        break;
    case SignalDialogResult::Cancel:
        break;
    }
    editor.takeSnapshot();
}

void registerSignalAttributeCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::EditSignalAttributes, [&editor] { editSignalAttributes(editor); });
    r.add(cmd::ctx::EditAttributes, [&editor] { editSignalAttributes(editor); });
    r.add(cmd::CreateDerivedSignal, [&editor] { editor.addRow(model::NewRowKind::Signal); });
    // A double click on a row's name opens the dialog on that row (it is selected first).
    editor.tools().editSignalAttributes = [&editor](int) { editSignalAttributes(editor); };
}

} // namespace sigmora::edit
