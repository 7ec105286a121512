#include "dialogs/VcdImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "io/dump/DumpTime.h"

namespace sigmora::dialogs {

namespace {

constexpr int kMaxRows = 256; // the rows a diagram holds, the clock's among them
constexpr int kListHeight = 240;
constexpr int kOpenLevels = 2; // scope levels open at first

// A signal's hierarchical name split into its scopes and its own name: at the dots that stand
// outside brackets (a range such as [7:0] has none, an escaped name may).
QStringList nameParts(const QString& name)
{
    QStringList parts;
    QString part;
    int depth = 0;
    for (QChar c : name) {
        if (c == u'[')
            ++depth;
        else if (c == u']' && depth > 0)
            --depth;
        if (c == u'.' && depth == 0) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

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
      signals_(new QTreeWidget(this)), from_(timeEdit("vcdFrom")), to_(timeEdit("vcdTo")),
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
    // many the import will leave out, and the import says which. Each sits under its scopes.
    signals_->setHeaderHidden(true);
    signals_->setColumnCount(1);
    for (const io::VcdVariable& v : survey.variables) {
        const bool unusable = v.real || v.width > io::kMaxVcdWidth;
        QStringList parts = nameParts(text(v.name));
        const QString own = parts.takeLast();
        QTreeWidgetItem* scope = scopeItem(parts);
        auto* item = new QTreeWidgetItem(QStringList{own + (v.width > 1 ? QStringLiteral("  [%1 bits]").arg(v.width) : QString()) +
                                                     (unusable ? QStringLiteral("  (cannot be shown)") : QString())});
        if (scope)
            scope->addChild(item);
        else
            signals_->addTopLevelItem(item);
        item->setData(0, Qt::UserRole, text(v.name));
        item->setToolTip(0, text(v.name));
        leaves_.push_back(item);
        if (unusable) {
            item->setFlags(Qt::ItemIsSelectable);
            continue;
        }
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(0, Qt::Checked);
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
    connect(signals_, &QTreeWidget::itemChanged, this, [this] { validate(); });
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

QTreeWidgetItem* VcdImportDialog::scopeItem(const QStringList& scopes)
{
    QTreeWidgetItem* parent = nullptr;
    QString path;
    for (int level = 0; level < scopes.size(); ++level) {
        path += scopes[level];
        path += QChar(0x1F);
        QTreeWidgetItem*& item = scopes_[path];
        if (!item) {
            item = new QTreeWidgetItem(QStringList{scopes[level]});
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsAutoTristate);
            item->setCheckState(0, Qt::Checked);
            if (parent)
                parent->addChild(item);
            else
                signals_->addTopLevelItem(item);
            item->setExpanded(level < kOpenLevels);
        }
        parent = item;
    }
    return parent;
}

bool VcdImportDialog::shown(const QTreeWidgetItem* item)
{
    for (; item; item = item->parent())
        if (item->isHidden())
            return false;
    return true;
}

void VcdImportDialog::checkShown(bool checked)
{
    for (QTreeWidgetItem* item : leaves_)
        if ((item->flags() & Qt::ItemIsUserCheckable) && shown(item))
            item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void VcdImportDialog::filter(const QString& pattern)
{
    const QString wanted = pattern.trimmed();
    // Scopes show while a signal beneath them does, opened so that it can be seen.
    std::vector<QTreeWidgetItem*> scopes;
    for (QTreeWidgetItem* item : leaves_) {
        item->setHidden(!wanted.isEmpty() && !item->data(0, Qt::UserRole).toString().contains(wanted, Qt::CaseInsensitive));
        for (QTreeWidgetItem* scope = item->parent(); scope; scope = scope->parent())
            scopes.push_back(scope);
    }
    for (QTreeWidgetItem* scope : scopes)
        scope->setHidden(true);
    for (QTreeWidgetItem* item : leaves_)
        if (!item->isHidden())
            for (QTreeWidgetItem* scope = item->parent(); scope && scope->isHidden(); scope = scope->parent()) {
                scope->setHidden(false);
                if (!wanted.isEmpty())
                    scope->setExpanded(true);
            }
}

int VcdImportDialog::rowCount() const
{
    const QString clock = clock_->currentText();
    int rows = clock.isEmpty() ? 0 : 1;
    for (const QTreeWidgetItem* item : leaves_)
        rows += item->checkState(0) == Qt::Checked && item->data(0, Qt::UserRole).toString() != clock;
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
    for (const QTreeWidgetItem* item : leaves_) {
        if (!(item->flags() & Qt::ItemIsUserCheckable))
            continue;
        if (item->checkState(0) == Qt::Checked)
            c.signals.push_back(item->data(0, Qt::UserRole).toString().toStdString());
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
