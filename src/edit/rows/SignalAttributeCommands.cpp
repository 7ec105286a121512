#include "edit/rows/SignalAttributeCommands.h"
#include "edit/rows/Deletions.h"
#include "edit/rows/DiagramCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
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

void applySignalAttributes(Session& session, const SignalAttributes& before, const SignalAttributes& after)
{
    model::Diagram& diagram = session.diagram();
    model::RecordList& rows = diagram.store.signals();
    const int row = before.rowIndex;
    if (row < 0 || row >= rows.count())
        return;
    SignalAttributes values = after;
    values.delayText = clampedDelayText(values.delayText, diagram.settings.cellWidth);

    const bool clock = values.isClock;
    const bool frequencyChanged = clock && values.clockFrequency != before.clockFrequency;
    const bool dutyChanged = clock && values.clockDuty != before.clockDuty;
    if (frequencyChanged && session.ui().askYesNo(kClockPeriodQuestion, kClockPeriodCaption))
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
    model::fitNameColumn(diagram, session.measurer());
    session.refresh();
}

void editSignalAttributes(Session& session)
{
    if (!session.abortPendingTools())
        return;
    const model::RecordList& rows = session.diagram().store.signals();
    const int row = session.state().selectedRow;
    if (row < 0 || row >= rows.count()) {
        session.ui().showMessage(kSelectSignalFirst, kSelectSignalCaption);
        return;
    }
    if (model::rowKind(rows.get(row)) == model::kRowKindSeparator)
        return;
    const SignalAttributes before = readSignalAttributes(session.diagram(), row);
    SignalAttributes after = before;
    after.deleteAvailable = true;
    switch (session.ui().editSignalAttributes(after)) {
    case SignalDialogResult::Ok:
        applySignalAttributes(session, before, after);
        break;
    case SignalDialogResult::Delete:
        removeSignalRow(session, row);
        break;
    case SignalDialogResult::Cancel:
        break;
    }
    session.takeSnapshot();
}

void registerSignalAttributeCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::EditSignalAttributes, [&session] { editSignalAttributes(session); });
    r.add(cmd::ctx::EditAttributes, [&session] { editSignalAttributes(session); });
    r.add(cmd::CreateDerivedSignal, [&session] { addRow(session, model::NewRowKind::Signal); });
    // A double click on a row's name opens the dialog on that row (it is selected first).
    session.tools().editSignalAttributes = [&session](int) { editSignalAttributes(session); };
}

} // namespace sigmora::edit
