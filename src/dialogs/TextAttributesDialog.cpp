#include "dialogs/TextAttributesDialog.h"

#include "render/MeasuredLabels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "render/MeasuredLabels.h"

namespace sigmora::dialogs {

namespace {

constexpr const char* kNotAttached = "Not Attached";
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 10;
const char* const kOutlines[] = {"No Outline", "Rectangle", "Rounded Edges"};
const char* const kJustifications[] = {"Left", "Centre", "Right"};

QColor toQColor(model::Colour c)
{
    return QColor(model::redOf(c), model::greenOf(c), model::blueOf(c));
}

// Selects the row whose text equals `text`; the first row when none does. Answers whether found.
bool selectText(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchFixedString);
    list->setCurrentItem(found.isEmpty() ? list->item(0) : found.first());
    return !found.isEmpty();
}

} // namespace

TextAttributesDialog::TextAttributesDialog(const edit::TextAttributes& values, QWidget* parent)
    : QDialog(parent), initial_(values), colour_(values.colour)
{
    setWindowTitle(QStringLiteral("Text Attributes"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(buildMessageGroup());
    left->addWidget(buildStyleButtons());
    left->addWidget(buildAttachControls());
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addWidget(buildFontControls(), 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QWidget* TextAttributesDialog::buildMessageGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Type Text Below"), this);
    message_ = new QPlainTextEdit(QString::fromStdString(edit::messageForEditing(initial_.message)), group);
    message_->setObjectName(QStringLiteral("message"));
    message_->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(message_);
    // A label's caption can show the time between the label's ends: the field the drawing fills in.
    if (initial_.attachHidden) {
        auto* measured = new QPushButton(QStringLiteral("Insert measured time"), group);
        measured->setObjectName(QStringLiteral("insertMeasuredTime"));
        connect(measured, &QPushButton::clicked, this, [this] {
            message_->insertPlainText(QString::fromUtf8(render::kMeasuredField.data(),
                                                        static_cast<qsizetype>(render::kMeasuredField.size())));
            message_->setFocus();
        });
        layout->addWidget(measured);
    }
    return group;
}

QToolButton* TextAttributesDialog::styleButton(const QString& name, const QString& text, bool on)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setCheckable(true);
    button->setChecked(on);
    button->setToolTip(name);
    return button;
}

QWidget* TextAttributesDialog::buildStyleButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    bold_ = styleButton(QStringLiteral("bold"), QStringLiteral("B"), initial_.bold);
    italic_ = styleButton(QStringLiteral("italic"), QStringLiteral("I"), initial_.italic);
    underline_ = styleButton(QStringLiteral("underline"), QStringLiteral("U"), initial_.underline);
    QFont f = bold_->font();
    f.setBold(true);
    bold_->setFont(f);
    f = italic_->font();
    f.setItalic(true);
    italic_->setFont(f);
    f = underline_->font();
    f.setUnderline(true);
    underline_->setFont(f);
    for (QToolButton* b : {bold_, italic_, underline_})
        layout->addWidget(b);
    layout->addSpacing(12);
    justification_ = new QButtonGroup(this);
    justification_->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        QToolButton* b = styleButton(QString::fromLatin1(kJustifications[i]).toLower(),
                                     QString::fromLatin1(kJustifications[i]), initial_.justification == i);
        justification_->addButton(b, i);
        layout->addWidget(b);
    }
    if (!justification_->checkedButton())
        justification_->button(0)->setChecked(true);
    layout->addStretch(1);
    return row;
}

QWidget* TextAttributesDialog::buildAttachControls()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    attach_ = new QCheckBox(QStringLiteral("Attach to Signal"), box);
    attach_->setObjectName(QStringLiteral("attach"));
    attachList_ = new QListWidget(box);
    attachList_->setObjectName(QStringLiteral("attachList"));
    attachList_->addItem(QString::fromLatin1(kNotAttached));
    for (const std::string& name : initial_.rowNames)
        attachList_->addItem(QString::fromStdString(name));
    const bool attached = initial_.attachedIndex >= 0 && initial_.attachedIndex < static_cast<int>(initial_.rowNames.size());
    attach_->setChecked(attached);
    attachList_->setCurrentRow(attached ? initial_.attachedIndex + 1 : 0);
    layout->addWidget(attach_);
    layout->addWidget(attachList_);
    box->setVisible(!initial_.attachHidden);
    return box;
}

QWidget* TextAttributesDialog::buildFontControls()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    faces_ = new QListWidget(box);
    faces_->setObjectName(QStringLiteral("faces"));
    faces_->addItems(QFontDatabase::families());
    faceFound_ = selectText(faces_, QString::fromStdString(initial_.face));
    if (!faceFound_) {
        // A face this machine lacks (Arial, the program's own default, on most Linux machines) is
        // drawn in the face the system puts in its place: the list shows that one, not its first
        // entry, so that what is offered is what is drawn.
        const QString drawnIn = QFontInfo(QFont(QString::fromStdString(initial_.face))).family();
        selectText(faces_, drawnIn);
    }
    shownFaceRow_ = faces_->currentRow();
    sizes_ = new QListWidget(box);
    sizes_->setObjectName(QStringLiteral("sizes"));
    for (int size : edit::kTextSizes)
        sizes_->addItem(QString::number(size));
    selectText(sizes_, QString::number(initial_.size));
    sample_ = new QLabel(box);
    sample_->setObjectName(QStringLiteral("sample"));
    connect(faces_, &QListWidget::currentRowChanged, this, &TextAttributesDialog::showSample);
    showSample();

    outline_ = new QComboBox(box);
    outline_->setObjectName(QStringLiteral("outline"));
    for (const char* text : kOutlines)
        outline_->addItem(QString::fromLatin1(text));
    outline_->setCurrentIndex(initial_.outline >= 0 && initial_.outline < 3 ? initial_.outline : 0);

    auto* colourButton = new QPushButton(QStringLiteral("Choose Color"), box);
    colourButton->setObjectName(QStringLiteral("chooseColour"));
    connect(colourButton, &QPushButton::clicked, this, &TextAttributesDialog::chooseColour);
    swatch_ = new QLabel(box);
    swatch_->setObjectName(QStringLiteral("swatch"));
    swatch_->setFixedSize(kSwatchWidth, kSwatchHeight);
    showColour();

    grid->addWidget(new QLabel(QStringLiteral("Style:"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Size:"), box), 0, 1);
    grid->addWidget(faces_, 1, 0);
    grid->addWidget(sizes_, 1, 1);
    grid->addWidget(sample_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Text Box Outline"), box), 3, 0, 1, 2);
    grid->addWidget(outline_, 4, 0, 1, 2);
    grid->addWidget(colourButton, 5, 0);
    grid->addWidget(swatch_, 5, 1);
    return box;
}

void TextAttributesDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Once the dialog shows, the message takes the focus with all of its text selected.
    QTimer::singleShot(0, this, [this] {
        message_->setFocus();
        message_->selectAll();
    });
}

void TextAttributesDialog::chooseColour()
{
    const QColor chosen = QColorDialog::getColor(Qt::black, this);
    if (!chosen.isValid())
        return;
    colour_ = model::rgb(chosen.red(), chosen.green(), chosen.blue());
    showColour();
}

void TextAttributesDialog::showColour()
{
    QPixmap fill(kSwatchWidth, kSwatchHeight);
    fill.fill(toQColor(colour_));
    swatch_->setPixmap(fill);
}

void TextAttributesDialog::showSample()
{
    QListWidgetItem* item = faces_->currentItem();
    if (!item) {
        sample_->clear();
        return;
    }
    QFont font(item->text());
    font.setPixelSize(kSampleHeight);
    font.setWeight(QFont::Normal);
    sample_->setFont(font);
    sample_->setText(item->text());
}

edit::TextAttributes TextAttributesDialog::values() const
{
    edit::TextAttributes v = initial_;
    v.message = edit::storedMessage(message_->toPlainText().toStdString());
    v.colour = colour_;
    // A face this machine lacks stays as it was unless another one was chosen.
    const bool faceChanged = !faceFound_ && faces_->currentRow() != shownFaceRow_;
    if (faces_->currentItem() && (faceFound_ || faceChanged))
        v.face = faces_->currentItem()->text().toStdString();
    if (sizes_->currentItem())
        v.size = sizes_->currentItem()->text().toInt();
    v.outline = outline_->currentIndex();
    v.bold = bold_->isChecked();
    v.italic = italic_->isChecked();
    v.underline = underline_->isChecked();
    v.justification = justification_->checkedId();
    v.attachedIndex = attach_->isChecked() && attachList_->currentRow() > 0 ? attachList_->currentRow() - 1 : -1;
    return v;
}

} // namespace sigmora::dialogs
