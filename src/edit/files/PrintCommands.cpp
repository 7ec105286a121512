#include "edit/files/PrintCommands.h"

#include <filesystem>
#include <optional>

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
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

void drawPage(Session& session, render::Surface& surface, model::ReaderReport& report)
{
    model::DiagramSettings& s = session.diagram().settings;
    PrintMargins margins(s);
    UnscrolledView unscrolled(s);
    render::RedrawOptions options = outputOptions(session);
    options.fontScale = 1.0;
    options.printOffset = render::kPrintMargin;
    options.secondOffset = render::kPrintMargin;
    render::RedrawMemory memory = outputMemory(session);
    render::fullRedraw(surface, session.diagram(), options, memory, report);
}

// Prints the diagram, with cycles clock cycles when given; cellCount and waveformWidth are
// restored afterwards, also when the printer dialog is cancelled.
void printDiagram(Session& session, OutputDevices& devices, std::optional<int> cycles)
{
    model::DiagramSettings& s = session.diagram().settings;
    const int cellCount = s.cellCount;
    const int waveformWidth = s.waveformWidth;
    model::ReaderReport report;
    if (endTransactionForOutput(session)) {
        if (cycles) {
            s.cellCount = kCellsPerCycle * *cycles;
            s.waveformWidth = s.cellCount * s.cellWidth;
        }
        devices.print(session.title(), proposedPrintFile(session),
                      [&](render::Surface& surface) { drawPage(session, surface, report); });
    }
    s.cellCount = cellCount;
    s.waveformWidth = waveformWidth;
    session.showReaderMessages(report);
    session.refresh();
}

void printAdvanced(Session& session, OutputDevices& devices)
{
    const std::optional<int> cycles = devices.chooseCyclesToPrint(session.diagram().settings.cellCount / kCellsPerCycle);
    if (!cycles) {
        session.refresh();
        return;
    }
    printDiagram(session, devices, cycles);
}

} // namespace

std::string proposedPrintFile(const Session& session)
{
    const std::string& path = session.filePath();
    if (path.empty())
        return {};
    return std::filesystem::path(path).replace_extension(".pdf").string();
}

void registerPrintCommands(Session& session, OutputDevices& devices)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::FilePrint, [&session, &devices] { printDiagram(session, devices, std::nullopt); });
    r.add(cmd::FilePrintAdvanced, [&session, &devices] { printAdvanced(session, devices); });
}

} // namespace sigmora::edit
