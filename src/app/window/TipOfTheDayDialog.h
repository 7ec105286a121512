#pragma once

#include <QDialog>
#include <memory>

#include "app/window/TipsReader.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace sigmora::app {

// "Tip of the Day": the light bulb, "Did you know...", one tip from the tips file, "&Next Tip",
// "&Show Tips on StartUp" and "&Close". Its state lives in the settings section "Tip".
class TipOfTheDayDialog : public QDialog {
    Q_OBJECT
public:
    TipOfTheDayDialog(const QString& tipsPath, QWidget* parent = nullptr);
    ~TipOfTheDayDialog() override;

    // True when the settings ask for the tip at start-up ("StartUp" absent or 0).
    static bool showAtStartUp();

    QString tipText() const;

    void accept() override;

private:
    void showNextTip();
    void showTrouble();

    TipState state_;
    std::unique_ptr<TipsReader> reader_;
    QLabel* tip_ = nullptr;
    QCheckBox* startUp_ = nullptr;
    QPushButton* next_ = nullptr;
};

} // namespace sigmora::app
