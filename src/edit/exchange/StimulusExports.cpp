#include "edit/exchange/StimulusExports.h"

#include "edit/exchange/ImportedDiagram.h"
#include "edit/files/FileFormats.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "io/base/FileAccess.h"
#include "io/dump/DrawnChanges.h"
#include "io/dump/HalfPeriod.h"
#include "io/dump/VcdWriter.h"
#include "io/hdl/VerilogStimulus.h"
#include "io/hdl/VhdlStimulus.h"

namespace sigmora::edit {

namespace {

constexpr const char* kCannotWrite = "Problem writing the file";

struct StimulusFormat {
    Format format;
    io::HdlLanguage language;
    std::string (*write)(const io::TimedRows&);
    const char* dialogTitle;
};

constexpr StimulusFormat kFormats[] = {
    {Format::Vcd, io::HdlLanguage::Verilog, io::vcdText, "Value Change Dump: time of one cell"},
    {Format::Verilog, io::HdlLanguage::Verilog, io::verilogStimulus, "Verilog stimulus: time of one cell"},
    {Format::Vhdl, io::HdlLanguage::Vhdl, io::vhdlStimulus, "VHDL stimulus: time of one cell"},
};

void exportStimulus(Session& session, const StimulusFormat& format)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kAddSignalsFirst);
        return;
    }
    const std::string base = io::diagramBaseName(session.filePath());
    // Names and bus texts do not depend on the half-period: a diagram that cannot be written is
    // told before any dialog.
    const io::TimedRows checked = io::timedRows(session.diagram(), base, format.language, io::kDefaultHalfPeriodFs);
    if (!checked.ok) {
        session.ui().showMessage(checked.error, "Sigmora", MessageIcon::Warning);
        return;
    }
    const auto path = session.ui().saveFileName(writeDialogOf(format.format));
    if (!path || path->empty())
        return;
    // The dump shows the drawing as it is; stimulus drives each change a little after the edge the
    // drawing slants it after: the delay chosen, else each row's drawn slant.
    // The dialog starts at the diagram's time base when it has one.
    const std::optional<long long> timeBase = session.diagram().extension.halfPeriodFs;
    const bool stimulus = format.format != Format::Vcd;
    std::optional<UiPort::StimulusTiming> timing;
    if (stimulus)
        timing = session.ui().chooseStimulusTiming(format.dialogTitle, checked.renamings, timeBase);
    else if (const auto halfPeriod = session.ui().chooseHalfPeriod(format.dialogTitle, checked.renamings, timeBase))
        timing = UiPort::StimulusTiming{*halfPeriod, std::nullopt};
    if (!timing)
        return;
    if (timing->halfPeriodFs <= 0 || timing->halfPeriodFs > io::kMaxHalfPeriodFs) {
        session.ui().showMessage("The half-period must lie between 1 fs and 1 s.", "Sigmora", MessageIcon::Warning);
        return;
    }
    if (timing->outputDelayPs &&
        (*timing->outputDelayPs < io::kMinOutputDelayPs || *timing->outputDelayPs * 1000 >= timing->halfPeriodFs)) {
        session.ui().showMessage("The output delay must be at least 1ps and shorter than the half-period.", "Sigmora",
                                 MessageIcon::Warning);
        return;
    }
    io::TimedRows rows = io::timedRows(session.diagram(), base, format.language, timing->halfPeriodFs);
    if (stimulus)
        io::applyOutputDelay(rows, timing->outputDelayPs);
    const io::WriteResult written = io::writeFileReplacing(*path, format.write(rows));
    if (written.error != io::WriteError::None)
        session.ui().showMessage(std::string(kCannotWrite) + ": " + *path + "\n" +
                                     io::fileProblem(*path, written.systemError),
                                 "Sigmora", MessageIcon::Warning);
}

} // namespace

void registerStimulusExports(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::ExportVcd, [&session] { exportStimulus(session, kFormats[0]); });
    r.add(cmd::ExportVerilogStimulus, [&session] { exportStimulus(session, kFormats[1]); });
    r.add(cmd::ExportVhdlStimulus, [&session] { exportStimulus(session, kFormats[2]); });
}

} // namespace sigmora::edit
