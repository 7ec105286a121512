#pragma once

#include <QDialog>

#include "io/dump/VcdReader.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QLabel;

namespace sigmora::dialogs {

// "Import Value Change Dump": the clock whose half-cycles become the cells (1-bit variables, most
// often changing first), the signals that become rows (all checked at first, at most 256) and the
// time window, in the dump's time unit.
class VcdImportDialog : public QDialog {
    Q_OBJECT
public:
    VcdImportDialog(const io::VcdSurvey& survey, const io::VcdChoice& proposed, QWidget* parent = nullptr);
    // The choice shown; the signals list is empty when every signal is checked.
    io::VcdChoice choice() const;

private:
    void checkAll(bool checked);
    void validate();

    const io::VcdSurvey& survey_;
    QComboBox* clock_;
    QListWidget* signals_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* problem_;
    QWidget* okButton_ = nullptr;
};

} // namespace sigmora::dialogs
