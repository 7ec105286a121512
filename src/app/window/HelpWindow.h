#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace sigmora::app {

// The built-in help window: the pages of the installed user's guide, shown when no program is
// set up to open web pages. Links between the pages are followed inside the window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows a page of the guide and brings the window forward.
    void showPage(const QUrl& page);
    QUrl page() const;

private:
    QTextBrowser* browser_;
};

} // namespace sigmora::app
