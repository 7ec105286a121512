#include "dialogs/AsciiWaveformsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sigmora::dialogs {

namespace {
constexpr int kOutputWidth = 720;
constexpr int kOutputHeight = 360;
} // namespace

AsciiWaveformsDialog::AsciiWaveformsDialog(std::vector<io::AsciiRow> rows, QWidget* parent)
    : QDialog(parent),
      rows_(std::move(rows)),
      showNames_(new QCheckBox(QStringLiteral("Show Signal Names"), this)),
      includePrefix_(new QCheckBox(QStringLiteral("Include Prefix"), this)),
      prefix_(new QLineEdit(this)),
      cycles_(new QSpinBox(this)),
      output_(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("ASCII Output Window (highlight with mouse then copy and paste)"));
    const io::AsciiOptions defaults;
    showNames_->setObjectName(QStringLiteral("showNames"));
    showNames_->setChecked(defaults.showNames);
    includePrefix_->setObjectName(QStringLiteral("includePrefix"));
    includePrefix_->setChecked(defaults.includePrefix);
    prefix_->setObjectName(QStringLiteral("prefix"));
    prefix_->setText(QString::fromStdString(defaults.prefix));
    cycles_->setObjectName(QStringLiteral("cycles"));
    cycles_->setRange(io::AsciiOptions::kMinCycles, io::AsciiOptions::kMaxCycles);
    cycles_->setValue(defaults.cycles);
    output_->setObjectName(QStringLiteral("output"));
    output_->setReadOnly(true);
    output_->setLineWrapMode(QPlainTextEdit::NoWrap);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    output_->setMinimumSize(kOutputWidth, kOutputHeight);

    connect(showNames_, &QCheckBox::toggled, this, &AsciiWaveformsDialog::rebuild);
    connect(includePrefix_, &QCheckBox::toggled, this, &AsciiWaveformsDialog::rebuild);
    connect(prefix_, &QLineEdit::textChanged, this, &AsciiWaveformsDialog::rebuild);
    connect(cycles_, &QSpinBox::valueChanged, this, &AsciiWaveformsDialog::rebuild);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(text()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* options = new QHBoxLayout;
    options->addWidget(showNames_);
    options->addWidget(includePrefix_);
    options->addWidget(prefix_);
    options->addWidget(new QLabel(QStringLiteral("Show # of cycles"), this));
    options->addWidget(cycles_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(output_);
    layout->addWidget(buttons);
    rebuild();
}

io::AsciiOptions AsciiWaveformsDialog::options() const
{
    io::AsciiOptions o;
    o.showNames = showNames_->isChecked();
    o.includePrefix = includePrefix_->isChecked();
    o.prefix = prefix_->text().toStdString();
    o.cycles = cycles_->value();
    return o;
}

QString AsciiWaveformsDialog::text() const
{
    return output_->toPlainText();
}

void AsciiWaveformsDialog::rebuild()
{
    // The lines end in a carriage return and a line feed; shown and copied here with the line
    // feed alone, as text on this platform is.
    QString text = QString::fromStdString(io::asciiText(rows_, options()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    output_->setPlainText(text);
}

} // namespace sigmora::dialogs
