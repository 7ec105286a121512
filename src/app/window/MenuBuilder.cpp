#include "app/window/MenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sigmora::app {

using Kind = MenuEntry::Kind;

void MenuBuilder::fill(QMenuBar* bar, std::span<const MenuEntry> entries)
{
    std::size_t at = 0;
    while (at < entries.size() && entries[at].kind == Kind::Popup) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(entries[at].text));
        at = addEntries(menu, entries, at + 1);
    }
}

QMenu* MenuBuilder::popup(std::span<const MenuEntry> entries, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(entries.front().text), parent);
    addEntries(menu, entries, 1);
    return menu;
}

std::size_t MenuBuilder::addEntries(QMenu* menu, std::span<const MenuEntry> entries, std::size_t at)
{
    while (at < entries.size()) {
        const MenuEntry& e = entries[at++];
        switch (e.kind) {
        case Kind::End: return at;
        case Kind::Separator: menu->addSeparator(); break;
        case Kind::Popup: at = addEntries(menu->addMenu(QString::fromUtf8(e.text)), entries, at); break;
        case Kind::Command:
        case Kind::RecentFiles: {
            QAction* action = menu->addAction(QString::fromUtf8(e.text));
            action->setData(e.command);
            actionMade_(action, e.command);
            break;
        }
        }
    }
    return at;
}

} // namespace sigmora::app
