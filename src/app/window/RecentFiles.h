#pragma once

#include <QString>
#include <QStringList>

namespace sigmora::app {

// The list of recently opened or saved diagrams, newest first, at most ten, kept in the
// application settings under "Recent File List" ("File1" ... "File10").
class RecentFiles {
public:
    static constexpr int kMaxEntries = 10;

    // Reads the list from the settings.
    RecentFiles();

    const QStringList& paths() const { return paths_; }
    // Puts path at the top (moving it there when already listed) and saves the list.
    void add(const QString& path);
    // Takes path off the list and saves it.
    void remove(const QString& path);

    // The menu text of entry index (0-based): "&1 path" ... "1&0 path".
    static QString menuText(int index, const QString& path);

private:
    void save() const;

    QStringList paths_;
};

} // namespace sigmora::app
