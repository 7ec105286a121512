#include "edit/rows/ViewCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"

namespace sigmora::edit {

namespace {

using Setting = int model::DiagramSettings::*;

// Whether a setting is saved with the diagram, or belongs to the window or the preferences.
enum class Kept { WithDiagram, ByWindow };

// Sets a setting and refreshes the screen. A changed setting that is saved with the diagram marks
// it modified, so that closing asks to save it; no undo snapshot is taken.
void store(Editor& editor, Setting setting, int value, Kept kept)
{
    int& v = editor.diagram().settings.*setting;
    if (kept == Kept::WithDiagram && v != value)
        editor.diagram().modified = true;
    v = value;
    editor.refresh();
}

// A command that sets a setting to a value and is checked while the setting holds it.
void addChoice(Editor& editor, int command, Setting setting, int value, Kept kept = Kept::WithDiagram)
{
    editor.commands().add(
        command, [&editor, setting, value, kept] { store(editor, setting, value, kept); },
        [&editor, setting, value](CommandState& s) { s.checked = editor.diagram().settings.*setting == value; });
}

// A command that flips a 0/1 setting and is checked while it is 1.
void addToggle(Editor& editor, int command, Setting setting, Kept kept = Kept::WithDiagram)
{
    editor.commands().add(
        command,
        [&editor, setting, kept] { store(editor, setting, editor.diagram().settings.*setting == 1 ? 0 : 1, kept); },
        [&editor, setting](CommandState& s) { s.checked = editor.diagram().settings.*setting == 1; });
}

// One side of an on/off setting that the drawing reads as off only at 0: "on" sets 1 and is
// checked for any value but 0, "off" sets 0 and is checked at 0.
void addFlagChoice(Editor& editor, int command, Setting setting, bool on)
{
    editor.commands().add(
        command, [&editor, setting, on] { store(editor, setting, on ? 1 : 0, Kept::WithDiagram); },
        [&editor, setting, on](CommandState& s) { s.checked = (editor.diagram().settings.*setting != 0) == on; });
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
    addFlagChoice(editor, cmd::PeriodLinesDotted, &S::periodLinesSolid, false);
    addFlagChoice(editor, cmd::PeriodLinesSolid, &S::periodLinesSolid, true);
    addFlagChoice(editor, cmd::OwnPeriodYes, &S::eachClockOwnPeriod, true);
    addFlagChoice(editor, cmd::OwnPeriodNo, &S::eachClockOwnPeriod, false);
    addToggle(editor, cmd::CycleLabelsVisible, &S::cycleLabelsVisible);
    addChoice(editor, cmd::NamesLeftJustified, &S::nameJustification, 0);
    addChoice(editor, cmd::NamesRightJustified, &S::nameJustification, 1);
    addToggle(editor, cmd::ViewLogo, &S::logoShown);
    addToggle(editor, cmd::ViewBoundingRectangle, &S::boundingRectShown);
    addChoice(editor, cmd::DropShadowSolid, &S::dropShadow, 1);
    addChoice(editor, cmd::DropShadowGradient, &S::dropShadow, 2);
    addChoice(editor, cmd::DropShadowNone, &S::dropShadow, 0);
    addToggle(editor, cmd::SignalSeparator, &S::signalSeparatorLines, Kept::ByWindow);
    addToggle(editor, cmd::WaveformSeparator, &S::waveformSeparatorLines, Kept::ByWindow);
    addChoice(editor, cmd::NewSignalsHigh, &S::newSignalLevel, 1, Kept::ByWindow);
    addChoice(editor, cmd::NewSignalsLow, &S::newSignalLevel, 0, Kept::ByWindow);

    editor.commands().add(cmd::PeriodLinesCustomize, [&editor] {
        if (auto divider = editor.ui().choosePeriodDivider(editor.diagram().settings.periodDivider))
            store(editor, &S::periodDivider, *divider, Kept::WithDiagram);
    });
}

} // namespace sigmora::edit
