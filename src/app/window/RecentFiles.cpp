#include "app/window/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace sigmora::app {

namespace {
constexpr const char* kSection = "Recent File List";

QString key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

QString normalised(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

RecentFiles::RecentFiles()
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    for (int i = 0; i < kMaxEntries; ++i) {
        const QString path = settings.value(key(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path))
            paths_ << path;
    }
}

void RecentFiles::add(const QString& path)
{
    const QString full = normalised(path);
    paths_.removeAll(full);
    paths_.prepend(full);
    while (paths_.size() > kMaxEntries)
        paths_.removeLast();
    save();
}

void RecentFiles::remove(const QString& path)
{
    if (paths_.removeAll(path) > 0)
        save();
}

QString RecentFiles::menuText(int index, const QString& path)
{
    // The tenth entry's mnemonic is its 0, as in "1&0".
    const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QStringLiteral("1&0");
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return number + QLatin1Char(' ') + shown;
}

void RecentFiles::save() const
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < paths_.size())
            settings.setValue(key(i), paths_[i]);
        else
            settings.remove(key(i));
    }
}

} // namespace sigmora::app
