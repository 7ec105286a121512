#include "edit/files/PrintCommands.h"

#include <optional>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/files/OutputDevices.h"
#include "edit/files/OutputSteps.h"
#include "render/FullRedraw.h"
#include "render/PrintMapping.h"

namespace sigmora::edit {

namespace {

constexpr int kCellsPerCycle = 2;

// The margins of the printed page: the five layout values saved, three of them made larger by
// the print margin, all restored when the page is drawn.
class PrintMargins {
public:
    explicit PrintMargins(model::DiagramSettings& s)
        : s_(s), nameMargin_(s.nameMargin), nameColumnWidth_(s.nameColumnWidth), topMargin_(s.topMargin),
          signalHeight_(s.signalHeight), cellWidth_(s.cellWidth)
    {
        s.nameMargin += render::kPrintMargin;
        s.nameColumnWidth += render::kPrintMargin;
        s.topMargin += render::kPrintMargin;
    }
    ~PrintMargins()
    {
        s_.nameMargin = nameMargin_;
        s_.nameColumnWidth = nameColumnWidth_;
        s_.topMargin = topMargin_;
        s_.signalHeight = signalHeight_;
        s_.cellWidth = cellWidth_;
    }
    PrintMargins(const PrintMargins&) = delete;
    PrintMargins& operator=(const PrintMargins&) = delete;

private:
    model::DiagramSettings& s_;
    int nameMargin_, nameColumnWidth_, topMargin_, signalHeight_, cellWidth_;
};

void drawPage(Editor& editor, render::Surface& surface, model::ReaderReport& report)
{
    model::DiagramSettings& s = editor.diagram().settings;
    PrintMargins margins(s);
    UnscrolledView unscrolled(s);
    render::RedrawOptions options = outputOptions(editor);
    options.fontScale = 1.0;
    options.printOffset = render::kPrintMargin;
    options.secondOffset = render::kPrintMargin;
    render::RedrawMemory memory = outputMemory(editor);
    render::fullRedraw(surface, editor.diagram(), options, memory, report);
}

// Prints the diagram, with cycles clock cycles when given; cellCount and waveformWidth are
// restored afterwards, also when the printer dialog is cancelled.
void printDiagram(Editor& editor, OutputDevices& devices, std::optional<int> cycles)
{
    model::DiagramSettings& s = editor.diagram().settings;
    const int cellCount = s.cellCount;
    const int waveformWidth = s.waveformWidth;
    model::ReaderReport report;
    if (endTransactionForOutput(editor)) {
        if (cycles) {
            s.cellCount = kCellsPerCycle * *cycles;
            s.waveformWidth = s.cellCount * s.cellWidth;
        }
        devices.print(editor.title(), [&](render::Surface& surface) { drawPage(editor, surface, report); });
    }
    s.cellCount = cellCount;
    s.waveformWidth = waveformWidth;
    editor.showReaderMessages(report);
    editor.refresh();
}

void printAdvanced(Editor& editor, OutputDevices& devices)
{
    const std::optional<int> cycles = devices.chooseCyclesToPrint(editor.diagram().settings.cellCount / kCellsPerCycle);
    if (!cycles) {
        editor.refresh();
        return;
    }
    printDiagram(editor, devices, cycles);
}

} // namespace

void registerPrintCommands(Editor& editor, OutputDevices& devices)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::FilePrint, [&editor, &devices] { printDiagram(editor, devices, std::nullopt); });
    r.add(cmd::FilePrintAdvanced, [&editor, &devices] { printAdvanced(editor, devices); });
}

} // namespace sigmora::edit
