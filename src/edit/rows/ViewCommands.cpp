#include "edit/rows/ViewCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"

namespace sigmora::edit {

namespace {

using Setting = int model::DiagramSettings::*;

// Whether a setting is saved with the diagram, or belongs to the window or the preferences.
enum class Kept { WithDiagram, ByWindow };

// Sets a setting and refreshes the screen. A changed setting that is saved with the diagram marks
// it modified, so that closing asks to save it; no undo snapshot is taken.
void store(Session& session, Setting setting, int value, Kept kept)
{
    int& v = session.diagram().settings.*setting;
    if (kept == Kept::WithDiagram && v != value)
        session.diagram().modified = true;
    v = value;
    session.refresh();
}

// A command that sets a setting to a value and is checked while the setting holds it.
void addChoice(Session& session, int command, Setting setting, int value, Kept kept = Kept::WithDiagram)
{
    session.commands().add(
        command, [&session, setting, value, kept] { store(session, setting, value, kept); },
        [&session, setting, value](CommandState& s) { s.checked = session.diagram().settings.*setting == value; });
}

// A command that flips a 0/1 setting and is checked while it is 1.
void addToggle(Session& session, int command, Setting setting, Kept kept = Kept::WithDiagram)
{
    session.commands().add(
        command,
        [&session, setting, kept] { store(session, setting, session.diagram().settings.*setting == 1 ? 0 : 1, kept); },
        [&session, setting](CommandState& s) { s.checked = session.diagram().settings.*setting == 1; });
}

// One side of an on/off setting that the drawing reads as off only at 0: "on" sets 1 and is
// checked for any value but 0, "off" sets 0 and is checked at 0.
void addFlagChoice(Session& session, int command, Setting setting, bool on)
{
    session.commands().add(
        command, [&session, setting, on] { store(session, setting, on ? 1 : 0, Kept::WithDiagram); },
        [&session, setting, on](CommandState& s) { s.checked = (session.diagram().settings.*setting != 0) == on; });
}

} // namespace

void registerViewCommands(Session& session)
{
    using S = model::DiagramSettings;
    addChoice(session, cmd::PeriodLinesNone, &S::periodLineMode, 5);
    addChoice(session, cmd::PeriodLinesBoth, &S::periodLineMode, 0);
    addChoice(session, cmd::PeriodLinesRising, &S::periodLineMode, 1);
    addChoice(session, cmd::PeriodLinesFalling, &S::periodLineMode, 2);
    addChoice(session, cmd::PeriodLinesCenter, &S::periodLineMode, 6);
    addFlagChoice(session, cmd::PeriodLinesDotted, &S::periodLinesSolid, false);
    addFlagChoice(session, cmd::PeriodLinesSolid, &S::periodLinesSolid, true);
    addFlagChoice(session, cmd::OwnPeriodYes, &S::eachClockOwnPeriod, true);
    addFlagChoice(session, cmd::OwnPeriodNo, &S::eachClockOwnPeriod, false);
    addToggle(session, cmd::CycleLabelsVisible, &S::cycleLabelsVisible);
    addChoice(session, cmd::NamesLeftJustified, &S::nameJustification, 0);
    addChoice(session, cmd::NamesRightJustified, &S::nameJustification, 1);
    addToggle(session, cmd::ViewLogo, &S::logoShown);
    addToggle(session, cmd::ViewBoundingRectangle, &S::boundingRectShown);
    addChoice(session, cmd::DropShadowSolid, &S::dropShadow, 1);
    addChoice(session, cmd::DropShadowGradient, &S::dropShadow, 2);
    addChoice(session, cmd::DropShadowNone, &S::dropShadow, 0);
    addToggle(session, cmd::SignalSeparator, &S::signalSeparatorLines, Kept::ByWindow);
    addToggle(session, cmd::WaveformSeparator, &S::waveformSeparatorLines, Kept::ByWindow);
    addChoice(session, cmd::NewSignalsHigh, &S::newSignalLevel, 1, Kept::ByWindow);
    addChoice(session, cmd::NewSignalsLow, &S::newSignalLevel, 0, Kept::ByWindow);

    session.commands().add(cmd::PeriodLinesCustomize, [&session] {
        if (auto divider = session.ui().choosePeriodDivider(session.diagram().settings.periodDivider))
            store(session, &S::periodDivider, *divider, Kept::WithDiagram);
    });
}

} // namespace sigmora::edit
