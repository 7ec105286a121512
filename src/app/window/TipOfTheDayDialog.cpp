#include "app/window/TipOfTheDayDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

namespace sigmora::app {

namespace {
constexpr const char* kSection = "Tip";
constexpr const char* kStartUpKey = "StartUp";
constexpr const char* kFilePosKey = "FilePos";
constexpr const char* kTimeStampKey = "TimeStamp";
constexpr const char* kHeading = "Did you know...";
constexpr int kBulbSize = 48;
constexpr int kPanelWidth = 380;
constexpr int kPanelHeight = 150;

TipState loadState()
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    TipState state;
    state.startUp = settings.value(QString::fromUtf8(kStartUpKey), 0).toInt();
    state.filePos = settings.value(QString::fromUtf8(kFilePosKey), 0).toLongLong();
    state.timeStamp = settings.value(QString::fromUtf8(kTimeStampKey)).toString().toStdString();
    return state;
}

void storeValue(const char* key, const QVariant& value)
{
    QSettings settings;
    settings.beginGroup(QString::fromUtf8(kSection));
    settings.setValue(QString::fromUtf8(key), value);
}

// The white panel: the light bulb, the heading beside it and the tip below.
QWidget* makePanel(QLabel*& tip, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("tipPanel"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    panel->setMinimumSize(kPanelWidth, kPanelHeight);

    auto* bulb = new QLabel(panel);
    bulb->setPixmap(QIcon(QStringLiteral(":/icons/lightbulb.svg")).pixmap(kBulbSize, kBulbSize));
    auto* heading = new QLabel(QString::fromUtf8(kHeading), panel);
    heading->setObjectName(QStringLiteral("tipHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    heading->setFont(bold);
    tip = new QLabel(panel);
    tip->setObjectName(QStringLiteral("tipText"));
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip->setTextFormat(Qt::PlainText);

    auto* top = new QHBoxLayout;
    top->addWidget(bulb);
    top->addWidget(heading, 1);
    auto* layout = new QVBoxLayout(panel);
    layout->addLayout(top);
    layout->addWidget(tip, 1);
    return panel;
}
} // namespace

bool TipOfTheDayDialog::showAtStartUp()
{
    return loadState().startUp == 0;
}

TipOfTheDayDialog::TipOfTheDayDialog(const QString& tipsPath, QWidget* parent) : QDialog(parent), state_(loadState())
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    QWidget* panel = makePanel(tip_, this);
    startUp_ = new QCheckBox(QStringLiteral("&Show Tips on StartUp"), this);
    startUp_->setChecked(state_.startUp == 0);
    next_ = new QPushButton(QStringLiteral("&Next Tip"), this);
    next_->setObjectName(QStringLiteral("nextTip"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &TipOfTheDayDialog::showNextTip);
    connect(close, &QPushButton::clicked, this, &TipOfTheDayDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startUp_);
    buttons->addStretch(1);
    buttons->addWidget(next_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    const std::string oldStamp = state_.timeStamp;
    reader_ = std::make_unique<TipsReader>(tipsPath.toStdString(), state_);
    if (state_.timeStamp != oldStamp)
        storeValue(kTimeStampKey, QString::fromStdString(state_.timeStamp));
    next_->setEnabled(reader_->fileOpen());
    tip_->setText(QString::fromStdString(reader_->tip()));
    if (!reader_->trouble().empty())
        QTimer::singleShot(0, this, &TipOfTheDayDialog::showTrouble);
}

TipOfTheDayDialog::~TipOfTheDayDialog()
{
    if (reader_->fileOpen()) {
        reader_.reset();
        storeValue(kFilePosKey, static_cast<qlonglong>(state_.filePos));
    }
}

QString TipOfTheDayDialog::tipText() const
{
    return tip_->text();
}

void TipOfTheDayDialog::showNextTip()
{
    reader_->next();
    tip_->setText(QString::fromStdString(reader_->tip()));
    if (!reader_->trouble().empty())
        showTrouble();
}

void TipOfTheDayDialog::showTrouble()
{
    QMessageBox::warning(this, QStringLiteral("Tip of the Day"), QString::fromStdString(reader_->trouble()));
}

void TipOfTheDayDialog::accept()
{
    storeValue(kStartUpKey, startUp_->isChecked() ? 0 : 1);
    QDialog::accept();
}

} // namespace sigmora::app
