#include "dialogs/VcdImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "io/dump/DumpTime.h"

namespace sigmora::dialogs {

namespace {

constexpr int kMaxRows = 256; // the rows a diagram holds, the clock's among them
constexpr int kListHeight = 240;

QString text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// An empty box leaves that end of the window open.
bool leftOpen(const QLineEdit* edit) { return edit->text().trimmed().isEmpty(); }

io::DumpTimeText timeOf(const QLineEdit* edit, const std::string& timescale)
{
    if (leftOpen(edit))
        return {};
    return io::dumpTimeFromText(edit->text().toStdString(), timescale);
}

} // namespace

VcdImportDialog::VcdImportDialog(const io::VcdSurvey& survey, const io::VcdChoice& proposed, QWidget* parent)
    : QDialog(parent), survey_(survey), clock_(new QComboBox(this)), filter_(new QLineEdit(this)),
      signals_(new QListWidget(this)), from_(timeEdit("vcdFrom")), to_(timeEdit("vcdTo")),
      fromNote_(timeNote("vcdFromNote")), toNote_(timeNote("vcdToNote")), rows_(new QLabel(this)),
      problem_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Import Value Change Dump"));
    clock_->setObjectName(QStringLiteral("vcdClock"));
    filter_->setObjectName(QStringLiteral("vcdFilter"));
    signals_->setObjectName(QStringLiteral("vcdSignals"));
    rows_->setObjectName(QStringLiteral("vcdRows"));
    problem_->setObjectName(QStringLiteral("vcdProblem"));

    std::vector<const io::VcdVariable*> bits;
    for (const io::VcdVariable& v : survey.variables)
        if (v.width == 1 && !v.real)
            bits.push_back(&v);
    std::stable_sort(bits.begin(), bits.end(), [](auto* a, auto* b) { return a->changes > b->changes; });
    for (const io::VcdVariable* v : bits)
        clock_->addItem(text(v->name));
    clock_->setCurrentIndex(std::max(0, clock_->findText(text(proposed.clock))));

    // Every signal that can be a row is checked: past the rows a diagram holds, the count says how
    // many the import will leave out, and the import says which.
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
        item->setCheckState(Qt::Checked);
    }
    signals_->setMinimumHeight(kListHeight);
    filter_->setPlaceholderText(QStringLiteral("Show only the signals whose name contains this"));
    filter_->setClearButtonEnabled(true);

    const std::string& ts = survey.timescale;
    const auto shown = [&ts](long long t) {
        const std::string withUnit = io::dumpTimeWithUnit(t, ts);
        return withUnit.empty() ? QString::number(t) : text(withUnit);
    };
    from_->setText(shown(proposed.from.value_or(survey.firstTime)));
    to_->setText(shown(proposed.to.value_or(survey.lastTime)));

    auto* all = new QPushButton(QStringLiteral("Check all shown"), this);
    auto* none = new QPushButton(QStringLiteral("Check none shown"), this);
    connect(all, &QPushButton::clicked, this, [this] { checkShown(true); });
    connect(none, &QPushButton::clicked, this, [this] { checkShown(false); });
    auto* checks = new QHBoxLayout;
    checks->addWidget(all);
    checks->addWidget(none);
    checks->addStretch();
    checks->addWidget(rows_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Clock:"), clock_);
    auto* fromRow = new QHBoxLayout;
    fromRow->addWidget(from_);
    fromRow->addWidget(fromNote_, 1);
    auto* toRow = new QHBoxLayout;
    toRow->addWidget(to_);
    toRow->addWidget(toNote_, 1);
    auto* fromLabel = new QLabel(QStringLiteral("&From time:"), this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("&To time:"), this);
    toLabel->setBuddy(to_);
    form->addRow(fromLabel, fromRow);
    form->addRow(toLabel, toRow);
    const QString unit = ts.empty() ? QStringLiteral("not given") : text(ts);
    form->addRow(QStringLiteral("Time unit:"),
                 new QLabel(unit + QStringLiteral("  (type a time with a unit, such as 460ns or 2.5us, or a whole "
                                                  "number of this unit)"),
                            this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(signals_, &QListWidget::itemChanged, this, [this] { validate(); });
    connect(clock_, &QComboBox::currentIndexChanged, this, [this] { validate(); });
    connect(filter_, &QLineEdit::textChanged, this, &VcdImportDialog::filter);
    connect(from_, &QLineEdit::textChanged, this, [this] { validate(); });
    connect(to_, &QLineEdit::textChanged, this, [this] { validate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* signalsLabel = new QLabel(QStringLiteral("&Signals:"), this);
    signalsLabel->setBuddy(signals_);
    layout->addWidget(signalsLabel);
    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(QStringLiteral("F&ilter:"), this);
    filterLabel->setBuddy(filter_);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    layout->addLayout(filterRow);
    layout->addWidget(signals_);
    layout->addLayout(checks);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    validate();
}

QLineEdit* VcdImportDialog::timeEdit(const char* objectName)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

QLabel* VcdImportDialog::timeNote(const char* objectName)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

void VcdImportDialog::checkShown(bool checked)
{
    for (int i = 0; i < signals_->count(); ++i) {
        QListWidgetItem* item = signals_->item(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && !item->isHidden())
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void VcdImportDialog::filter(const QString& pattern)
{
    const QString wanted = pattern.trimmed();
    for (int i = 0; i < signals_->count(); ++i) {
        QListWidgetItem* item = signals_->item(i);
        item->setHidden(!wanted.isEmpty() && !item->data(Qt::UserRole).toString().contains(wanted, Qt::CaseInsensitive));
    }
}

int VcdImportDialog::rowCount() const
{
    const QString clock = clock_->currentText();
    int rows = clock.isEmpty() ? 0 : 1;
    for (int i = 0; i < signals_->count(); ++i) {
        const QListWidgetItem* item = signals_->item(i);
        rows += item->checkState() == Qt::Checked && item->data(Qt::UserRole).toString() != clock;
    }
    return rows;
}

QString VcdImportDialog::timeProblem(const QLineEdit* edit, QLabel* note, const QString& which) const
{
    const io::DumpTimeText t = timeOf(edit, survey_.timescale);
    if (leftOpen(edit)) {
        note->setText(QStringLiteral("(open)"));
        return {};
    }
    if (!t.time) {
        note->clear();
        return which + QStringLiteral(": ") + text(t.problem) + QStringLiteral(".");
    }
    // Shown in the other form: a time typed with a unit in the dump's unit, and the other way round.
    const std::string withUnit = io::dumpTimeWithUnit(*t.time, survey_.timescale);
    const bool typedWithUnit = edit->text().trimmed().back().isLetter();
    if (withUnit.empty())
        note->clear();
    else if (typedWithUnit)
        note->setText(QStringLiteral("= %1 × %2").arg(*t.time).arg(text(survey_.timescale)));
    else
        note->setText(QStringLiteral("= %1").arg(text(withUnit)));
    return {};
}

void VcdImportDialog::validate()
{
    const int rows = rowCount();
    if (rows > kMaxRows)
        rows_->setText(QStringLiteral("%1 rows: a diagram holds %2, the last %3 checked will be left out")
                           .arg(rows)
                           .arg(kMaxRows)
                           .arg(rows - kMaxRows));
    else
        rows_->setText(QStringLiteral("%1 of the %2 rows a diagram holds").arg(rows).arg(kMaxRows));
    QString problem;
    if (clock_->count() == 0)
        problem = QStringLiteral("The dump has no 1-bit signal to take as the clock.");
    const QString fromProblem = timeProblem(from_, fromNote_, QStringLiteral("From time"));
    const QString toProblem = timeProblem(to_, toNote_, QStringLiteral("To time"));
    if (problem.isEmpty())
        problem = !fromProblem.isEmpty() ? fromProblem : toProblem;
    if (problem.isEmpty()) {
        const auto from = timeOf(from_, survey_.timescale).time, to = timeOf(to_, survey_.timescale).time;
        if (from && to && *to < *from)
            problem = QStringLiteral("The window ends before it starts.");
    }
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
    c.from = timeOf(from_, survey_.timescale).time;
    c.to = timeOf(to_, survey_.timescale).time;
    return c;
}

} // namespace sigmora::dialogs
