#pragma once

#include <QUrl>

namespace sigmora::app {

class AppPaths;

// The pages behind the Help menu's four web commands. Sigmora has no public web site, so every
// page is part of the HTML user's guide installed with the program and opens in the desktop's
// default browser from the local disk.
class HelpPages {
public:
    explicit HelpPages(const AppPaths& paths) : paths_(paths) {}

    // The page of a Help command (User's Guide, FAQ, Report a bug, Check for Product Updates);
    // an empty URL for any other command or when the guide is not installed.
    QUrl url(int command) const;
    // Opens the page of the command with the default browser; false when there is none to open.
    bool open(int command) const;

private:
    const AppPaths& paths_;
};

} // namespace sigmora::app
