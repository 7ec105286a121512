#include "edit/rows/SeparatorCommands.h"

#include <algorithm>
#include <cstdio>

#include "edit/annotations/LabelLines.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/annotations/TextRelayout.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"

namespace sigmora::edit {

namespace {

constexpr const char* kBaseName = "separator";
constexpr const char* kNumberedName = "separator %d ";
constexpr int kSelectedCellAfterInsert = 100;

// Moves the rows from `from` to the last one grid row down by one and clears row `from`.
void openGridRow(model::CellGrid& grid, int from)
{
    for (int r = model::kMaxRows - 1; r > from; --r)
        std::copy_n(grid.row(r - 1), model::kMaxCells, grid.row(r));
    grid.clearRow(from);
}

// Text boxes attached to rows at or below `from` go down with their rows.
void moveAttachedTextsDown(model::Diagram& diagram, int from)
{
    model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    const int pitch = render::Layout::from(diagram.settings).rowPitch();
    for (int i = 0; i < texts.count(); ++i) {
        const std::string& record = texts.get(i);
        if (attachedRowOfText(diagram.store, record) < from)
            continue;
        using model::fields::intField;
        using model::fields::withIntField;
        std::string moved = withIntField(record, model::textfield::Top, intField(record, model::textfield::Top) + pitch);
        moved = withIntField(moved, model::textfield::Bottom, intField(record, model::textfield::Bottom) + pitch);
        texts.replace(i, moved);
    }
}

} // namespace

std::string chooseSeparatorName(const model::RecordList& signals)
{
    std::string candidate = kBaseName;
    for (int n = 2; signals.findPrefix(candidate) >= 0; ++n) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, kNumberedName, n);
        candidate = buffer;
    }
    return candidate;
}

std::string buildSeparatorRecord(const std::string& name, model::SeparatorKind kind)
{
    return model::fields::joinRow(name, "SEP_0.0.1.Arial." + std::to_string(static_cast<int>(kind)) + ".1.0.0.0.1.");
}

void insertSeparator(Session& session, model::SeparatorKind kind)
{
    if (!session.abortPendingTools() || !session.roomForRow())
        return;
    model::Diagram& diagram = session.diagram();
    model::RecordList& rows = diagram.store.signals();
    diagram.modified = true;
    session.drawHint = false;
    const int selected = session.state().selectedRow;
    const int at = selected >= 0 && selected < rows.count() ? selected : 0;
    keepLabelLinesOverInsertedRow(diagram, at);
    moveAttachedTextsDown(diagram, at);
    rows.insert(at, buildSeparatorRecord(chooseSeparatorName(rows), kind));
    openGridRow(diagram.store.edgeOffsets(), at);
    openGridRow(diagram.store.floodStyles(), at);
    rows.setSelection(at);
    InteractionState& st = session.state();
    st.selectedRow = at;
    st.selectedCell = kSelectedCellAfterInsert;
    st.textPlacement = 0;
    session.refresh();
    session.takeSnapshot();
}

void registerSeparatorCommands(Session& session)
{
    using model::SeparatorKind;
    CommandRegistry& r = session.commands();
    r.add(cmd::InsertSeparatorBlank, [&session] { insertSeparator(session, SeparatorKind::Blank); });
    r.add(cmd::InsertSeparatorSolid, [&session] { insertSeparator(session, SeparatorKind::SolidLine); });
    r.add(cmd::InsertSeparatorDotted, [&session] { insertSeparator(session, SeparatorKind::DottedLine); });
    r.add(cmd::InsertSeparatorRectangle, [&session] { insertSeparator(session, SeparatorKind::SolidRectangle); });
}

} // namespace sigmora::edit
