#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace sigmora::app {

// The CAP, NUM and SCRL panes of the status bar: each shows its text while its lock key is on and
// stays blank while it is off. The key states are read from the X server; on a display without
// one (offscreen, Wayland without X) the panes stay blank.
class KeyStateIndicators : public QObject {
    Q_OBJECT
public:
    explicit KeyStateIndicators(QStatusBar* bar);

    // Reads the lock keys and updates the panes.
    void update();

    QLabel* capsLock() const { return panes_[0]; }
    QLabel* numLock() const { return panes_[1]; }
    QLabel* scrollLock() const { return panes_[2]; }

private:
    QLabel* panes_[3] = {};
};

} // namespace sigmora::app
