#include "app/QtUiPort.h"

#include <QMessageBox>

#include "dialogs/PeriodDividerDialog.h"

namespace sigmora::app {

namespace {

QMessageBox::Icon toQtIcon(edit::MessageIcon icon)
{
    switch (icon) {
    case edit::MessageIcon::None: return QMessageBox::NoIcon;
    case edit::MessageIcon::Information: return QMessageBox::Information;
    case edit::MessageIcon::Warning: return QMessageBox::Warning;
    case edit::MessageIcon::Error: return QMessageBox::Critical;
    case edit::MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString captionOrTitle(const std::string& caption)
{
    return caption.empty() ? QStringLiteral("Sigmora") : QString::fromStdString(caption);
}

} // namespace

void QtUiPort::showMessage(const std::string& text, const std::string& caption, edit::MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), captionOrTitle(caption), QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtUiPort::askYesNo(const std::string& text, const std::string& caption, edit::MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), captionOrTitle(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<int> QtUiPort::choosePeriodDivider(int currentDivider)
{
    dialogs::PeriodDividerDialog dialog(currentDivider, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.divider();
}

} // namespace sigmora::app
