#include "app/window/CommandIcons.h"

#include <map>

#include "edit/session/CommandIds.h"

namespace sigmora::app {

namespace {
namespace cmd = edit::cmd;

const std::map<int, const char*>& iconNames()
{
    static const std::map<int, const char*> names{
        {cmd::ModeEdit, "mode-edit"},
        {cmd::ModeDraw, "mode-draw"},
        {cmd::ToolTriState, "tool-tristate"},
        {cmd::ToolBothHighLow, "tool-both"},
        {cmd::ToolText, "tool-text"},
        {cmd::ToolLabelOutward, "tool-label-outward"},
        {cmd::ToolLabelInward, "tool-label-inward"},
        {cmd::ToolBezierArrow, "tool-bezier-arrow"},
        {cmd::ToolAngledWire, "tool-angled-wire"},
        {cmd::ToolStraightArrow, "tool-straight-arrow"},
        {cmd::ToolFloatingArrow, "tool-floating-arrow"},
        {cmd::ToolTimeBreak, "tool-time-break"},
        {cmd::ToolFloodFill, "tool-flood-fill"},
        {cmd::ToolEraseFloodFill, "tool-erase-flood-fill"},
        {cmd::AddSignalDelay, "add-delay"},
        {cmd::SubtractSignalDelay, "subtract-delay"},
        {cmd::FileNew, "file-new"},
        {cmd::FileOpen, "file-open"},
        {cmd::FileSave, "file-save"},
        {cmd::EditCut, "edit-cut"},
        {cmd::ExportClipboard, "export-clipboard"},
        {cmd::FilePrint, "file-print"},
        {cmd::EditUndo, "edit-undo"},
        {cmd::EditRedo, "edit-redo"},
        {cmd::AddClock, "add-clock"},
        {cmd::AddSignal, "add-signal"},
        {cmd::AddBus, "add-bus"},
        {cmd::InsertSeparatorBlank, "insert-separator"},
        {cmd::EditSignalAttributes, "signal-attributes"},
        {cmd::ShowAsciiWaveforms, "ascii-waveforms"},
        {cmd::IncreaseClockWidth, "clock-wider"},
        {cmd::DecreaseClockWidth, "clock-narrower"},
    };
    return names;
}
} // namespace

QString commandIconName(int command)
{
    auto it = iconNames().find(command);
    return it == iconNames().end() ? QString() : QString::fromUtf8(it->second);
}

QIcon commandIcon(int command)
{
    const QString name = commandIconName(command);
    return name.isEmpty() ? QIcon() : QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

} // namespace sigmora::app
