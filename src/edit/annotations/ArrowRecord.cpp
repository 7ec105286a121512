#include "edit/annotations/ArrowRecord.h"

#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

std::string text(std::string_view record, int n)
{
    return std::string(model::fields::textField(record, n).value_or(std::string_view{}));
}

int number(std::string_view record, int n)
{
    return model::fields::cAtoi(model::fields::textField(record, n).value_or(std::string_view{}));
}

} // namespace

ArrowRecord ArrowRecord::read(std::string_view record)
{
    ArrowRecord a;
    a.beginCell = text(record, 0);
    a.beginName = text(record, 1);
    a.endCell = text(record, 2);
    a.endName = text(record, 3);
    a.head = number(record, 4);
    a.colour = model::fields::cAtoul(model::fields::textField(record, 5).value_or(std::string_view{}));
    a.kind = number(record, 6);
    a.bend = number(record, 7);
    a.beginAnchor = number(record, 8);
    a.endAnchor = number(record, 9);
    a.x1 = number(record, 10);
    a.y1 = number(record, 11);
    a.x2 = number(record, 12);
    a.y2 = number(record, 13);
    return a;
}

std::string ArrowRecord::write() const
{
    auto n = [](long long v) { return std::to_string(v) + "."; };
    return beginPoint() + endPoint() + n(head) + n(colour) + n(kind) + n(bend) + n(beginAnchor) + n(endAnchor) +
           n(x1) + n(y1) + n(x2) + n(y2);
}

} // namespace sigmora::edit
