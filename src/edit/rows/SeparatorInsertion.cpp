#include "edit/rows/SeparatorInsertion.h"

#include <algorithm>
#include <vector>

#include "edit/annotations/LabelLines.h"
#include "edit/values/RowNames.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr std::string_view kSeparatorName = "separator";

std::string separatorName(const model::RecordList& rows)
{
    std::string candidate(kSeparatorName);
    for (int n = 2; rows.findPrefix(candidate) >= 0; ++n)
        candidate = std::string(kSeparatorName) + " " + std::to_string(n) + " ";
    return candidate;
}

// Moves the grid rows from index to the last down by one and clears the row at index.
void openGridRow(model::CellGrid& grid, int index)
{
    for (int r = model::kMaxRows - 1; r > index; --r) {
        std::copy_n(grid.row(r - 1), model::kMaxCells, grid.row(r));
    }
    grid.clearRow(index);
}

void moveAttachedTextDown(model::Diagram& diagram, const std::vector<int>& attachedRows, int index)
{
    const int pitch = render::Layout::from(diagram.settings).rowPitch();
    model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    for (int i = 0; i < texts.count(); ++i) {
        if (attachedRows[static_cast<size_t>(i)] < index)
            continue;
        std::string record = texts.get(i);
        for (int n : {model::textfield::Top, model::textfield::Bottom})
            record = fields::withIntField(record, n, fields::intField(record, n) + pitch);
        texts.replace(i, std::move(record));
    }
}

} // namespace

int insertSeparatorRow(model::Diagram& diagram, int index, model::SeparatorKind kind)
{
    model::RecordList& rows = diagram.store.signals();
    if (rows.count() >= model::kMaxRows)
        return -1;
    index = std::clamp(index, 0, rows.count());

    // The rows the text boxes belong to, read before the new row shifts the indices.
    const model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    std::vector<int> attachedRows;
    for (const std::string& t : texts.records()) {
        auto name = fields::textField(t, model::textfield::Attachment);
        attachedRows.push_back(name && *name != model::kUnattached ? findRowNamed(rows, *name) : -1);
    }

    keepLabelLinesOverInsertedRow(diagram, index);
    const std::string data = "SEP_0.0.1.Arial." + std::to_string(static_cast<int>(kind)) + ".1.0.0.0.1.";
    rows.insert(index, fields::joinRow(separatorName(rows), data));
    openGridRow(diagram.store.edgeOffsets(), index);
    openGridRow(diagram.store.floodStyles(), index);
    moveAttachedTextDown(diagram, attachedRows, index);
    diagram.modified = true;
    return index;
}

} // namespace sigmora::edit
