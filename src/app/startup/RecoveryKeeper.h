#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

#include "edit/files/RecoveryCopy.h"

namespace sigmora::app {

class MainWindow;

// Keeps the recovery copy of the window's diagram up to date while the program runs, offers a
// copy left by a crash at start-up, and removes the copy when the program closes normally.
class RecoveryKeeper : public QObject {
public:
    RecoveryKeeper(MainWindow& window, const QString& folder);
    ~RecoveryKeeper() override;

    // Asks whether to recover each copy left by a crash; Yes opens it, No deletes it, Cancel
    // keeps it for the next start.
    void offerLeftCopy();

    // The user's state folder for Sigmora ($XDG_STATE_HOME/sigmora, else ~/.local/state/sigmora).
    static QString defaultFolder();

private:
    MainWindow& window_;
    std::function<void()> redraw_; // the window's own refresh, called first
    edit::RecoveryCopy copy_;
    QTimer interval_;
};

} // namespace sigmora::app
