#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sigmora::edit {

// What a menu item or button shows for a command.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    std::optional<std::string> text; // replaces the item's text when set
};

// The commands one handler serves: what each does and how its item shows. A command without an
// entry has no handler here.
class CommandRegistry {
public:
    using Execute = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    void add(int command, Execute execute, Update update = {});
    bool handles(int command) const { return entries_.count(command) != 0; }
    // Runs the command; false when it has no handler here.
    bool execute(int command) const;
    // The item's state; nothing when the command has no handler here.
    std::optional<CommandState> state(int command) const;
    // The numbers of every command with a handler here, ascending.
    std::vector<int> numbers() const;

private:
    struct Entry {
        Execute execute;
        Update update;
    };
    std::map<int, Entry> entries_;
};

} // namespace sigmora::edit
