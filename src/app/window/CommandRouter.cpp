#include "app/window/CommandRouter.h"

#include "edit/Editor.h"

namespace sigmora::app {

bool CommandRouter::handles(int command) const
{
    return editor_.handles(command) || frame_.handles(command);
}

bool CommandRouter::execute(int command)
{
    if (editor_.execute(command))
        return true;
    return frame_.execute(command);
}

edit::CommandState CommandRouter::state(int command) const
{
    if (auto s = editor_.commandState(command))
        return *s;
    if (auto s = frame_.state(command))
        return *s;
    edit::CommandState disabled;
    disabled.enabled = false;
    return disabled;
}

} // namespace sigmora::app
