#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "model/TimingParameter.h"

class QCheckBox;
class QLabel;
class QTableWidget;

namespace sigmora::dialogs {

// "Timing Parameters": the diagram's table, one row per parameter: symbol, description, min,
// typ, max (each optional), unit and the label it measures (or none). OK keeps the table only
// when every row is one a diagram can hold (a symbol, limits that are numbers, a time unit, the
// minimum not above the maximum); otherwise the reason is shown and the dialog stays open.
// Rows left wholly empty are dropped.
class TimingParametersDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { Symbol, Description, Min, Typ, Max, Unit, Label, ColumnCount };

    TimingParametersDialog(const std::vector<model::TimingParameter>& parameters, bool violationsInPictures,
                           const std::vector<std::string>& labels, QWidget* parent = nullptr);

    std::vector<model::TimingParameter> parameters() const { return accepted_; }
    bool violationsInPictures() const;

    void accept() override;
    // Adds an empty row (unit ns, no label) and answers its index.
    int addRow();

private:
    void setRow(int row, const model::TimingParameter& p);
    // The rows as parameters, or the reason one cannot be kept.
    bool readRows(std::vector<model::TimingParameter>& out, std::string& problem) const;

    QTableWidget* table_;
    QCheckBox* redInPictures_;
    QLabel* problem_;
    std::vector<std::string> labels_;
    std::vector<model::TimingParameter> accepted_;
};

} // namespace sigmora::dialogs
