#include "dialogs/TimingParametersDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sigmora::dialogs {

namespace {

constexpr const char* kHeaders[] = {"Symbol", "Description", "Min", "Typ", "Max", "Unit", "Label"};
constexpr const char* kNoLabel = "(none)";
constexpr int kMinimumWidth = 720;

QString limitCell(const std::optional<double>& v)
{
    return v ? QString::fromStdString(model::limitText(*v)) : QString();
}

} // namespace

TimingParametersDialog::TimingParametersDialog(const std::vector<model::TimingParameter>& parameters,
                                               bool violationsInPictures, const std::vector<std::string>& labels,
                                               QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(0, ColumnCount, this)),
      redInPictures_(new QCheckBox(QStringLiteral("Draw violations red in printed and exported pictures too"), this)),
      problem_(new QLabel(this)), labels_(labels)
{
    setWindowTitle(QStringLiteral("Timing Parameters"));
    setMinimumWidth(kMinimumWidth);
    table_->setObjectName(QStringLiteral("parameters"));
    problem_->setObjectName(QStringLiteral("parametersProblem"));
    redInPictures_->setObjectName(QStringLiteral("violationsInPictures"));
    problem_->setWordWrap(true);
    problem_->setVisible(false);
    QStringList headers;
    for (const char* h : kHeaders)
        headers << QString::fromUtf8(h);
    table_->setHorizontalHeaderLabels(headers);
    table_->horizontalHeader()->setSectionResizeMode(Description, QHeaderView::Stretch);
    for (const model::TimingParameter& p : parameters)
        setRow(addRow(), p);
    redInPictures_->setChecked(violationsInPictures);

    auto* add = new QPushButton(QStringLiteral("&Add"), this);
    auto* remove = new QPushButton(QStringLiteral("&Remove"), this);
    add->setObjectName(QStringLiteral("addParameter"));
    remove->setObjectName(QStringLiteral("removeParameter"));
    connect(add, &QPushButton::clicked, this, [this] { table_->setCurrentCell(addRow(), Symbol); });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0)
            table_->removeRow(table_->currentRow());
    });
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(rowButtons);
    layout->addWidget(redInPictures_);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

int TimingParametersDialog::addRow()
{
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int c = 0; c < Label; ++c)
        table_->setItem(row, c, new QTableWidgetItem(c == Unit ? QStringLiteral("ns") : QString()));
    auto* combo = new QComboBox(table_);
    combo->addItem(QString::fromUtf8(kNoLabel));
    for (const std::string& label : labels_)
        combo->addItem(QString::fromStdString(label));
    table_->setCellWidget(row, Label, combo);
    return row;
}

void TimingParametersDialog::setRow(int row, const model::TimingParameter& p)
{
    table_->item(row, Symbol)->setText(QString::fromStdString(p.symbol));
    table_->item(row, Description)->setText(QString::fromStdString(p.description));
    table_->item(row, Min)->setText(limitCell(p.min));
    table_->item(row, Typ)->setText(limitCell(p.typ));
    table_->item(row, Max)->setText(limitCell(p.max));
    table_->item(row, Unit)->setText(QString::fromStdString(p.unit));
    auto* combo = static_cast<QComboBox*>(table_->cellWidget(row, Label));
    // A label that no longer exists shows as none.
    combo->setCurrentIndex(p.label >= 0 && p.label < static_cast<int>(labels_.size()) ? p.label + 1 : 0);
}

bool TimingParametersDialog::violationsInPictures() const
{
    return redInPictures_->isChecked();
}

bool TimingParametersDialog::readRows(std::vector<model::TimingParameter>& out, std::string& problem) const
{
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto text = [&](int c) { return table_->item(row, c)->text().trimmed().toStdString(); };
        const auto* combo = static_cast<const QComboBox*>(table_->cellWidget(row, Label));
        model::TimingParameter p;
        p.symbol = text(Symbol);
        p.description = text(Description);
        p.unit = text(Unit);
        p.label = combo->currentIndex() - 1;
        const bool blank = p.symbol.empty() && p.description.empty() && text(Min).empty() && text(Typ).empty() &&
                           text(Max).empty() && p.label == model::TimingParameter::kNoLabel;
        if (blank)
            continue;
        std::optional<double>* limits[] = {&p.min, &p.typ, &p.max};
        const int columns[] = {Min, Typ, Max};
        for (int i = 0; i < 3; ++i) {
            const std::string t = text(columns[i]);
            if (t.empty())
                continue;
            *limits[i] = model::parseLimit(t);
            if (!*limits[i]) {
                problem = "The " + std::string(kHeaders[columns[i]]) + " of row " + std::to_string(row + 1) + " (\"" + t +
                          "\") is not a number.";
                return false;
            }
        }
        problem = model::timingParameterProblem(p);
        if (!problem.empty()) {
            problem = "Row " + std::to_string(row + 1) + ": " + problem;
            return false;
        }
        out.push_back(p);
    }
    return true;
}

void TimingParametersDialog::accept()
{
    std::vector<model::TimingParameter> rows;
    std::string problem;
    if (!readRows(rows, problem)) {
        problem_->setText(QString::fromStdString(problem));
        problem_->setVisible(true);
        return;
    }
    accepted_ = std::move(rows);
    QDialog::accept();
}

} // namespace sigmora::dialogs
