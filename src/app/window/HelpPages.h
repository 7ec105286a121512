#pragma once

#include <QUrl>

namespace sigmora::app {

class AppPaths;

// The pages behind the Help menu's four web commands. Sigmora has no public web site, so every
// page is part of the HTML user's guide installed with the program and opens in the desktop's
// default browser from the local disk, or in the built-in help window when there is no browser.
class HelpPages {
public:
    explicit HelpPages(const AppPaths& paths) : paths_(paths) {}

    // The page of a Help command (User's Guide, FAQ, Report a bug, Check for Product Updates);
    // an empty URL for any other command or when the page is not installed.
    QUrl url(int command) const;
    // Opens a page with the default browser; false when no program is set up to open web pages.
    static bool openInBrowser(const QUrl& page);

private:
    const AppPaths& paths_;
};

} // namespace sigmora::app
