#pragma once

#include <QDialog>

class QComboBox;

namespace sigmora::dialogs {

// "Setup Default Period": picks the period divider, "1x" or "1/Nx" for N from 2 to 64.
class PeriodDividerDialog : public QDialog {
    Q_OBJECT
public:
    explicit PeriodDividerDialog(int currentDivider, QWidget* parent = nullptr);
    int divider() const;

    static constexpr int kMaxDivider = 64;

private:
    QComboBox* choices_;
};

} // namespace sigmora::dialogs
