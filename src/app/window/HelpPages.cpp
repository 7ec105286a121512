#include "app/window/HelpPages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "app/platform/AppPaths.h"
#include "edit/session/CommandIds.h"

namespace sigmora::app {

namespace {
constexpr int kQueryMilliseconds = 2000;

const char* pageOf(int command)
{
    switch (command) {
    case edit::cmd::HelpUsersGuide: return "index.html";
    case edit::cmd::HelpFaq: return "faq.html";
    case edit::cmd::HelpReportBug: return "report-a-bug.html";
    case edit::cmd::HelpCheckUpdates: return "updates.html";
    default: return nullptr;
    }
}
// With the desktop's opener installed, the opener itself succeeds even when no program takes web
// pages: ask which program takes them. Without the opener, the platform finds a browser or fails.
bool someProgramOpensWebPages()
{
    if (!qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() || mime.isEmpty())
        return true;
    QProcess query;
    query.start(mime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(kQueryMilliseconds)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

QUrl HelpPages::url(int command) const
{
    const char* page = pageOf(command);
    const QString dir = paths_.guideDir();
    if (!page || dir.isEmpty())
        return {};
    const QString file = QDir(dir).filePath(QString::fromUtf8(page));
    return QFileInfo::exists(file) ? QUrl::fromLocalFile(file) : QUrl();
}

bool HelpPages::openInBrowser(const QUrl& page)
{
    return someProgramOpensWebPages() && QDesktopServices::openUrl(page);
}

} // namespace sigmora::app
