#pragma once

#include <string>
#include <vector>

namespace sigmora::model {

// Messages that record readers found worth telling the user. Readers never fail and never show
// anything themselves: whoever called them shows the collected messages, outside painting.
class ReaderReport {
public:
    void add(std::string message) { messages_.push_back(std::move(message)); }
    const std::vector<std::string>& messages() const { return messages_; }
    bool empty() const { return messages_.empty(); }
    void clear() { messages_.clear(); }

private:
    std::vector<std::string> messages_;
};

} // namespace sigmora::model
