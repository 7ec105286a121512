#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>

#include "dialogs/ColourSwatch.h"
#include "edit/values/SignalAttributes.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace sigmora::dialogs {

// "Signal Name and Attributes": name, name font, colours, edge style and arrows, lock,
// differential and active-low display, delay offset, derivation expression and, for clocks,
// frequency and duty cycle of one row. It only collects values; the editor writes them back.
class SignalAttributesDialog : public QDialog {
    Q_OBJECT
public:
    explicit SignalAttributesDialog(const edit::SignalAttributes& values, QWidget* parent = nullptr);

    // The values as the user left them (read after OK).
    const edit::SignalAttributes& values() const { return values_; }
    // "Delete Signal" was chosen and confirmed; the dialog then closed as Cancel.
    bool deleteRequested() const { return deleteRequested_; }

    // The dialog's questions, messages and colour choice; message boxes and the colour dialog
    // unless a test replaces them.
    std::function<bool(const QString& text, const QString& caption)> ask;
    std::function<void(const QString& text)> tell;
    std::function<std::optional<QColor>()> chooseColour;

    static const QStringList& fontSizes();

    // OK: the delay limit, then the duplicate-name check; the dialog stays open on a duplicate.
    void accept() override;

private:
    void buildControls();
    void fillControls();
    void updateSample();
    void pickColour(model::Colour& colour, ColourSwatch* swatch);
    void pickFont();
    void deleteSignal();
    void readControls();

    edit::SignalAttributes values_;
    bool deleteRequested_ = false;
    QLineEdit* name_ = nullptr;
    QLabel* sample_ = nullptr;
    QComboBox* face_ = nullptr;
    QComboBox* size_ = nullptr;
    ColourSwatch* fontSwatch_ = nullptr;
    ColourSwatch* signalSwatch_ = nullptr;
    ColourSwatch* invalidSwatch_ = nullptr;
    QCheckBox* ideal_ = nullptr;
    QCheckBox* rising_ = nullptr;
    QCheckBox* falling_ = nullptr;
    QCheckBox* lock_ = nullptr;
    QCheckBox* differential_ = nullptr;
    QCheckBox* activeLow_ = nullptr;
    QLabel* frequencyLabel_ = nullptr;
    QComboBox* frequency_ = nullptr;
    QLabel* dutyLabel_ = nullptr;
    QComboBox* duty_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QLineEdit* expression_ = nullptr;
};

} // namespace sigmora::dialogs
