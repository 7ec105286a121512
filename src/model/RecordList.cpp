#include "model/RecordList.h"

#include "model/TextCase.h"

namespace sigmora::model {

namespace {
const std::string kEmpty;
}

const std::string& RecordList::get(int index) const
{
    if (index < 0 || index >= count())
        return kEmpty;
    return records_[static_cast<size_t>(index)];
}

int RecordList::append(std::string record)
{
    records_.push_back(std::move(record));
    return count() - 1;
}

void RecordList::insert(int index, std::string record)
{
    if (index < 0)
        index = 0;
    if (index >= count()) {
        records_.push_back(std::move(record));
        return;
    }
    records_.insert(records_.begin() + index, std::move(record));
}

void RecordList::remove(int index)
{
    if (index < 0 || index >= count())
        return;
    records_.erase(records_.begin() + index);
}

void RecordList::clear()
{
    records_.clear();
    selection_ = -1;
}

void RecordList::replace(int index, std::string record)
{
    if (index < 0 || index >= count())
        return;
    records_[static_cast<size_t>(index)] = std::move(record);
    selection_ = index;
}

int RecordList::findPrefix(std::string_view prefix, int after) const
{
    for (int i = after < 0 ? 0 : after + 1; i < count(); ++i) {
        if (startsWithIgnoringCase(records_[static_cast<size_t>(i)], prefix))
            return i;
    }
    return -1;
}

int RecordList::findExact(std::string_view text, int after) const
{
    for (int i = after < 0 ? 0 : after + 1; i < count(); ++i) {
        if (equalsIgnoringCase(records_[static_cast<size_t>(i)], text))
            return i;
    }
    return -1;
}

} // namespace sigmora::model
