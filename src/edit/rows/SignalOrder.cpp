#include "edit/rows/SignalOrder.h"

#include <algorithm>
#include <string>

#include "edit/session/Session.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return model::equalsIgnoringCase(model::trimBlanks(a), model::trimBlanks(b));
}

// The text indices attached to a signal, found before any row moves.
std::vector<int> textsOf(Session& session, int signalIndex)
{
    const model::RecordList& texts = session.diagram().store.list(model::ListId::Texts);
    const std::string name =
        model::fields::encodePeriods(model::fields::nameOfRow(session.diagram().store.signals().get(signalIndex)));
    std::vector<int> found;
    for (int i = 0; i < texts.count(); ++i) {
        const auto attachment = model::fields::textField(texts.get(i), model::textfield::Attachment);
        if (attachment && sameName(*attachment, name))
            found.push_back(i);
    }
    return found;
}

void swapGridRows(model::CellGrid& grid, int a, int b)
{
    std::int32_t* ra = grid.row(a);
    std::int32_t* rb = grid.row(b);
    if (ra && rb)
        std::swap_ranges(ra, ra + model::kMaxCells, rb);
}

void moveTexts(Session& session, const std::vector<int>& indices, int dy)
{
    model::RecordList& texts = session.diagram().store.list(model::ListId::Texts);
    namespace tf = model::textfield;
    for (int i : indices) {
        std::string r = texts.get(i);
        r = model::fields::withIntField(r, tf::Top, model::fields::intField(r, tf::Top) + dy);
        r = model::fields::withIntField(r, tf::Bottom, model::fields::intField(r, tf::Bottom) + dy);
        texts.replace(i, std::move(r));
    }
}

} // namespace

void moveAttachedTexts(Session& session, int signalIndex, int dy)
{
    moveTexts(session, textsOf(session, signalIndex), dy);
}

bool moveSignal(Session& session, int direction, bool snapshot)
{
    model::RecordList& rows = session.diagram().store.signals();
    const int row = session.state().selectedRow;
    const int other = row + direction;
    if (rows.count() < 2 || row < 0 || row >= rows.count() || other < 0 || other >= rows.count())
        return false;
    if (session.tools().emptyCellCopy) // a copied block of cells no longer fits the rows
        session.tools().emptyCellCopy();
    const int pitch = render::Layout::from(session.diagram().settings).rowPitch();
    const std::vector<int> moved = textsOf(session, row);
    const std::vector<int> neighbour = textsOf(session, other);
    std::string record = rows.get(row);
    rows.remove(row);
    rows.insert(other, std::move(record));
    session.selectRow(other);
    moveTexts(session, moved, direction * pitch);
    moveTexts(session, neighbour, -direction * pitch);
    swapGridRows(session.diagram().store.edgeOffsets(), row, other);
    swapGridRows(session.diagram().store.floodStyles(), row, other);
    session.changed(snapshot);
    return true;
}

} // namespace sigmora::edit
