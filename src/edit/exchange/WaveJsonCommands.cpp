#include "edit/exchange/WaveJsonCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "edit/files/FileFormats.h"
#include "io/base/FileAccess.h"
#include "io/exchange/ImportFiles.h"
#include "io/exchange/WaveJsonWriter.h"

namespace sigmora::edit {

namespace {

constexpr const char* kNoRows = "Please add signals to the waveforms first";
constexpr const char* kCannotWrite = "Problem writing the WaveJSON file";
constexpr const char* kLeftOut = "The WaveJSON file was written without what it cannot carry:";

void exportWaveJson(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kNoRows);
        return;
    }
    const auto path = session.ui().saveFileName(writeDialogOf(Format::WaveJson));
    if (!path || path->empty())
        return;
    const io::WaveJsonExport exported = io::waveJsonExport(session.diagram());
    const io::WriteResult written = io::writeFileReplacing(*path, exported.text);
    if (written.error != io::WriteError::None) {
        session.ui().showMessage(std::string(kCannotWrite) + ": " + *path + "\n" +
                                    io::fileProblem(*path, written.systemError),
                                "Sigmora", MessageIcon::Warning);
        return;
    }
    // Never silent about what the format cannot carry.
    if (!exported.notes.empty()) {
        std::string text = kLeftOut;
        for (const std::string& note : exported.notes)
            text += "\n" + note;
        session.ui().showMessage(text, "Sigmora", MessageIcon::Information);
    }
}

void importWaveJson(Session& session)
{
    if (!askToSaveChanges(session))
        return;
    const auto path = fileToRead(session, readDialogOf(Format::WaveJson));
    if (!path)
        return;
    runExchangeImport(session, [&](model::Diagram& fresh) {
        return io::importWaveJsonFile(*path, fresh, session.measurer());
    });
}

} // namespace

void registerWaveJsonCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::ExportWaveJson, [&session] { exportWaveJson(session); });
    r.add(cmd::ImportWaveJson, [&session] { importWaveJson(session); });
}

} // namespace sigmora::edit
