#pragma once

#include <functional>
#include <span>

#include "app/window/CommandTable.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace sigmora::app {

// Turns menu descriptions into Qt menus. Every command item becomes its own QAction whose data
// is the command number; makeAction is told about each one so that it can be wired and updated.
class MenuBuilder {
public:
    using ActionMade = std::function<void(QAction*, int command)>;
    explicit MenuBuilder(ActionMade actionMade) : actionMade_(std::move(actionMade)) {}

    // Adds each top-level pop-up of the description to the menu bar.
    void fill(QMenuBar* bar, std::span<const MenuEntry> entries);
    // Builds the one pop-up of a description (a context menu) as a menu owned by parent.
    QMenu* popup(std::span<const MenuEntry> entries, QWidget* parent);

private:
    // Adds entries to menu up to the End that closes it; answers the index after that End.
    std::size_t addEntries(QMenu* menu, std::span<const MenuEntry> entries, std::size_t at);

    ActionMade actionMade_;
};

} // namespace sigmora::app
