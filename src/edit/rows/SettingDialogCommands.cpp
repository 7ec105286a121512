#include "edit/rows/SettingDialogCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/CycleLabelValues.h"
#include "edit/Editor.h"
#include "edit/annotations/TextRelayout.h"

namespace sigmora::edit {

namespace {

void customizeCycleLabels(Editor& editor)
{
    model::Diagram& diagram = editor.diagram();
    if (auto chosen = editor.ui().customizeCycleLabels(cycleLabelValues(diagram.settings))) {
        applyCycleLabels(diagram, *chosen);
        diagram.modified = true;
    } else if (diagram.settings.labelsCustomized != 0) {
        // Cancel turns the customized labels off and changes nothing else.
        diagram.settings.labelsCustomized = 0;
        diagram.modified = true;
    } else {
        return;
    }
    editor.refresh();
    editor.takeSnapshot();
}

} // namespace

void applyRowLayout(Editor& editor, const RowLayout& layout)
{
    const RowLayout wanted = clampedRowLayout(layout);
    model::DiagramSettings& s = editor.diagram().settings;
    if (rowLayoutOf(s) != wanted) {
        const render::Layout before = render::Layout::from(s);
        s.signalHeight = wanted.signalHeight;
        s.signalSpacing = wanted.signalSpacing;
        s.topMargin = wanted.topMargin;
        relayoutTextBoxes(editor.diagram(), before, render::Layout::from(s));
        editor.diagram().modified = true;
    }
    editor.refresh();
}

void showRowLayoutWindow(Editor& editor)
{
    RowLayoutLink link;
    link.current = [&editor] { return rowLayoutOf(editor.diagram().settings); };
    link.apply = [&editor](const RowLayout& layout) { applyRowLayout(editor, layout); };
    link.refresh = [&editor] { editor.refresh(); };
    editor.ui().showRowLayoutWindow(link);
}

void registerSettingDialogCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::CycleLabelsCustomize, [&editor] { customizeCycleLabels(editor); });
    r.add(cmd::AdjustHeightSpacing, [&editor] { showRowLayoutWindow(editor); });
    r.add(cmd::DecreaseSignalSpacing, [&editor] { showRowLayoutWindow(editor); });
    // Dragging the diagram's bottom edge opens the window too.
    editor.tools().openHeightWindow = [&editor] { showRowLayoutWindow(editor); };
}

} // namespace sigmora::edit
