#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace sigmora::dialogs {

// "Time Base": the time of one cell of the diagram (half a clock period), such as "5ns" (fs,
// ps, ns, us, ms or s). What is no time base (0, negative, above 1 s, not a number) is refused
// with the reason under the field, and OK stays disabled.
class TimeBaseDialog : public QDialog {
    Q_OBJECT
public:
    TimeBaseDialog(long long currentFs, QWidget* parent = nullptr);

    // The time base shown, in femtoseconds; nothing while the text is not one.
    std::optional<long long> timeBase() const;
    void accept() override;

private:
    void validate();

    QLineEdit* edit_;
    QLabel* problem_;
    QWidget* okButton_ = nullptr;
};

} // namespace sigmora::dialogs
