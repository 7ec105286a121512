#include "dialogs/VcdImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace sigmora::dialogs {

namespace {

constexpr int kMaxSignals = 255; // the clock takes the 256th row
constexpr int kListHeight = 240;

QString text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::optional<long long> timeOf(const QLineEdit* edit)
{
    bool ok = false;
    const long long t = edit->text().trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(t) : std::nullopt;
}

} // namespace

VcdImportDialog::VcdImportDialog(const io::VcdSurvey& survey, const io::VcdChoice& proposed, QWidget* parent)
    : QDialog(parent), survey_(survey), clock_(new QComboBox(this)), signals_(new QListWidget(this)),
      from_(new QLineEdit(this)), to_(new QLineEdit(this)), problem_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Import Value Change Dump"));
    clock_->setObjectName(QStringLiteral("vcdClock"));
    signals_->setObjectName(QStringLiteral("vcdSignals"));
    from_->setObjectName(QStringLiteral("vcdFrom"));
    to_->setObjectName(QStringLiteral("vcdTo"));

    std::vector<const io::VcdVariable*> bits;
    for (const io::VcdVariable& v : survey.variables)
        if (v.width == 1 && !v.real)
            bits.push_back(&v);
    std::stable_sort(bits.begin(), bits.end(), [](auto* a, auto* b) { return a->changes > b->changes; });
    for (const io::VcdVariable* v : bits)
        clock_->addItem(text(v->name));
    clock_->setCurrentIndex(std::max(0, clock_->findText(text(proposed.clock))));

    int checked = 0;
    for (const io::VcdVariable& v : survey.variables) {
        const bool unusable = v.real || v.width > io::kMaxVcdWidth;
        auto* item = new QListWidgetItem(text(v.name) + (v.width > 1 ? QStringLiteral("  [%1 bits]").arg(v.width) : QString()) +
                                             (unusable ? QStringLiteral("  (cannot be shown)") : QString()),
                                         signals_);
        item->setData(Qt::UserRole, text(v.name));
        if (unusable) {
            item->setFlags(Qt::ItemIsSelectable);
            continue;
        }
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(checked < kMaxSignals ? Qt::Checked : Qt::Unchecked);
        ++checked;
    }
    signals_->setMinimumHeight(kListHeight);

    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,18}")), this);
    from_->setValidator(digits);
    to_->setValidator(digits);
    from_->setText(QString::number(proposed.from.value_or(survey.firstTime)));
    to_->setText(QString::number(proposed.to.value_or(survey.lastTime)));

    auto* all = new QPushButton(QStringLiteral("Check all"), this);
    auto* none = new QPushButton(QStringLiteral("Check none"), this);
    connect(all, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { checkAll(false); });
    auto* checks = new QHBoxLayout;
    checks->addWidget(all);
    checks->addWidget(none);
    checks->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Clock:"), clock_);
    form->addRow(QStringLiteral("&From time:"), from_);
    form->addRow(QStringLiteral("&To time:"), to_);
    const QString unit = survey.timescale.empty() ? QStringLiteral("not given") : text(survey.timescale);
    form->addRow(QStringLiteral("Time unit:"), new QLabel(unit, this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(signals_, &QListWidget::itemChanged, this, [this] { validate(); });
    connect(from_, &QLineEdit::textChanged, this, [this] { validate(); });
    connect(to_, &QLineEdit::textChanged, this, [this] { validate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* signalsLabel = new QLabel(QStringLiteral("&Signals (at most %1):").arg(kMaxSignals), this);
    signalsLabel->setBuddy(signals_);
    layout->addWidget(signalsLabel);
    layout->addWidget(signals_);
    layout->addLayout(checks);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    validate();
}

void VcdImportDialog::checkAll(bool checked)
{
    int count = 0;
    for (int i = 0; i < signals_->count(); ++i) {
        QListWidgetItem* item = signals_->item(i);
        if (item->flags() & Qt::ItemIsUserCheckable)
            item->setCheckState(checked && count++ < kMaxSignals ? Qt::Checked : Qt::Unchecked);
    }
}

void VcdImportDialog::validate()
{
    int count = 0;
    for (int i = 0; i < signals_->count(); ++i)
        count += signals_->item(i)->checkState() == Qt::Checked;
    const auto from = timeOf(from_), to = timeOf(to_);
    QString problem;
    if (clock_->count() == 0)
        problem = QStringLiteral("The dump has no 1-bit signal to take as the clock.");
    else if (count > kMaxSignals)
        problem = QStringLiteral("Check at most %1 signals.").arg(kMaxSignals);
    else if (from && to && *to < *from)
        problem = QStringLiteral("The window ends before it starts.");
    problem_->setText(problem);
    if (okButton_)
        okButton_->setEnabled(problem.isEmpty());
}

io::VcdChoice VcdImportDialog::choice() const
{
    io::VcdChoice c;
    c.clock = clock_->currentText().toStdString();
    bool every = true;
    for (int i = 0; i < signals_->count(); ++i) {
        const QListWidgetItem* item = signals_->item(i);
        if (!(item->flags() & Qt::ItemIsUserCheckable))
            continue;
        if (item->checkState() == Qt::Checked)
            c.signals.push_back(item->data(Qt::UserRole).toString().toStdString());
        else
            every = false;
    }
    if (every)
        c.signals.clear();
    c.from = timeOf(from_);
    c.to = timeOf(to_);
    return c;
}

} // namespace sigmora::dialogs
