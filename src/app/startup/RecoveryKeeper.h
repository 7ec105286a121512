#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

#include "edit/files/RecoveryCopy.h"

namespace sigmora::app {

class MainWindow;

// Keeps the recovery copy of the window's diagram up to date while the program runs (within two
// seconds of a change, and at once when the program loses the focus), offers a copy left by a
// crash at start-up, and removes the copy when the program closes normally.
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
    // A change was seen: the copy is written when the delay since the first change not yet
    // copied has passed.
    void noteChange();
    void writeDue();

    MainWindow& window_;
    std::function<void()> redraw_; // the window's own refresh, called first
    edit::RecoveryCopy copy_;
    QTimer delay_;
};

} // namespace sigmora::app
