#include "dialogs/PrintCyclesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace sigmora::dialogs {

PrintCyclesDialog::PrintCyclesDialog(int proposed, QWidget* parent) : QDialog(parent), cycles_(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Printer Setup"));
    cycles_->setObjectName(QStringLiteral("printCycles"));
    cycles_->setRange(kMinCycles, kMaxCycles);
    cycles_->setValue(proposed);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Number of Clock Cycles to print:"), cycles_);
    layout->addRow(buttons);
}

int PrintCyclesDialog::cycles() const
{
    return cycles_->value();
}

} // namespace sigmora::dialogs
