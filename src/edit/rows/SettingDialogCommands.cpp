#include "edit/rows/SettingDialogCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/values/CycleLabelValues.h"
#include "edit/session/Session.h"
#include "edit/annotations/TextRelayout.h"

namespace sigmora::edit {

namespace {

void customizeCycleLabels(Session& session)
{
    model::Diagram& diagram = session.diagram();
    if (auto chosen = session.ui().customizeCycleLabels(cycleLabelValues(diagram.settings))) {
        applyCycleLabels(diagram, *chosen);
        diagram.modified = true;
    } else if (diagram.settings.labelsCustomized != 0) {
        // Cancel turns the customized labels off and changes nothing else.
        diagram.settings.labelsCustomized = 0;
        diagram.modified = true;
    } else {
        return;
    }
    session.refresh();
    session.takeSnapshot();
}

} // namespace

void applyRowLayout(Session& session, const RowLayout& layout)
{
    const RowLayout wanted = clampedRowLayout(layout);
    model::DiagramSettings& s = session.diagram().settings;
    if (rowLayoutOf(s) != wanted) {
        const render::Layout before = render::Layout::from(s);
        s.signalHeight = wanted.signalHeight;
        s.signalSpacing = wanted.signalSpacing;
        s.topMargin = wanted.topMargin;
        relayoutTextBoxes(session.diagram(), before, render::Layout::from(s));
        session.diagram().modified = true;
    }
    session.refresh();
}

void showRowLayoutWindow(Session& session)
{
    RowLayoutLink link;
    link.current = [&session] { return rowLayoutOf(session.diagram().settings); };
    // The moves of the track bars are one undo step, ended by OK or by whatever is done next.
    link.apply = [&session](const RowLayout& layout) {
        Session::Step step(session, Session::StepRun::RowLayout);
        applyRowLayout(session, layout);
    };
    link.refresh = [&session] {
        session.settleRun();
        session.refresh();
    };
    session.ui().showRowLayoutWindow(link);
}

void registerSettingDialogCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::CycleLabelsCustomize, [&session] { customizeCycleLabels(session); });
    r.add(cmd::AdjustHeightSpacing, [&session] { showRowLayoutWindow(session); });
    r.add(cmd::DecreaseSignalSpacing, [&session] { showRowLayoutWindow(session); });
    // Dragging the diagram's bottom edge opens the window too.
    session.tools().openHeightWindow = [&session] { showRowLayoutWindow(session); };
}

} // namespace sigmora::edit
