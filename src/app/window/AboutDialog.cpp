#include "app/window/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "edit/Editor.h"

namespace sigmora::app {

namespace {
constexpr int kIconSize = 64;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Sigmora"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/sigmora.svg")).pixmap(kIconSize, kIconSize));
    auto* title = new QLabel(QString::fromUtf8(edit::kTitleAndVersion), this);
    title->setObjectName(QStringLiteral("titleAndVersion"));
    auto* note = new QLabel(QStringLiteral("A timing diagram editor by Kavlon Software"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(note);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace sigmora::app
