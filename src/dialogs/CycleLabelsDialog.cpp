#include "dialogs/CycleLabelsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace sigmora::dialogs {

namespace {

constexpr const char* kTitle = "Customize the clock cycle labels";

struct IntegerField {
    const char* label;
    const char* objectName;
    int edit::CycleLabelValues::*value;
};

constexpr IntegerField kIntegerFields[] = {
    {"Period Lines per Label", "periodLinesPerLabel", &edit::CycleLabelValues::periodLinesPerLabel},
    {"Skip Offset", "skipOffset", &edit::CycleLabelValues::skipOffset},
    {"Modulo Count", "moduloCount", &edit::CycleLabelValues::moduloCount},
    {"Modulo Count Offset", "moduloOffset", &edit::CycleLabelValues::moduloOffset},
    {"Repeat Modulo Count", "repeatModuloCount", &edit::CycleLabelValues::repeatModuloCount},
};

QGroupBox* group(const char* title, QWidget* parent)
{
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    new QFormLayout(box);
    return box;
}

void addRow(QGroupBox* box, const char* label, QWidget* field)
{
    static_cast<QFormLayout*>(box->layout())->addRow(QString::fromUtf8(label), field);
}

} // namespace

CycleLabelsDialog::CycleLabelsDialog(const edit::CycleLabelValues& values, QWidget* parent)
    : QDialog(parent), values_(values)
{
    setWindowTitle(QString::fromUtf8(kTitle));
    tell = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Sigmora"), text); };

    prefix_ = textField("prefix", values.prefix);
    start_ = textField("startValue", values.start);
    suffix_ = textField("suffix", values.suffix);
    increment_ = textField("increment", values.increment);
    QGroupBox* labelText = group("Label Text", this);
    addRow(labelText, "Prefix Text (T, etc)", prefix_);
    addRow(labelText, "Start Value", start_);
    addRow(labelText, "Suffix Text  (ns, ps, etc)", suffix_);
    QGroupBox* nextText = group("Next Text", this);
    addRow(nextText, "Incremental Value Offset", increment_);
    QGroupBox* repeat = group("Repeat", this);
    for (size_t i = 0; i < integers_.size(); ++i) {
        const IntegerField& f = kIntegerFields[i];
        integers_[i] = textField(f.objectName, std::to_string(values.*f.value));
        addRow(repeat, f.label, integers_[i]);
    }
    QGroupBox* preview = group("Preview", this);
    first_ = new QLabel(this);
    first_->setObjectName(QStringLiteral("firstPreview"));
    second_ = new QLabel(this);
    second_->setObjectName(QStringLiteral("secondPreview"));
    addRow(preview, "", first_);
    addRow(preview, "", second_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CycleLabelsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(labelText), static_cast<QWidget*>(nextText),
                       static_cast<QWidget*>(repeat), static_cast<QWidget*>(preview)})
        layout->addWidget(w);
    layout->addWidget(buttons);

    for (QLineEdit* e : {prefix_, start_, suffix_, increment_})
        connect(e, &QLineEdit::textChanged, this, &CycleLabelsDialog::updatePreview);
    updatePreview();
}

QLineEdit* CycleLabelsDialog::textField(const char* objectName, const std::string& text)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), this);
    edit->setObjectName(QString::fromUtf8(objectName));
    return edit;
}

edit::CycleLabelValues CycleLabelsDialog::readTexts() const
{
    edit::CycleLabelValues v = values_;
    v.prefix = prefix_->text().toStdString();
    v.start = start_->text().toStdString();
    v.suffix = suffix_->text().toStdString();
    v.increment = increment_->text().toStdString();
    return v;
}

void CycleLabelsDialog::updatePreview()
{
    const auto [first, second] = edit::cycleLabelPreview(readTexts());
    first_->setText(QString::fromStdString(first));
    second_->setText(QString::fromStdString(second));
}

QString CycleLabelsDialog::firstPreview() const
{
    return first_->text();
}

QString CycleLabelsDialog::secondPreview() const
{
    return second_->text();
}

void CycleLabelsDialog::accept()
{
    edit::CycleLabelValues v = readTexts();
    for (size_t i = 0; i < integers_.size(); ++i) {
        bool ok = false;
        const int value = integers_[i]->text().trimmed().toInt(&ok);
        if (!ok) {
            tell(QString::fromUtf8(kNotAnInteger));
            integers_[i]->setFocus();
            integers_[i]->selectAll();
            return;
        }
        v.*kIntegerFields[i].value = value;
    }
    values_ = v;
    QDialog::accept();
}

} // namespace sigmora::dialogs
