#include "edit/ViewCommands.h"

#include "edit/CommandIds.h"
#include "edit/Editor.h"

namespace sigmora::edit {

namespace {

using Setting = int model::DiagramSettings::*;

// A command that sets a setting to a value and is checked while the setting holds it.
void addChoice(Editor& editor, int command, Setting setting, int value)
{
    editor.commands().add(
        command,
        [&editor, setting, value] {
            editor.diagram().settings.*setting = value;
            editor.refresh();
        },
        [&editor, setting, value](CommandState& s) { s.checked = editor.diagram().settings.*setting == value; });
}

// A command that flips a 0/1 setting and is checked while it is 1.
void addToggle(Editor& editor, int command, Setting setting)
{
    editor.commands().add(
        command,
        [&editor, setting] {
            int& v = editor.diagram().settings.*setting;
            v = v == 1 ? 0 : 1;
            editor.refresh();
        },
        [&editor, setting](CommandState& s) { s.checked = editor.diagram().settings.*setting == 1; });
}

} // namespace

void registerViewCommands(Editor& editor)
{
    using S = model::DiagramSettings;
    addChoice(editor, cmd::PeriodLinesNone, &S::periodLineMode, 5);
    addChoice(editor, cmd::PeriodLinesBoth, &S::periodLineMode, 0);
    addChoice(editor, cmd::PeriodLinesRising, &S::periodLineMode, 1);
    addChoice(editor, cmd::PeriodLinesFalling, &S::periodLineMode, 2);
    addChoice(editor, cmd::PeriodLinesCenter, &S::periodLineMode, 6);
    addChoice(editor, cmd::PeriodLinesDotted, &S::periodLinesSolid, 0);
    addChoice(editor, cmd::PeriodLinesSolid, &S::periodLinesSolid, 1);
    addChoice(editor, cmd::OwnPeriodYes, &S::eachClockOwnPeriod, 1);
    addChoice(editor, cmd::OwnPeriodNo, &S::eachClockOwnPeriod, 0);
    addToggle(editor, cmd::CycleLabelsVisible, &S::cycleLabelsVisible);
    addChoice(editor, cmd::NamesLeftJustified, &S::nameJustification, 0);
    addChoice(editor, cmd::NamesRightJustified, &S::nameJustification, 1);
    addToggle(editor, cmd::SignalSeparator, &S::signalSeparatorLines);
    addToggle(editor, cmd::WaveformSeparator, &S::waveformSeparatorLines);
    addChoice(editor, cmd::NewSignalsHigh, &S::newSignalLevel, 1);
    addChoice(editor, cmd::NewSignalsLow, &S::newSignalLevel, 0);

    editor.commands().add(cmd::PeriodLinesCustomize, [&editor] {
        if (auto divider = editor.ui().choosePeriodDivider(editor.diagram().settings.periodDivider)) {
            editor.diagram().settings.periodDivider = *divider;
            editor.refresh();
        }
    });
}

} // namespace sigmora::edit
