#include "edit/rows/RowRename.h"

#include <initializer_list>

#include "edit/values/RowNames.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr int kStartName = 1; // arrows, labels, time breaks and legacy regions
constexpr int kEndName = 3;   // arrows and labels
constexpr std::string_view kOperators[] = {" AND ", " OR "};

void renameFields(model::RecordList& list, std::initializer_list<int> nameFields, std::string_view oldName,
                  std::string_view newName)
{
    for (int i = 0; i < list.count(); ++i) {
        std::string record = list.get(i);
        bool changed = false;
        for (int n : nameFields) {
            auto name = fields::textField(record, n);
            if (name && sameRowName(*name, oldName)) {
                record = fields::withTextField(record, n, newName);
                changed = true;
            }
        }
        if (changed)
            list.replace(i, std::move(record));
    }
}

std::string renamed(std::string_view operand, std::string_view oldName, std::string_view newName)
{
    return sameRowName(operand, oldName) ? std::string(newName) : std::string(operand);
}

} // namespace

std::string renameInExpression(std::string_view expression, std::string_view oldName, std::string_view newName)
{
    for (std::string_view op : kOperators) {
        const size_t at = expression.find(op);
        if (at != std::string_view::npos)
            return renamed(expression.substr(0, at), oldName, newName) + std::string(op) +
                   renamed(expression.substr(at + op.size()), oldName, newName);
    }
    const size_t brace = expression.find('{');
    if (brace != std::string_view::npos)
        return renamed(expression.substr(0, brace), oldName, newName) + std::string(expression.substr(brace));
    return std::string(expression);
}

void renameRowReferences(model::ObjectStore& store, std::string_view oldName, std::string_view newName)
{
    using model::ListId;
    renameFields(store.list(ListId::Arrows), {kStartName, kEndName}, oldName, newName);
    renameFields(store.list(ListId::Labels), {kStartName, kEndName}, oldName, newName);
    renameFields(store.list(ListId::TimeBreaks), {kStartName}, oldName, newName);
    renameFields(store.list(ListId::LegacyRegions), {kStartName}, oldName, newName);
    renameFields(store.list(ListId::Texts), {model::textfield::Attachment}, oldName, newName);

    model::RecordList& rows = store.signals();
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& record = rows.get(i);
        if (model::rowKind(record) == model::kRowKindSeparator)
            continue;
        const std::string expression = model::signal::freeText(record);
        const std::string changed = renameInExpression(expression, oldName, newName);
        if (changed != expression)
            rows.replace(i, model::signal::withDataField(record, model::signalfield::FreeText, changed));
    }
}

} // namespace sigmora::edit
