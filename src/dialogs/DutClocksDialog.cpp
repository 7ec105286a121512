#include "dialogs/DutClocksDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/RecordFields.h"

namespace sigmora::dialogs {

DutClocksDialog::DutClocksDialog(const std::vector<std::string>& rowNames, QWidget* parent)
    : QDialog(parent), rows_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Select the DUT clocks"));
    rows_->setObjectName(QStringLiteral("dutClockRows"));
    rows_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const std::string& name : rowNames)
        rows_->addItem(QString::fromStdString(model::fields::decodePeriods(name)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows_);
    layout->addWidget(buttons);
}

std::vector<int> DutClocksDialog::chosenRows() const
{
    std::vector<int> chosen;
    for (int i = 0; i < rows_->count(); ++i)
        if (rows_->item(i)->isSelected())
            chosen.push_back(i);
    return chosen;
}

} // namespace sigmora::dialogs
