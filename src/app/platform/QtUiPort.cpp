#include "app/platform/QtUiPort.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/platform/DialogFolder.h"
#include "dialogs/CycleLabelsDialog.h"
#include "dialogs/AsciiWaveformsDialog.h"
#include "dialogs/DutClocksDialog.h"
#include "dialogs/HeightSpacingWindow.h"
#include "dialogs/PeriodDividerDialog.h"
#include "dialogs/SignalAttributesDialog.h"
#include "dialogs/VcdImportDialog.h"
#include "dialogs/HalfPeriodDialog.h"
#include "dialogs/SvgSettingsDialog.h"
#include "dialogs/TextAttributesDialog.h"
#include "dialogs/TimeBaseDialog.h"
#include "dialogs/TimingParametersDialog.h"

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

// Qt reads the patterns of a filter from its parentheses: "SVG files *.svg" shows as
// "SVG files (*.svg)".
QString filterText(const edit::UiPort::FileDialog& dialog)
{
    QStringList parts;
    for (const auto& [text, pattern] : dialog.filters) {
        QString display = QString::fromStdString(text);
        const QString patterns = QString::fromStdString(pattern);
        if (display.endsWith(patterns))
            display.chop(patterns.size());
        parts << display.trimmed() + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return parts.join(QStringLiteral(";;"));
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

edit::Answer QtUiPort::askYesNoCancel(const std::string& text, const std::string& caption, edit::MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), captionOrTitle(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    // Esc and the box's close button answer Cancel.
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return edit::Answer::Yes;
    case QMessageBox::No: return edit::Answer::No;
    default: return edit::Answer::Cancel;
    }
}

std::optional<int> QtUiPort::choosePeriodDivider(int currentDivider)
{
    dialogs::PeriodDividerDialog dialog(currentDivider, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.divider();
}

std::optional<edit::TextAttributes> QtUiPort::editTextAttributes(const edit::TextAttributes& values)
{
    dialogs::TextAttributesDialog dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

std::optional<model::Colour> QtUiPort::chooseColour(model::Colour initial)
{
    const QColor chosen = QColorDialog::getColor(
        QColor(model::redOf(initial), model::greenOf(initial), model::blueOf(initial)), parent_);
    if (!chosen.isValid())
        return std::nullopt;
    return model::rgb(chosen.red(), chosen.green(), chosen.blue());
}

} // namespace sigmora::app

namespace sigmora::app {

std::optional<std::string> QtUiPort::openFileName(const FileDialog& dialog)
{
    return runFileDialog(dialog, true);
}

std::optional<std::string> QtUiPort::saveFileName(const FileDialog& dialog)
{
    return runFileDialog(dialog, false);
}

std::optional<std::string> QtUiPort::runFileDialog(const FileDialog& dialog, bool open)
{
    const QString diagram = currentDiagram ? QString::fromStdString(currentDiagram()) : QString();
    const QString start =
        DialogFolder::startPath(QString::fromStdString(dialog.initialPath), diagram, DialogFolder::lastFolder());
    QFileDialog box(parent_, QString::fromStdString(dialog.title), start, filterText(dialog));
    box.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    box.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    box.setDefaultSuffix(QString::fromStdString(dialog.defaultExtension));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    DialogFolder::remember(box.selectedFiles().front());
    return box.selectedFiles().front().toStdString();
}

std::optional<std::vector<int>> QtUiPort::chooseDutClocks(const std::vector<std::string>& rowNames)
{
    dialogs::DutClocksDialog dialog(rowNames, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenRows();
}

std::optional<io::VcdChoice> QtUiPort::chooseVcdImport(const io::VcdSurvey& survey, const io::VcdChoice& proposed)
{
    dialogs::VcdImportDialog dialog(survey, proposed, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<long long> QtUiPort::editTimeBase(long long current)
{
    dialogs::TimeBaseDialog dialog(current, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.timeBase();
}

std::optional<edit::UiPort::TimingTable> QtUiPort::editTimingParameters(const TimingTable& table,
                                                                         const std::vector<std::string>& labels)
{
    dialogs::TimingParametersDialog dialog(table.parameters, table.violationsInPictures, labels, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TimingTable{dialog.parameters(), dialog.violationsInPictures()};
}

std::optional<long long> QtUiPort::chooseHalfPeriod(const std::string& title, const std::vector<std::string>& notes,
                                                    std::optional<long long> timeBase)
{
    dialogs::HalfPeriodDialog dialog(QString::fromStdString(title), notes, parent_, false, timeBase);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.halfPeriod();
}

std::optional<edit::UiPort::StimulusTiming> QtUiPort::chooseStimulusTiming(const std::string& title,
                                                                          const std::vector<std::string>& notes,
                                                                          std::optional<long long> timeBase)
{
    dialogs::HalfPeriodDialog dialog(QString::fromStdString(title), notes, parent_, true, timeBase);
    if (dialog.exec() != QDialog::Accepted || !dialog.halfPeriod())
        return std::nullopt;
    return StimulusTiming{*dialog.halfPeriod(), dialog.outputDelayPs()};
}

std::optional<edit::UiPort::SvgSettings> QtUiPort::editSvgSettings(const SvgSettings& current)
{
    dialogs::SvgSettingsDialog dialog(current.scale, current.activeLowBarFactor, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SvgSettings{dialog.scale(), dialog.activeLowBarFactor()};
}

void QtUiPort::showAsciiWaveforms(const std::vector<io::AsciiRow>& rows)
{
    dialogs::AsciiWaveformsDialog dialog(rows, parent_);
    dialog.exec();
}

void QtUiPort::addToRecentFiles(const std::string& path)
{
    if (onRecentFile)
        onRecentFile(path);
}

void QtUiPort::popupContextMenu(edit::ContextMenuKind menu, int screenX, int screenY)
{
    if (onContextMenu)
        onContextMenu(menu, screenX, screenY);
}

} // namespace sigmora::app

namespace sigmora::app {

edit::SignalDialogResult QtUiPort::editSignalAttributes(edit::SignalAttributes& values)
{
    dialogs::SignalAttributesDialog dialog(values, parent_);
    if (dialog.exec() == QDialog::Accepted) {
        values = dialog.values();
        return edit::SignalDialogResult::Ok;
    }
    return dialog.deleteRequested() ? edit::SignalDialogResult::Delete : edit::SignalDialogResult::Cancel;
}

std::optional<edit::CycleLabelValues> QtUiPort::customizeCycleLabels(const edit::CycleLabelValues& values)
{
    dialogs::CycleLabelsDialog dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

void QtUiPort::showRowLayoutWindow(const edit::RowLayoutLink& link)
{
    const bool first = rowLayoutWindow_.isNull();
    if (first)
        rowLayoutWindow_ = new dialogs::HeightSpacingWindow(parent_);
    rowLayoutWindow_->setLink(link);
    rowLayoutWindow_->show();
    if (first && parent_) {
        rowLayoutWindow_->adjustSize();
        rowLayoutWindow_->move(parent_->geometry().center() - rowLayoutWindow_->rect().center());
    }
    rowLayoutWindow_->raise();
    rowLayoutWindow_->activateWindow();
}

} // namespace sigmora::app
