#include "dialogs/PeriodDividerDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace sigmora::dialogs {

PeriodDividerDialog::PeriodDividerDialog(int currentDivider, QWidget* parent)
    : QDialog(parent), choices_(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Setup Default Period"));
    choices_->setObjectName(QStringLiteral("periodChoices"));
    choices_->addItem(QStringLiteral("1x"));
    for (int n = 2; n <= kMaxDivider; ++n)
        choices_->addItem(QString::asprintf("1/%dx", n));
    if (currentDivider >= 1 && currentDivider <= kMaxDivider)
        choices_->setCurrentIndex(currentDivider - 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose Clock Period Frequency"), this));
    layout->addWidget(choices_);
    layout->addWidget(buttons);
}

int PeriodDividerDialog::divider() const
{
    return choices_->currentIndex() + 1;
}

} // namespace sigmora::dialogs
