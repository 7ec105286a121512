#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "edit/values/CycleLabelValues.h"

class QLabel;
class QLineEdit;

namespace sigmora::dialogs {

// "Customize the clock cycle labels": the label text (prefix, start value, suffix), the next text
// (increment), the repeat rule, and a preview of the first two labels.
class CycleLabelsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kNotAnInteger = "Please enter an integer.";

    explicit CycleLabelsDialog(const edit::CycleLabelValues& values, QWidget* parent = nullptr);

    const edit::CycleLabelValues& values() const { return values_; }
    QString firstPreview() const;
    QString secondPreview() const;

    // Tells the user about a field that does not hold an integer; a message box unless a test
    // replaces it.
    std::function<void(const QString& text)> tell;

    // OK: every integer field must hold an integer; the first one that does not is refused with
    // a message and gets the focus.
    void accept() override;

private:
    QLineEdit* textField(const char* objectName, const std::string& text);
    void updatePreview();
    edit::CycleLabelValues readTexts() const;

    edit::CycleLabelValues values_;
    QLineEdit* prefix_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* suffix_ = nullptr;
    QLineEdit* increment_ = nullptr;
    std::array<QLineEdit*, 5> integers_{};
    QLabel* first_ = nullptr;
    QLabel* second_ = nullptr;
};

} // namespace sigmora::dialogs
