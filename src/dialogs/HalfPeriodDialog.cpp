#include "dialogs/HalfPeriodDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "io/dump/HalfPeriod.h"

namespace sigmora::dialogs {

namespace {
constexpr const char* kSection = "StimulusExport";
constexpr const char* kHalfPeriodKey = "HalfPeriod";
constexpr int kMaxNotesShown = 12;
} // namespace

HalfPeriodDialog::HalfPeriodDialog(const QString& title, const std::vector<std::string>& notes, QWidget* parent,
                                   bool withOutputDelay, std::optional<long long> start)
    : QDialog(parent),
      edit_(new QLineEdit(start ? QString::fromStdString(io::halfPeriodText(*start)) : remembered(), this)),
      problem_(new QLabel(this))
{
    setWindowTitle(title);
    edit_->setObjectName(QStringLiteral("halfPeriod"));
    problem_->setObjectName(QStringLiteral("halfPeriodProblem"));
    problem_->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Half-period (one cell, e.g. 5ns):"), edit_);
    if (withOutputDelay) {
        delay_ = new QLineEdit(this);
        delay_->setObjectName(QStringLiteral("outputDelay"));
        delay_->setPlaceholderText(QStringLiteral("the drawn slant"));
        form->addRow(QStringLiteral("Output delay after a clock edge (e.g. 1ns):"), delay_);
        connect(delay_, &QLineEdit::textChanged, this, &HalfPeriodDialog::validate);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    if (!notes.empty()) {
        QString text = QStringLiteral("Renamed for the file:");
        for (std::size_t i = 0; i < notes.size() && i < static_cast<std::size_t>(kMaxNotesShown); ++i)
            text += QStringLiteral("\n") + QString::fromStdString(notes[i]);
        if (notes.size() > static_cast<std::size_t>(kMaxNotesShown))
            text += QStringLiteral("\n... and %1 more.").arg(notes.size() - kMaxNotesShown);
        auto* note = new QLabel(text, this);
        note->setObjectName(QStringLiteral("halfPeriodNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit_, &QLineEdit::textChanged, this, &HalfPeriodDialog::validate);
    layout->addWidget(buttons);
    validate();
}

std::optional<long long> HalfPeriodDialog::halfPeriod() const
{
    return io::parseHalfPeriod(edit_->text().toStdString()).femtoseconds;
}

QString HalfPeriodDialog::remembered()
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    const QString text = settings.value(QString::fromUtf8(kHalfPeriodKey)).toString();
    if (io::parseHalfPeriod(text.toStdString()).femtoseconds)
        return text;
    return QString::fromStdString(io::halfPeriodText(io::kDefaultHalfPeriodFs));
}

void HalfPeriodDialog::remember(const QString& text)
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    settings.setValue(QString::fromUtf8(kHalfPeriodKey), text.trimmed());
}

std::optional<long long> HalfPeriodDialog::outputDelayPs() const
{
    const std::optional<long long> half = halfPeriod();
    if (!delay_ || !half)
        return std::nullopt;
    return io::parseOutputDelay(delay_->text().toStdString(), *half).picoseconds;
}

void HalfPeriodDialog::accept()
{
    if (!halfPeriod())
        return;
    if (delay_ && !io::parseOutputDelay(delay_->text().toStdString(), *halfPeriod()).error.empty())
        return;
    remember(edit_->text());
    QDialog::accept();
}

void HalfPeriodDialog::validate()
{
    const io::HalfPeriodText parsed = io::parseHalfPeriod(edit_->text().toStdString());
    std::string error = parsed.error;
    if (error.empty() && delay_)
        error = io::parseOutputDelay(delay_->text().toStdString(), *parsed.femtoseconds).error;
    problem_->setText(QString::fromStdString(error));
    problem_->setVisible(!error.empty());
    okButton_->setEnabled(error.empty());
}

} // namespace sigmora::dialogs
