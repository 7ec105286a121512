#include "dialogs/HeightSpacingWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace sigmora::dialogs {

namespace {
constexpr const char* kTitle = "Adjust Signal Height/Spacing";
constexpr int kSliderHeight = 160;
} // namespace

HeightSpacingWindow::HeightSpacingWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(kTitle));
    setModal(false);
    // The value labels first: a track bar shows its value from its first change on.
    heightValue_ = valueLabel("signalHeightValue");
    spacingValue_ = valueLabel("signalSpacingValue");
    marginValue_ = valueLabel("topMarginValue");
    height_ = slider("signalHeight", edit::kMinSignalHeight, edit::kMaxSignalHeight);
    spacing_ = slider("signalSpacing", edit::kMinSignalSpacing, edit::kMaxSignalSpacing);
    margin_ = slider("topMargin", 0, edit::kMaxTopMargin - edit::kMinTopMargin);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    auto* reset = new QPushButton(QStringLiteral("Reset to Defaults"), this);
    reset->setObjectName(QStringLiteral("reset"));
    ok->setAutoDefault(false);
    reset->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    const char* labels[] = {"Signal Height", "Signal Spacing", "Top Margin"};
    QSlider* sliders[] = {height_, spacing_, margin_};
    QLabel* values[] = {heightValue_, spacingValue_, marginValue_};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(sliders[i], 0, i, Qt::AlignHCenter);
        grid->addWidget(values[i], 1, i, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), 2, i, Qt::AlignHCenter);
    }
    grid->addWidget(ok, 3, 0);
    grid->addWidget(reset, 3, 1, 1, 2);
    showValues();

    // The track bars apply as they move; OK ends the adjusting (one undo step) and closes the
    // window, which a user expects of an OK button.
    connect(ok, &QPushButton::clicked, this, [this] {
        applyShown();
        refresh();
        hide();
    });
    connect(reset, &QPushButton::clicked, this, &HeightSpacingWindow::resetToDefaults);
}

QSlider* HeightSpacingWindow::slider(const char* objectName, int minimum, int maximum)
{
    auto* s = new QSlider(Qt::Vertical, this);
    s->setObjectName(QString::fromUtf8(objectName));
    s->setRange(minimum, maximum);
    s->setMinimumHeight(kSliderHeight);
    connect(s, &QSlider::valueChanged, this, &HeightSpacingWindow::applyShown);
    connect(s, &QSlider::valueChanged, this, &HeightSpacingWindow::showValues);
    return s;
}

QLabel* HeightSpacingWindow::valueLabel(const char* objectName)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromUtf8(objectName));
    return label;
}

void HeightSpacingWindow::showValues()
{
    if (!height_ || !spacing_ || !margin_)
        return; // still being built
    const edit::RowLayout shown = shownLayout();
    heightValue_->setText(QStringLiteral("%1 px").arg(shown.signalHeight));
    spacingValue_->setText(QStringLiteral("%1 px").arg(shown.signalSpacing));
    marginValue_->setText(QStringLiteral("%1 px").arg(shown.topMargin));
}

void HeightSpacingWindow::setLink(const edit::RowLayoutLink& link)
{
    link_ = link;
    if (link_.current)
        showLayout(edit::clampedRowLayout(link_.current()));
}

edit::RowLayout HeightSpacingWindow::shownLayout() const
{
    return {height_->value(), spacing_->value(), margin_->value() + edit::kMinTopMargin};
}

void HeightSpacingWindow::showLayout(const edit::RowLayout& layout)
{
    const QSignalBlocker h(height_);
    const QSignalBlocker s(spacing_);
    const QSignalBlocker m(margin_);
    height_->setValue(layout.signalHeight);
    spacing_->setValue(layout.signalSpacing);
    margin_->setValue(layout.topMargin - edit::kMinTopMargin);
    showValues();
}

void HeightSpacingWindow::applyShown()
{
    if (link_.apply)
        link_.apply(shownLayout());
}

void HeightSpacingWindow::refresh()
{
    if (link_.refresh)
        link_.refresh();
}

void HeightSpacingWindow::resetToDefaults()
{
    showLayout(edit::kDefaultRowLayout);
    applyShown();
    refresh();
}

void HeightSpacingWindow::reject()
{
    resetToDefaults();
}

void HeightSpacingWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    hide();
}

} // namespace sigmora::dialogs
