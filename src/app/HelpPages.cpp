#include "app/HelpPages.h"

#include <QDesktopServices>
#include <QDir>

#include "app/AppPaths.h"
#include "edit/CommandIds.h"

namespace sigmora::app {

namespace {
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
} // namespace

QUrl HelpPages::url(int command) const
{
    const char* page = pageOf(command);
    const QString dir = paths_.guideDir();
    if (!page || dir.isEmpty())
        return {};
    return QUrl::fromLocalFile(QDir(dir).filePath(QString::fromUtf8(page)));
}

bool HelpPages::open(int command) const
{
    const QUrl page = url(command);
    return !page.isEmpty() && QDesktopServices::openUrl(page);
}

} // namespace sigmora::app
