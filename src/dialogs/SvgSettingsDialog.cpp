#include "dialogs/SvgSettingsDialog.h"

#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace sigmora::dialogs {

namespace {

constexpr int kDecimals = 4;

QLineEdit* numberEdit(float value, const QString& name, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::number(static_cast<double>(value)), parent);
    edit->setObjectName(name);
    auto* validator = new QDoubleValidator(SvgSettingsDialog::kMinValue, SvgSettingsDialog::kMaxValue, kDecimals, edit);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    edit->setValidator(validator);
    return edit;
}

float numberOf(const QLineEdit* edit)
{
    return QLocale::c().toFloat(edit->text());
}

} // namespace

SvgSettingsDialog::SvgSettingsDialog(float scale, float activeLowBarFactor, QWidget* parent)
    : QDialog(parent),
      scale_(numberEdit(scale, QStringLiteral("svgScale"), this)),
      barFactor_(numberEdit(activeLowBarFactor, QStringLiteral("activeLowBarFactor"), this))
{
    setWindowTitle(QStringLiteral("Setup SVG output"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(scale_, &QLineEdit::textChanged, this, &SvgSettingsDialog::updateOk);
    connect(barFactor_, &QLineEdit::textChanged, this, &SvgSettingsDialog::updateOk);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Transform Scaling Factor :(1.0) "), scale_);
    form->addRow(new QLabel(QStringLiteral("Active Low Bar above signal names:"), this));
    form->addRow(QStringLiteral("Enter multiplication factor ( 0.8 )"), barFactor_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    updateOk();
}

float SvgSettingsDialog::scale() const
{
    return numberOf(scale_);
}

float SvgSettingsDialog::activeLowBarFactor() const
{
    return numberOf(barFactor_);
}

void SvgSettingsDialog::updateOk()
{
    ok_->setEnabled(scale_->hasAcceptableInput() && barFactor_->hasAcceptableInput());
}

} // namespace sigmora::dialogs
