#pragma once

#include <QDialog>
#include <QHash>
#include <vector>

#include "io/dump/VcdReader.h"

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QLabel;

namespace sigmora::dialogs {

// "Import Value Change Dump": the clock whose half-cycles become the cells (1-bit variables, most
// often changing first), the signals that become rows (a tree of the dump's scopes that opens and
// closes, every signal checked at first, a scope's box checking all beneath it; a filter box narrows
// the tree to the signals whose name holds it, and a count shows the rows the choice makes, the clock
// counted once, against the 256 a diagram holds) and the time window, typed and shown with units or
// in the dump's own unit.
class VcdImportDialog : public QDialog {
    Q_OBJECT
public:
    VcdImportDialog(const io::VcdSurvey& survey, const io::VcdChoice& proposed, QWidget* parent = nullptr);
    // The choice shown; the signals list is empty when every signal is checked.
    io::VcdChoice choice() const;

    // The rows a choice makes: the clock, and every checked signal but the clock.
    int rowCount() const;

private:
    QLineEdit* timeEdit(const char* objectName);
    QLabel* timeNote(const char* objectName);
    void checkShown(bool checked);
    void filter(const QString& text);
    // The scope item for the scopes of a signal's name, made when first needed.
    QTreeWidgetItem* scopeItem(const QStringList& scopes);
    static bool shown(const QTreeWidgetItem* item);
    void validate();
    QString timeProblem(const QLineEdit* edit, QLabel* note, const QString& which) const;

    const io::VcdSurvey& survey_;
    QComboBox* clock_;
    QLineEdit* filter_;
    QTreeWidget* signals_;
    std::vector<QTreeWidgetItem*> leaves_; // one a variable, in the dump's order
    QHash<QString, QTreeWidgetItem*> scopes_; // by the scope names down to it, joined
    QLineEdit* from_;
    QLineEdit* to_;
    QLabel* fromNote_;
    QLabel* toNote_;
    QLabel* rows_;
    QLabel* problem_;
    QWidget* okButton_ = nullptr;
};

} // namespace sigmora::dialogs
