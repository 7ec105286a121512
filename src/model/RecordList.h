#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::model {

// An ordered list of text records. Never sorted: a record's position is its identity.
class RecordList {
public:
    int count() const { return static_cast<int>(records_.size()); }
    // The record at index, or an empty text for an index outside the list.
    const std::string& get(int index) const;
    // Appends and answers the new index.
    int append(std::string record);
    // Inserts before index; an index past the end appends.
    void insert(int index, std::string record);
    void remove(int index);
    void clear();
    // Replaces the record at index in place (read, change, delete, insert at the same place).
    void replace(int index, std::string record);

    // First record after `after` (-1: whole list) that begins with prefix, ignoring case; -1 if none.
    int findPrefix(std::string_view prefix, int after = -1) const;
    // First record equal to text, ignoring case; -1 if none.
    int findExact(std::string_view text, int after = -1) const;

    int selection() const { return selection_; }
    void setSelection(int index) { selection_ = index; }

    const std::vector<std::string>& records() const { return records_; }

private:
    std::vector<std::string> records_;
    int selection_ = -1;
};

} // namespace sigmora::model
