#pragma once

#include "edit/UiPort.h"

class QWidget;

namespace sigmora::app {

// The editor's questions and messages as Qt message boxes and dialogs over the main window.
class QtUiPort : public edit::UiPort {
public:
    explicit QtUiPort(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& caption, edit::MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption, edit::MessageIcon icon) override;
    std::optional<int> choosePeriodDivider(int currentDivider) override;

private:
    QWidget* parent_;
};

} // namespace sigmora::app
