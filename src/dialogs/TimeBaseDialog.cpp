#include "dialogs/TimeBaseDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "io/dump/HalfPeriod.h"

namespace sigmora::dialogs {

namespace {
constexpr std::string_view kWhat = "time base";
} // namespace

TimeBaseDialog::TimeBaseDialog(long long currentFs, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(QString::fromStdString(io::halfPeriodText(currentFs)), this)),
      problem_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Time Base"));
    edit_->setObjectName(QStringLiteral("timeBase"));
    problem_->setObjectName(QStringLiteral("timeBaseProblem"));
    problem_->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Time of one cell (half a clock period, e.g. 5ns):"), edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textChanged, this, &TimeBaseDialog::validate);
    layout->addWidget(buttons);
    validate();
}

std::optional<long long> TimeBaseDialog::timeBase() const
{
    return io::parseHalfPeriod(edit_->text().toStdString(), kWhat).femtoseconds;
}

void TimeBaseDialog::accept()
{
    if (timeBase())
        QDialog::accept();
}

void TimeBaseDialog::validate()
{
    const io::HalfPeriodText parsed = io::parseHalfPeriod(edit_->text().toStdString(), kWhat);
    problem_->setText(QString::fromStdString(parsed.error));
    problem_->setVisible(!parsed.error.empty());
    okButton_->setEnabled(parsed.femtoseconds.has_value());
}

} // namespace sigmora::dialogs
