#include "app/window/DisabledItemPrompts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusTipEvent>
#include <QTimer>

namespace sigmora::app {

DisabledItemPrompts::DisabledItemPrompts(QWidget* window) : QObject(window), window_(window) {}

void DisabledItemPrompts::watch(QMenu* menu)
{
    menu->installEventFilter(this);
    for (QMenu* sub : menu->findChildren<QMenu*>())
        sub->installEventFilter(this);
}

bool DisabledItemPrompts::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        highlight(menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        break;
    case QEvent::KeyPress: {
        // The menu moves its highlight when it handles the key, after this filter.
        QPointer<QMenu> guarded(menu);
        QTimer::singleShot(0, this, [this, guarded] {
            if (guarded)
                highlight(guarded->activeAction());
        });
        break;
    }
    case QEvent::Hide:
        highlight(nullptr);
        break;
    default:
        break;
    }
    return false;
}

void DisabledItemPrompts::highlight(const QAction* action)
{
    const bool disabled = action && !action->isEnabled() && !action->isSeparator();
    if (!disabled && !showing_)
        return; // Qt shows the prompts of enabled items itself
    QStatusTipEvent tip(disabled ? action->statusTip() : QString());
    QCoreApplication::sendEvent(window_, &tip);
    showing_ = disabled;
}

} // namespace sigmora::app
