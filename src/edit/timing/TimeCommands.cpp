#include "edit/timing/TimeCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/AnnotationPlacer.h"
#include "render/Layout.h"
#include "render/MeasuredLabels.h"
#include "render/TextBoxPainter.h"
#include "render/TextMarkup.h"
#include "render/TimeRuler.h"
#include "render/TimingChecks.h"

namespace sigmora::edit {

namespace {

constexpr std::string_view kCheckTitle = "Check Timing";
constexpr std::string_view kNoParameters = "The diagram has no timing parameters. Add them with Timing Parameters... in the Edit menu.";
constexpr std::size_t kMaxCaptionShown = 40;

model::DiagramExtension& extension(Session& session)
{
    return session.diagram().extension;
}

void editTimeBase(Session& session)
{
    const long long current = model::timeBaseFs(extension(session));
    const std::optional<long long> chosen = session.ui().editTimeBase(current);
    if (!chosen || (extension(session).halfPeriodFs && *chosen == *extension(session).halfPeriodFs))
        return;
    // The dialog refuses what is no time base; a port that answers one anyway changes nothing.
    if (*chosen <= 0 || *chosen > model::kMaxTimeBaseFs)
        return;
    extension(session).halfPeriodFs = *chosen;
    session.changed();
}

void toggleRuler(Session& session)
{
    model::Diagram& d = session.diagram();
    d.extension.timeRuler = !d.extension.timeRuler;
    // The ruler stands above the cycle labels: the top margin grows to hold it.
    const int needed = render::rulerTopMargin(d.settings.cycleLabelsVisible == 1);
    if (d.extension.timeRuler && d.settings.topMargin < needed)
        d.settings.topMargin = needed;
    session.changed();
}

void toggleTable(Session& session)
{
    extension(session).parameterTable = !extension(session).parameterTable;
    session.changed();
}

void editParameters(Session& session)
{
    model::DiagramExtension& e = extension(session);
    const UiPort::TimingTable current{e.parameters, e.violationsInPictures};
    const auto edited = session.ui().editTimingParameters(current, labelChoices(session));
    if (!edited)
        return;
    for (const model::TimingParameter& p : edited->parameters) {
        const std::string problem = model::timingParameterProblem(p);
        if (!problem.empty()) {
            session.ui().showMessage(problem, "Sigmora", MessageIcon::Warning);
            return;
        }
    }
    if (edited->parameters == e.parameters && edited->violationsInPictures == e.violationsInPictures)
        return;
    e.parameters = edited->parameters;
    e.violationsInPictures = edited->violationsInPictures;
    session.changed();
}

void checkTiming(Session& session)
{
    const bool any = !extension(session).parameters.empty();
    session.ui().showMessage(any ? timingCheckText(session) : std::string(kNoParameters), std::string(kCheckTitle),
                             MessageIcon::Information);
}

void addToggle(Session& session, int command, void (*run)(Session&), bool model::DiagramExtension::*flag)
{
    session.commands().add(
        command, [&session, run] { run(session); },
        [&session, flag](CommandState& s) {
            s.enabled = session.diagram().store.signalCount() > 0;
            s.checked = session.diagram().extension.*flag;
        });
}

} // namespace

std::vector<std::string> labelChoices(const Session& session)
{
    const model::ObjectStore& store = session.diagram().store;
    std::vector<std::string> out;
    for (int i = 0; i < store.list(model::ListId::Labels).count(); ++i)
        out.push_back("Label " + std::to_string(i + 1));
    const model::RecordList& texts = store.list(model::ListId::Texts);
    for (int t = 0; t < texts.count(); ++t) {
        const std::string& record = texts.get(t);
        const auto tag = model::fields::textField(record, model::textfield::Attachment);
        const auto label = render::TextBoxPainter::captionOf(tag.value_or(""));
        if (!label || *label < 0 || static_cast<std::size_t>(*label) >= out.size())
            continue;
        std::string& choice = out[static_cast<std::size_t>(*label)];
        if (choice.find(':') != std::string::npos)
            continue; // the first caption names it
        model::ReaderReport ignored;
        std::string caption = model::fields::decodePeriods(model::textbox::message(record, ignored));
        if (caption.size() > kMaxCaptionShown)
            caption = caption.substr(0, kMaxCaptionShown) + "...";
        choice += ": " + caption;
    }
    return out;
}

std::string timingCheckText(const Session& session)
{
    const model::Diagram& d = session.diagram();
    render::Layout layout = render::Layout::from(d.settings);
    const render::AnnotationPlacer placer(d, layout);
    const render::TimingReport report = render::checkTiming(d.extension, render::measureLabels(d, placer));
    std::string text;
    int violations = 0;
    for (std::size_t i = 0; i < d.extension.parameters.size(); ++i) {
        const model::TimingParameter& p = d.extension.parameters[i];
        const render::ParameterCheck& c = report.checks[i];
        text += render::withoutMarkup(p.symbol) + ": "; // a message is plain text
        if (!c.bound)
            text += "bound to no label";
        else if (!c.measuredFs)
            text += "Label " + std::to_string(p.label + 1) + " has no time";
        else {
            text += render::inUnit(*c.measuredFs, p);
            if (c.marginFs)
                text += std::string(c.violated ? ", VIOLATED by " : ", margin ") +
                        render::inUnit(c.violated ? -*c.marginFs : *c.marginFs, p);
            else
                text += ", no limits";
        }
        text += "\n";
        violations += c.violated ? 1 : 0;
    }
    text += violations == 0 ? "No violations." : std::to_string(violations) + " violation(s).";
    return text;
}

void registerTimeCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    const auto withRows = [&session](CommandState& s) { s.enabled = session.diagram().store.signalCount() > 0; };
    r.add(cmd::TimeBase, [&session] { editTimeBase(session); });
    r.add(cmd::TimingParameters, [&session] { editParameters(session); }, withRows);
    r.add(cmd::CheckTiming, [&session] { checkTiming(session); }, withRows);
    addToggle(session, cmd::ViewTimeRuler, toggleRuler, &model::DiagramExtension::timeRuler);
    addToggle(session, cmd::ViewParameterTable, toggleTable, &model::DiagramExtension::parameterTable);
}

} // namespace sigmora::edit
