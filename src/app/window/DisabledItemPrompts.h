#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace sigmora::app {

// The status bar shows the prompt of the highlighted menu item, enabled or not. Qt shows the
// prompts of enabled items only; this watcher of the menus shows those of disabled items.
class DisabledItemPrompts : public QObject {
    Q_OBJECT
public:
    // window: the widget whose status bar shows the prompts (the main window).
    explicit DisabledItemPrompts(QWidget* window);

    // Watches a menu and its submenus.
    void watch(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void highlight(const QAction* action);

    QWidget* window_;
    bool showing_ = false; // the status bar shows a disabled item's prompt
};

} // namespace sigmora::app
