#pragma once

#include <QLockFile>
#include <QString>

namespace sigmora::app {

// Only one Sigmora runs per user and display: the first start on a display holds a lock file
// named after the application title and the display in the user's runtime directory until it
// ends; a lock left by a program that died is taken over. A start on another display (another
// X server, another Wayland session) holds a lock of its own and opens its own window.
class SingleInstance {
public:
    // The lock in the user's runtime directory, for the display of this process.
    SingleInstance();
    // The lock in a directory of the caller's choice, for a display named by the caller ("" for
    // none).
    SingleInstance(const QString& directory, const QString& display);

    // True when this process now holds the lock; false when another running instance does.
    bool acquire();
    // The directory of the lock, where the running instance also listens for second starts.
    const QString& directory() const { return directory_; }
    // Where the instance holding the lock listens for second starts on its display.
    QString socket() const;

    // The display of this process as the lock names it: WAYLAND_DISPLAY, else DISPLAY without its
    // screen number (":72.0" is ":72"); "" for none.
    static QString currentDisplay();

private:
    QString directory_;
    QString name_; // "Sigmora 3.3", with " on DISPLAY" for a display
    QLockFile lock_;
};

} // namespace sigmora::app
