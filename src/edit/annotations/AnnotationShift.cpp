#include "edit/annotations/AnnotationShift.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/TextCase.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr std::string_view kLabelCaption = "WFLabel*";
constexpr int kCarryLimit = 16;
// The cycle field and name field of each end of an annotation record. Only the cycle follows the
// cells: an arrow end that floats is drawn at its stored pixels and stays where the user put it,
// and a snapped end is drawn from its cycle alone.
constexpr int kArrowEnds[2][2] = {{0, 1}, {2, 3}};
constexpr int kLabelEnds[2][2] = {{0, 1}, {2, 3}};
constexpr int kTimeBreakEnd[1][2] = {{0, 1}};

// A row name as the record searches compare it: blanks trimmed, ASCII letters in lower case.
std::string nameKey(std::string_view name)
{
    std::string key(model::trimBlanks(name));
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

// Where an end at cell w of a row goes when `count` cells are inserted (count > 0) or removed
// at `column`: -1 when it lies in removed cells.
int movedEnd(int w, int count, int column)
{
    if (w < column)
        return w;
    if (count < 0 && w < column - count)
        return -1;
    return std::clamp(w + count, 0, model::kMaxCells - 1);
}

// The shifts of every row named alike, in row order (two rows may share a name).
struct Shift {
    std::unordered_map<std::string, std::vector<int>> countsByName;
    int column;

    const std::vector<int>* countsOf(std::string_view name) const
    {
        auto it = countsByName.find(nameKey(name));
        return it == countsByName.end() ? nullptr : &it->second;
    }
    static int moved(int w, const std::vector<int>& counts, int column)
    {
        for (int count : counts) {
            w = movedEnd(w, count, column);
            if (w < 0)
                break;
        }
        return w;
    }
};

// The shifts of the row a record's name field names, or nothing.
const std::vector<int>* namedCounts(std::string_view record, int nameField, const Shift& s)
{
    auto name = fields::textField(record, nameField);
    return name ? s.countsOf(*name) : nullptr;
}

void shiftGridRow(std::int32_t* entries, int first, int count)
{
    if (!entries || first < 0 || first >= model::kMaxCells)
        return;
    if (count > 0) {
        std::copy_backward(entries + first, entries + model::kMaxCells - std::min(count, model::kMaxCells - first),
                           entries + model::kMaxCells);
        std::fill(entries + first, entries + std::min(first + count, model::kMaxCells), 0);
    } else {
        const int m = std::min(-count, model::kMaxCells - first);
        std::copy(entries + first + m, entries + model::kMaxCells, entries + first);
        std::fill(entries + model::kMaxCells - m, entries + model::kMaxCells, 0);
    }
}

// Moves the ends of records in a list that name a shifted row; a record with an end in removed
// cells is deleted through `remove`.
template <typename Remove>
void shiftEnds(model::RecordList& list, const int (*ends)[2], int endCount, const Shift& s, Remove remove)
{
    for (int i = list.count() - 1; i >= 0; --i) {
        // Most records name other rows: they are looked at in place and not copied.
        const std::string& stored = list.get(i);
        const std::vector<int>* counts[2] = {nullptr, nullptr};
        bool named = false;
        for (int e = 0; e < endCount; ++e) {
            counts[e] = namedCounts(stored, ends[e][1], s);
            named = named || counts[e];
        }
        if (!named)
            continue;
        std::string record = stored;
        bool removed = false;
        bool changed = false;
        for (int e = 0; e < endCount && !removed; ++e) {
            if (!counts[e])
                continue;
            const int w = fields::intField(record, ends[e][0]);
            const int to = Shift::moved(w, *counts[e], s.column);
            if (to < 0) {
                removed = true;
            } else if (to != w) {
                record = fields::withIntField(record, ends[e][0], to);
                changed = true;
            }
        }
        if (removed)
            remove(i);
        else if (changed)
            list.replace(i, std::move(record));
    }
}

void shiftTextBoxes(model::Diagram& diagram, const Shift& s)
{
    const model::DiagramSettings& st = diagram.settings;
    model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    for (int i = texts.count() - 1; i >= 0; --i) {
        const std::vector<int>* counts = namedCounts(texts.get(i), model::textfield::Attachment, s);
        if (!counts || st.cellWidth <= 0)
            continue;
        std::string record = texts.get(i);
        const int left = fields::intField(record, model::textfield::Left);
        const int w = (left - st.nameColumnWidth - st.nameMargin) / st.cellWidth;
        const int to = Shift::moved(w, *counts, s.column);
        if (to < 0) {
            texts.remove(i);
            continue;
        }
        const int dx = (to - w) * st.cellWidth;
        if (dx == 0)
            continue;
        for (int n : {model::textfield::Left, model::textfield::Right})
            record = fields::withIntField(record, n, fields::intField(record, n) + dx);
        texts.replace(i, std::move(record));
    }
}

int captionNumber(std::string_view record)
{
    auto attachment = fields::textField(record, model::textfield::Attachment);
    if (!attachment || attachment->substr(0, kLabelCaption.size()) != kLabelCaption)
        return -1;
    return fields::cAtoi(attachment->substr(kLabelCaption.size()));
}

} // namespace

void deleteLabel(model::Diagram& diagram, int index)
{
    model::RecordList& labels = diagram.store.list(model::ListId::Labels);
    if (index < 0 || index >= labels.count())
        return;
    labels.remove(index);
    model::followDeletedLabel(diagram.extension.parameters, index);
    if (labels.selection() >= labels.count())
        labels.setSelection(-1);
    model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    for (int i = texts.count() - 1; i >= 0; --i) {
        const int number = captionNumber(texts.get(i));
        if (number == index)
            texts.remove(i);
        else if (number > index)
            texts.replace(i, fields::withTextField(texts.get(i), model::textfield::Attachment,
                                                   std::string(kLabelCaption) + std::to_string(number - 1) + "*"));
    }
}

void removeEdgeOffsets(std::int32_t* entries, int first, int count)
{
    if (!entries || first < 0 || first >= model::kMaxCells || count <= 0)
        return;
    const int m = std::min(count, model::kMaxCells - first);
    long long v = 0;
    for (int k = first; k < first + m; ++k)
        v += entries[k];
    shiftGridRow(entries, first, -m);
    for (int k = first; k < model::kMaxCells && v != 0; ++k) {
        const long long w = entries[k];
        const long long b = v + w;
        if (v <= 0 && b < -kCarryLimit) {
            entries[k] = static_cast<std::int32_t>(-kCarryLimit);
            v = b + kCarryLimit;
        } else if (v > 0 && b > kCarryLimit) {
            entries[k] = kCarryLimit;
            v = b - kCarryLimit;
        } else {
            entries[k] = static_cast<std::int32_t>(b);
            v = 0;
        }
    }
}

void shiftAnnotations(model::Diagram& diagram, int row, int count, int column)
{
    shiftAnnotations(diagram, std::vector<RowCellShift>{{row, count}}, column);
}

void shiftAnnotations(model::Diagram& diagram, const std::vector<RowCellShift>& shifts, int column)
{
    model::ObjectStore& store = diagram.store;
    Shift s{{}, column};
    for (const RowCellShift& shift : shifts) {
        if (shift.count == 0 || shift.row < 0 || shift.row >= store.signalCount())
            continue;
        s.countsByName[nameKey(fields::nameOfRow(store.signals().get(shift.row)))].push_back(shift.count);
        if (shift.count > 0) {
            shiftGridRow(store.floodStyles().row(shift.row), column, shift.count);
            shiftGridRow(store.edgeOffsets().row(shift.row), column + 1, shift.count);
        } else {
            shiftGridRow(store.floodStyles().row(shift.row), column, shift.count);
            removeEdgeOffsets(store.edgeOffsets().row(shift.row), column + 1, -shift.count);
        }
    }
    if (s.countsByName.empty())
        return;

    model::RecordList& breaks = store.list(model::ListId::TimeBreaks);
    shiftEnds(breaks, kTimeBreakEnd, 1, s, [&breaks](int i) { breaks.remove(i); });
    model::RecordList& arrows = store.list(model::ListId::Arrows);
    shiftEnds(arrows, kArrowEnds, 2, s, [&arrows](int i) {
        arrows.remove(i);
        arrows.setSelection(-1);
    });
    shiftEnds(store.list(model::ListId::Labels), kLabelEnds, 2, s, [&diagram](int i) { deleteLabel(diagram, i); });
    shiftTextBoxes(diagram, s);
}

} // namespace sigmora::edit
