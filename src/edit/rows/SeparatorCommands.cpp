#include "edit/rows/SeparatorCommands.h"

#include <algorithm>
#include <cstdio>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
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

void insertSeparator(Editor& editor, model::SeparatorKind kind)
{
    if (!editor.abortPendingTools() || !editor.roomForRow())
        return;
    model::Diagram& diagram = editor.diagram();
    model::RecordList& rows = diagram.store.signals();
    diagram.modified = true;
    editor.drawHint = false;
    const int selected = editor.state().selectedRow;
    const int at = selected >= 0 && selected < rows.count() ? selected : 0;
    moveAttachedTextsDown(diagram, at);
    rows.insert(at, buildSeparatorRecord(chooseSeparatorName(rows), kind));
    openGridRow(diagram.store.edgeOffsets(), at);
    openGridRow(diagram.store.floodStyles(), at);
    rows.setSelection(at);
    InteractionState& st = editor.state();
    st.selectedRow = at;
    st.selectedCell = kSelectedCellAfterInsert;
    st.textPlacement = 0;
    editor.refresh();
    editor.takeSnapshot();
}

void registerSeparatorCommands(Editor& editor)
{
    using model::SeparatorKind;
    CommandRegistry& r = editor.commands();
    r.add(cmd::InsertSeparatorBlank, [&editor] { insertSeparator(editor, SeparatorKind::Blank); });
    r.add(cmd::InsertSeparatorSolid, [&editor] { insertSeparator(editor, SeparatorKind::SolidLine); });
    r.add(cmd::InsertSeparatorDotted, [&editor] { insertSeparator(editor, SeparatorKind::DottedLine); });
    r.add(cmd::InsertSeparatorRectangle, [&editor] { insertSeparator(editor, SeparatorKind::SolidRectangle); });
}

} // namespace sigmora::edit
