#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace sigmora::dialogs {

// "Setup SVG output": the scale of the whole SVG drawing and the factor on the measured width of
// the active-low bar over signal names. Both must be positive numbers up to kMaxValue.
class SvgSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr double kMinValue = 0.01;
    static constexpr double kMaxValue = 100.0;

    SvgSettingsDialog(float scale, float activeLowBarFactor, QWidget* parent = nullptr);
    float scale() const;
    float activeLowBarFactor() const;

private:
    void updateOk();

    QLineEdit* scale_;
    QLineEdit* barFactor_;
    QPushButton* ok_;
};

} // namespace sigmora::dialogs
