#pragma once

#include <QDialog>

class QSpinBox;

namespace sigmora::dialogs {

// "Printer Setup": the number of clock cycles Print Advanced prints, 1 to 1000.
class PrintCyclesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintCyclesDialog(int proposed, QWidget* parent = nullptr);
    int cycles() const;

    static constexpr int kMinCycles = 1;
    static constexpr int kMaxCycles = 1000;

private:
    QSpinBox* cycles_;
};

} // namespace sigmora::dialogs
