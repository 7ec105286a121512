#include "edit/exchange/VcdImportCommand.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "edit/files/FileFormats.h"
#include "io/exchange/ImportFiles.h"

namespace sigmora::edit {

namespace {

void importVcd(Session& session)
{
    if (!askToSaveChanges(session))
        return;
    const auto path = fileToRead(session, readDialogOf(Format::Vcd));
    if (!path)
        return;
    const io::VcdSurvey survey = io::surveyVcdFile(*path);
    if (!survey.ok) {
        session.ui().showMessage(survey.error, "Sigmora", MessageIcon::Warning);
        return;
    }
    io::VcdChoice proposed;
    proposed.clock = io::defaultVcdClock(survey);
    const auto choice = session.ui().chooseVcdImport(survey, proposed);
    if (!choice)
        return;
    runExchangeImport(session, [&](model::Diagram& fresh) {
        return io::importVcdFile(*path, *choice, fresh, session.measurer());
    });
}

} // namespace

void registerVcdImportCommand(Session& session)
{
    session.commands().add(cmd::ImportVcd, [&session] { importVcd(session); });
}

} // namespace sigmora::edit
