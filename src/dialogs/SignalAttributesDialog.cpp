#include "dialogs/SignalAttributesDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>


namespace sigmora::dialogs {

namespace {

constexpr int kSamplePixels = 10;
constexpr const char* kTitle = "Signal Name and Attributes";
const QStringList kDutyTexts = {"10/90", "20/80", "30/70", "40/60", "50/50", "60/40", "70/30", "80/20", "90/10"};

QCheckBox* checkBox(const char* text, const char* objectName, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromUtf8(objectName));
    box->setChecked(checked);
    return box;
}

QPushButton* button(const char* text, const char* objectName, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromUtf8(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

const QStringList& SignalAttributesDialog::fontSizes()
{
    static const QStringList sizes = {"6", "8", "10", "12", "14", "18", "24", "32"};
    return sizes;
}

SignalAttributesDialog::SignalAttributesDialog(const edit::SignalAttributes& values, QWidget* parent)
    : QDialog(parent), values_(values)
{
    setWindowTitle(QString::fromUtf8(kTitle));
    ask = [this](const QString& text, const QString& caption) {
        return QMessageBox::warning(this, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    tell = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Sigmora"), text); };
    chooseColour = [this]() -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(Qt::black, this);
        return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
    };
    buildControls();
    fillControls();
    // Once the dialog shows, the name gets the focus with its whole text selected.
    QTimer::singleShot(0, this, [this] {
        name_->setFocus();
        name_->selectAll();
    });
}

void SignalAttributesDialog::buildControls()
{
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nameEdit"));
    sample_ = new QLabel(this);
    sample_->setObjectName(QStringLiteral("sample"));
    face_ = new QComboBox(this);
    face_->setObjectName(QStringLiteral("fontType"));
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("fontSize"));
    fontSwatch_ = new ColourSwatch(this);
    signalSwatch_ = new ColourSwatch(this);
    invalidSwatch_ = new ColourSwatch(this);
    ideal_ = checkBox("Ideal Transition", "ideal", values_.ideal, this);
    rising_ = checkBox("Rising Edge Arrow", "risingArrow", values_.risingArrows, this);
    falling_ = checkBox("Falling Edge Arrow", "fallingArrow", values_.fallingArrows, this);
    lock_ = checkBox("Lock Signal", "lock", values_.locked, this);
    differential_ = checkBox("Show Differential", "differential", values_.differential, this);
    activeLow_ = checkBox("Active Low", "activeLow", values_.activeLow, this);
    frequencyLabel_ = new QLabel(this);
    frequency_ = new QComboBox(this);
    frequency_->setObjectName(QStringLiteral("frequency"));
    dutyLabel_ = new QLabel(this);
    duty_ = new QComboBox(this);
    duty_->setObjectName(QStringLiteral("duty"));
    delay_ = new QLineEdit(this);
    delay_->setObjectName(QStringLiteral("delayOffset"));
    expression_ = new QLineEdit(this);
    expression_->setObjectName(QStringLiteral("expression"));

    QPushButton* fontColour = button("Choose Color", "fontColour", this);
    QPushButton* signalColour = button("Choose Signal Color", "signalColour", this);
    QPushButton* invalidColour = button("Choose Invalid Color", "invalidColour", this);
    QPushButton* font = button("Font...", "fontDialog", this);
    QPushButton* remove = button("Delete Signal", "deleteSignal", this);
    remove->setEnabled(values_.deleteAvailable);

    auto* grid = new QGridLayout;
    int r = 0;
    grid->addWidget(new QLabel(QStringLiteral("Signal Name:"), this), r, 0);
    grid->addWidget(name_, r++, 1, 1, 2);
    grid->addWidget(sample_, r++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Font Type:"), this), r, 0);
    grid->addWidget(face_, r, 1);
    grid->addWidget(font, r++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Font Size:"), this), r, 0);
    grid->addWidget(size_, r++, 1);
    grid->addWidget(fontColour, r, 0);
    grid->addWidget(fontSwatch_, r++, 1);
    grid->addWidget(invalidColour, r, 0);
    grid->addWidget(invalidSwatch_, r++, 1);
    grid->addWidget(signalColour, r, 0);
    grid->addWidget(signalSwatch_, r++, 1);
    for (QCheckBox* box : {ideal_, rising_, falling_, lock_, differential_, activeLow_})
        grid->addWidget(box, r++, 0, 1, 2);
    grid->addWidget(frequencyLabel_, r, 0);
    grid->addWidget(frequency_, r++, 1);
    grid->addWidget(dutyLabel_, r, 0);
    grid->addWidget(duty_, r++, 1);
    grid->addWidget(new QLabel(QStringLiteral("+/- Delay Offset"), this), r, 0);
    grid->addWidget(delay_, r++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Logically derived from:"), this), r, 0);
    grid->addWidget(expression_, r++, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(remove, QDialogButtonBox::DestructiveRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &SignalAttributesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, &SignalAttributesDialog::updateSample);
    connect(face_, &QComboBox::currentIndexChanged, this, &SignalAttributesDialog::updateSample);
    connect(fontColour, &QPushButton::clicked, this, [this] { pickColour(values_.fontColour, fontSwatch_); });
    connect(signalColour, &QPushButton::clicked, this, [this] { pickColour(values_.signalColour, signalSwatch_); });
    connect(invalidColour, &QPushButton::clicked, this, [this] { pickColour(values_.invalidColour, invalidSwatch_); });
    connect(font, &QPushButton::clicked, this, &SignalAttributesDialog::pickFont);
    connect(remove, &QPushButton::clicked, this, &SignalAttributesDialog::deleteSignal);
}

void SignalAttributesDialog::fillControls()
{
    name_->setText(QString::fromStdString(values_.name));
    face_->addItems(QFontDatabase::families());
    size_->addItems(fontSizes());
    // A face this machine lacks or a size the list does not offer is kept as an entry of its own,
    // so that OK writes back what the row had instead of the list's first entry.
    const QString face = QString::fromStdString(values_.fontFace);
    if (face_->findText(face) < 0)
        face_->insertItem(0, face);
    face_->setCurrentIndex(face_->findText(face));
    const QString size = QString::number(values_.fontSize);
    if (size_->findText(size) < 0) {
        int at = 0;
        while (at < size_->count() && size_->itemText(at).toInt() < values_.fontSize)
            ++at;
        size_->insertItem(at, size);
    }
    size_->setCurrentIndex(size_->findText(size));
    fontSwatch_->setColour(values_.fontColour);
    signalSwatch_->setColour(values_.signalColour);
    invalidSwatch_->setColour(values_.invalidColour);
    delay_->setText(QString::fromStdString(values_.delayText));
    expression_->setText(QString::fromStdString(values_.expression));

    frequency_->addItem(QStringLiteral("1x"));
    for (int n = 2; n <= edit::kMaxClockFrequency; ++n)
        frequency_->addItem(QString::asprintf("1/%dx", n));
    frequency_->setCurrentIndex(std::clamp(values_.clockFrequency - 1, 0, edit::kMaxClockFrequency - 1));
    duty_->addItems(kDutyTexts);
    duty_->setCurrentIndex(std::clamp(values_.clockDuty - 1, 0, edit::kDutyChoices - 1));
    if (values_.isClock) {
        frequencyLabel_->setText(QStringLiteral("Clock Frequency"));
        dutyLabel_->setText(QStringLiteral("Clock Duty Cycle"));
    } else {
        frequency_->hide();
        duty_->hide();
    }
    updateSample();
}

void SignalAttributesDialog::updateSample()
{
    if (face_->currentIndex() < 0) {
        sample_->clear();
        return;
    }
    QFont font(face_->currentText());
    font.setPixelSize(kSamplePixels);
    font.setWeight(QFont::Normal);
    sample_->setFont(font);
    sample_->setText(name_->text());
}

void SignalAttributesDialog::pickColour(model::Colour& colour, ColourSwatch* swatch)
{
    if (auto chosen = chooseColour()) {
        colour = model::rgb(chosen->red(), chosen->green(), chosen->blue());
        swatch->setColour(colour);
    }
}

void SignalAttributesDialog::pickFont()
{
    QFont current(face_->currentText());
    current.setPointSize(size_->currentText().toInt());
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, this);
    if (!ok)
        return;
    const int face = face_->findText(font.family());
    if (face >= 0)
        face_->setCurrentIndex(face);
    const int size = size_->findText(QString::number(font.pointSize()));
    if (size >= 0)
        size_->setCurrentIndex(size);
}

void SignalAttributesDialog::deleteSignal()
{
    if (!ask(QString::fromUtf8(edit::kDeleteSignalQuestion), QString::fromUtf8(edit::kDeleteSignalCaption)))
        return;
    deleteRequested_ = true;
    reject();
}

void SignalAttributesDialog::readControls()
{
    values_.name = name_->text().toStdString();
    values_.delayText = edit::clampedDelayText(delay_->text().toStdString(), values_.cellWidth);
    values_.expression = expression_->text().toStdString();
    values_.ideal = ideal_->isChecked();
    values_.risingArrows = rising_->isChecked();
    values_.fallingArrows = falling_->isChecked();
    values_.locked = lock_->isChecked();
    values_.differential = differential_->isChecked();
    values_.activeLow = activeLow_->isChecked();
    values_.fontSize = size_->currentText().toInt();
    values_.fontFace = face_->currentText().toStdString();
    if (values_.isClock) {
        values_.clockFrequency = frequency_->currentIndex() + 1;
        values_.clockDuty = duty_->currentIndex() + 1;
    }
}

void SignalAttributesDialog::accept()
{
    readControls();
    const QString trimmed = name_->text().trimmed();
    if (edit::nameTakenByOtherRow(values_, trimmed.toStdString())) {
        tell(QString::fromUtf8(edit::kDuplicateSignalName));
        return;
    }
    values_.name = trimmed.toStdString();
    QDialog::accept();
}

} // namespace sigmora::dialogs
