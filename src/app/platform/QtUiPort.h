#pragma once

#include <QPointer>
#include <functional>

#include "dialogs/HeightSpacingWindow.h"
#include "edit/session/UiPort.h"

class QWidget;

namespace sigmora::app {

// The editor's questions and messages as Qt message boxes and dialogs over the main window.
class QtUiPort : public edit::UiPort {
public:
    explicit QtUiPort(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& caption, edit::MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption, edit::MessageIcon icon) override;
    edit::Answer askYesNoCancel(const std::string& text, const std::string& caption, edit::MessageIcon icon) override;
    std::optional<int> choosePeriodDivider(int currentDivider) override;
    std::optional<edit::TextAttributes> editTextAttributes(const edit::TextAttributes& values) override;
    std::optional<model::Colour> chooseColour(model::Colour initial) override;
    std::optional<std::vector<int>> chooseDutClocks(const std::vector<std::string>& rowNames) override;
    std::optional<io::VcdChoice> chooseVcdImport(const io::VcdSurvey& survey, const io::VcdChoice& proposed) override;
    std::optional<SvgSettings> editSvgSettings(const SvgSettings& current) override;
    std::optional<long long> chooseHalfPeriod(const std::string& title, const std::vector<std::string>& notes,
                                              std::optional<long long> timeBase) override;
    std::optional<StimulusTiming> chooseStimulusTiming(const std::string& title, const std::vector<std::string>& notes,
                                                       std::optional<long long> timeBase) override;
    std::optional<long long> editTimeBase(long long current) override;
    std::optional<TimingTable> editTimingParameters(const TimingTable& table, const std::vector<std::string>& labels) override;
    void showAsciiWaveforms(const std::vector<io::AsciiRow>& rows) override;
    std::optional<std::string> openFileName(const FileDialog& dialog) override;
    std::optional<std::string> saveFileName(const FileDialog& dialog) override;
    void addToRecentFiles(const std::string& path) override;
    void popupContextMenu(edit::ContextMenuKind menu, int screenX, int screenY) override;
    edit::SignalDialogResult editSignalAttributes(edit::SignalAttributes& values) override;
    std::optional<edit::CycleLabelValues> customizeCycleLabels(const edit::CycleLabelValues& values) override;
    void showRowLayoutWindow(const edit::RowLayoutLink& link) override;

    // The height/spacing window once it has been made (it is a child of the main window and
    // goes with it), else nullptr.
    dialogs::HeightSpacingWindow* rowLayoutWindow() const { return rowLayoutWindow_; }

    // Set by the main window: puts a path at the top of its recent-file list.
    std::function<void(const std::string&)> onRecentFile;
    // Set by the main window: pops up one of its context menus at a screen point.
    std::function<void(edit::ContextMenuKind, int, int)> onContextMenu;
    // Set by the main window: the path of the current diagram (empty while it has none), whose
    // folder the file dialogs start in.
    std::function<std::string()> currentDiagram;

private:
    std::optional<std::string> runFileDialog(const FileDialog& dialog, bool open);

    QWidget* parent_;
    QPointer<dialogs::HeightSpacingWindow> rowLayoutWindow_;
};

} // namespace sigmora::app
