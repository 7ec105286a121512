#pragma once

#include <QDialog>
#include <vector>

#include "io/exchange/AsciiView.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace sigmora::dialogs {

// "ASCII Output Window": the waveforms as text in a fixed-pitch font, rebuilt whenever an
// option changes, to be selected and copied (or copied whole with "Copy").
class AsciiWaveformsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AsciiWaveformsDialog(std::vector<io::AsciiRow> rows, QWidget* parent = nullptr);

    io::AsciiOptions options() const;
    // The text shown, with the line ends of this platform.
    QString text() const;

private:
    void rebuild();

    std::vector<io::AsciiRow> rows_;
    QCheckBox* showNames_;
    QCheckBox* includePrefix_;
    QLineEdit* prefix_;
    QSpinBox* cycles_;
    QPlainTextEdit* output_;
};

} // namespace sigmora::dialogs
