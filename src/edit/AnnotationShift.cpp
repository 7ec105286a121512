#include "edit/AnnotationShift.h"

#include <algorithm>
#include <string>

#include "edit/RowNames.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr std::string_view kLabelCaption = "WFLabel*";
constexpr int kCarryLimit = 16;
// The cycle field and name field of each end of an annotation record, and the field of the end's
// x in pixels (-1: none).
constexpr int kArrowEnds[2][3] = {{0, 1, 10}, {2, 3, 12}};
constexpr int kLabelEnds[2][3] = {{0, 1, -1}, {2, 3, -1}};
constexpr int kTimeBreakEnd[1][3] = {{0, 1, -1}};

struct Shift {
    std::string_view name;
    int count;
    int column;
    int cellWidth;
    // An end at cell w: where it goes, or -1 when it lies in removed cells.
    int moved(int w) const
    {
        if (w < column)
            return w;
        if (count < 0 && w < column - count)
            return -1;
        return std::clamp(w + count, 0, model::kMaxCells - 1);
    }
};

bool namesRow(std::string_view record, int nameField, const Shift& s)
{
    auto name = fields::textField(record, nameField);
    return name && sameRowName(*name, s.name);
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

// Moves the ends of records in a list that name the row; a record with an end in removed cells
// is deleted through `remove`.
template <typename Remove>
void shiftEnds(model::RecordList& list, const int (*ends)[3], int endCount, const Shift& s, Remove remove)
{
    for (int i = list.count() - 1; i >= 0; --i) {
        std::string record = list.get(i);
        bool removed = false;
        bool changed = false;
        for (int e = 0; e < endCount && !removed; ++e) {
            if (!namesRow(record, ends[e][1], s))
                continue;
            const int w = fields::intField(record, ends[e][0]);
            const int to = s.moved(w);
            if (to < 0) {
                removed = true;
            } else if (to != w) {
                record = fields::withIntField(record, ends[e][0], to);
                if (ends[e][2] >= 0 && fields::hasField(record, ends[e][2]))
                    record = fields::withIntField(record, ends[e][2],
                                                  fields::intField(record, ends[e][2]) + (to - w) * s.cellWidth);
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
        std::string record = texts.get(i);
        if (!namesRow(record, model::textfield::Attachment, s) || st.cellWidth <= 0)
            continue;
        const int left = fields::intField(record, model::textfield::Left);
        const int w = (left - st.nameColumnWidth - st.nameMargin) / st.cellWidth;
        const int to = s.moved(w);
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
    if (count == 0 || row < 0 || row >= diagram.store.signalCount())
        return;
    const std::string name(fields::nameOfRow(diagram.store.signals().get(row)));
    const Shift s{name, count, column, diagram.settings.cellWidth};
    model::ObjectStore& store = diagram.store;

    if (count > 0) {
        shiftGridRow(store.floodStyles().row(row), column, count);
        shiftGridRow(store.edgeOffsets().row(row), column + 1, count);
    } else {
        shiftGridRow(store.floodStyles().row(row), column, count);
        removeEdgeOffsets(store.edgeOffsets().row(row), column + 1, -count);
    }

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
