#pragma once

#include <span>

namespace sigmora::app {

// The command vocabulary of the main window, declared once: what each command says in the status
// bar and its tool tip, the menus that carry it, the tool bars and the accelerator keys. The menu
// bar, the context menus, the tool bars and the shortcuts are all built from these tables.

// Framework commands the frame serves itself (help and pane switching).
namespace framecmd {
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
} // namespace framecmd

// The recent-file entries use the ten numbers from this one up.
inline constexpr int kRecentFileFirst = 57616;
inline constexpr int kRecentFileCount = 10;

// The status-bar prompt (shown while the item is highlighted) and the tool tip of a command.
struct CommandInfo {
    int command;
    const char* prompt;
    const char* tip;
};

std::span<const CommandInfo> commandInfos();
// The info of a command, or nullptr.
const CommandInfo* commandInfo(int command);

// One line of a menu description. Popup opens a nested menu that runs to its End.
struct MenuEntry {
    enum class Kind { Command, Separator, Popup, End, RecentFiles };
    Kind kind;
    const char* text;
    int command;
};

// The six pop-ups of the menu bar, each a Popup ... End.
std::span<const MenuEntry> mainMenuEntries();

enum class ContextMenu { Signal, Arrow, Label, Text };
inline constexpr ContextMenu kContextMenus[] = {ContextMenu::Signal, ContextMenu::Arrow, ContextMenu::Label,
                                                ContextMenu::Text};
// A context menu: one Popup (its title) ... End.
std::span<const MenuEntry> contextMenuEntries(ContextMenu menu);

// A tool bar: its buttons in order (0 is a separator), the size of its images and where it docks.
struct ToolbarSpec {
    enum class Dock { Left, Top };
    const char* objectName;
    const char* title;
    std::span<const int> buttons;
    int imageWidth;
    int imageHeight;
    Dock dock;
};
std::span<const ToolbarSpec> toolbarSpecs();

// The accelerator keys (in QKeySequence's portable text form).
struct Accelerator {
    int command;
    const char* keys;
};
std::span<const Accelerator> accelerators();

} // namespace sigmora::app
