#pragma once

#include <QDialog>

namespace sigmora::app {

// "About Sigmora": the program icon and "Sigmora 3.3.5", closed by OK.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace sigmora::app
