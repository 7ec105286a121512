#include "edit/session/CommandRegistry.h"

namespace sigmora::edit {

void CommandRegistry::add(int command, Execute execute, Update update)
{
    entries_[command] = Entry{std::move(execute), std::move(update)};
}

bool CommandRegistry::execute(int command) const
{
    auto it = entries_.find(command);
    if (it == entries_.end())
        return false;
    if (it->second.execute)
        it->second.execute();
    return true;
}

std::optional<CommandState> CommandRegistry::state(int command) const
{
    auto it = entries_.find(command);
    if (it == entries_.end())
        return std::nullopt;
    CommandState s;
    if (it->second.update)
        it->second.update(s);
    return s;
}

std::vector<int> CommandRegistry::numbers() const
{
    std::vector<int> all;
    all.reserve(entries_.size());
    for (const auto& entry : entries_)
        all.push_back(entry.first);
    return all;
}

} // namespace sigmora::edit
