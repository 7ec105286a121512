#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace sigmora::dialogs {

// "Select the DUT clocks": a list of the diagram's row names in which any number of rows can be
// chosen; the chosen rows become clocks.
class DutClocksDialog : public QDialog {
    Q_OBJECT
public:
    explicit DutClocksDialog(const std::vector<std::string>& rowNames, QWidget* parent = nullptr);
    // The indices of the chosen rows, top to bottom.
    std::vector<int> chosenRows() const;

private:
    QListWidget* rows_;
};

} // namespace sigmora::dialogs
