#pragma once

#include "edit/session/CommandRegistry.h"

namespace sigmora::edit {
class Editor;
}

namespace sigmora::app {

// Carries a command to its handler: the editor (the diagram view) first, then the frame and the
// application. A command nobody handles is shown disabled and does nothing.
class CommandRouter {
public:
    explicit CommandRouter(edit::Editor& editor) : editor_(editor) {}

    // The frame's and the application's own handlers.
    edit::CommandRegistry& frameCommands() { return frame_; }

    bool handles(int command) const;
    // Runs the command at the first handler that has it; false when nobody does.
    bool execute(int command);
    // What the command's items show; disabled when nobody handles it.
    edit::CommandState state(int command) const;

private:
    edit::Editor& editor_;
    edit::CommandRegistry frame_;
};

} // namespace sigmora::app
