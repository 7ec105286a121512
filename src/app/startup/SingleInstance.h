#pragma once

#include <QLockFile>
#include <QString>

namespace sigmora::app {

// Only one Sigmora runs per user: the first start holds a lock file named after the application
// title in the user's runtime directory until it ends; a lock left by a program that died is
// taken over.
class SingleInstance {
public:
    // The lock in the user's runtime directory.
    SingleInstance();
    // The lock in a directory of the caller's choice.
    explicit SingleInstance(const QString& directory);

    // True when this process now holds the lock; false when another running instance does.
    bool acquire();
    // The directory of the lock, where the running instance also listens for second starts.
    const QString& directory() const { return directory_; }

private:
    QString directory_;
    QLockFile lock_;
};

} // namespace sigmora::app
