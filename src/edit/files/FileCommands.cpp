#include "edit/files/FileCommands.h"

#include <algorithm>
#include <utility>

#include "edit/files/FileFormats.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/exchange/PortList.h"
#include "io/native/PreviousVersions.h"
#include "model/LabelNumberGenerator.h"
#include "model/RowFactory.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextLines.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;
using io::ReadResult;

constexpr const char* kNothingToSave = "There is nothing to save";
constexpr const char* kNoWaveformsToSave = "There are no waveforms to save";
constexpr const char* kFileExistsCaption = "File already exists...";
constexpr const char* kReadOnly = "The file could not be accessed.  Please check if it is READ ONLY.";
constexpr const char* kErrorSaving = "Error saving file";
constexpr const char* kErrorOpen = "Error open file";
constexpr const char* kNotSigmora = "This is not a valid Sigmora file.";
constexpr const char* kSigmoraCaption = "Sigmora";
constexpr const char* kDamaged = "This Sigmora file is damaged and cannot be read";
constexpr const char* kTooLarge = "the file is far larger than any diagram";
constexpr const char* kLeftOut = "The diagram was opened; what follows could not be read and was left out. "
                                 "Saving writes the diagram again as far as it was read.";
constexpr const char* kConvertQuestion =
    "This file was created with a previous version of Sigmora.  In order to proceed, the file must be "
    "converted to new format.  Before converting, Sigmora will save a backup of this file to: ";
constexpr const char* kConvertCaption = "Convert File?";
constexpr const char* kBackupFailed = "Backup failed on conversion";
constexpr const char* kTestbenchMarker = "import_tb.txt";
constexpr const char* kTestbenchUnreadable = "Problem parsing the RTL entity\n";
std::string overwriteQuestion(const std::string& path)
{
    return "File: " + path + " already exists.\n\nDo you want to overwrite the file?";
}

// Every message of a failed Open names the file it was about.
void showDamaged(Session& session, const std::string& path, const std::string& problem)
{
    session.ui().showMessage(std::string(kDamaged) + " (" + problem + ").\n" + path, kSigmoraCaption,
                             MessageIcon::Warning);
}

model::FontSpec textBoxFont(std::string_view record)
{
    model::FontSpec font = model::FontSpec::fromPoints(model::textbox::fontFace(record), model::textbox::fontSize(record));
    font.bold = fields::intField(record, model::textfield::Bold) == 1;
    font.italic = fields::intField(record, model::textfield::Italic) == 1;
    font.underline = fields::intField(record, model::textfield::Underline) == 1;
    return font;
}

// Text boxes whose right edge lies left of their left edge, or whose bottom lies above their top,
// get the size of their text again.
void repairTextBoxes(Session& session)
{
    model::RecordList& texts = session.diagram().store.list(model::ListId::Texts);
    model::ReaderReport ignored; // the redraw reports damaged text boxes
    for (int i = 0; i < texts.count(); ++i) {
        const std::string& record = texts.get(i);
        const int left = model::textbox::left(record, ignored);
        const int top = model::textbox::top(record, ignored);
        if (model::textbox::right(record, ignored) >= left && model::textbox::bottom(record, ignored) >= top)
            continue;
        const model::FontSpec font = textBoxFont(record);
        const auto lines = model::splitNameLines(fields::decodePeriods(model::textbox::message(record, ignored)));
        int width = 0;
        for (const std::string& line : lines)
            width = std::max(width, session.measurer().textWidth(line, font));
        const int height = static_cast<int>(lines.size()) * session.measurer().lineHeight(font);
        std::string resized = fields::withIntField(record, model::textfield::Right, left + width);
        texts.replace(i, fields::withIntField(resized, model::textfield::Bottom, top + height));
    }
}

// An empty diagram for Open to read into, with the settings a reset keeps; the open diagram
// stays as it is until the read has succeeded.
model::Diagram freshDiagram(const Session& session)
{
    model::Diagram fresh = session.diagram();
    fresh.resetForNew();
    return fresh;
}

// The diagram read replaces the open one: caption, label numbers, repaint, and the diagram as
// opened is the first state Undo returns to.
void putInPlace(Session& session, model::Diagram&& opened, const std::string& path, bool repairTexts)
{
    session.resetDiagram();
    session.diagram() = std::move(opened);
    session.setFilePath(path);
    model::regenerateLabelNumbers(session.diagram());
    if (repairTexts)
        repairTextBoxes(session);
    session.refresh();
    session.startHistory();
}

// The end of a successful read of a file the user opened.
void showOpened(Session& session, model::Diagram&& opened, const std::string& path, bool repairTexts)
{
    putInPlace(session, std::move(opened), path, repairTexts);
    session.ui().addToRecentFiles(path);
}

void convertPreviousVersion(Session& session, const std::string& path, const std::string& bytes)
{
    const std::string backup = io::backupPathFor(path);
    if (!session.ui().askYesNo(kConvertQuestion + backup, kConvertCaption))
        return;
    int systemError = 0;
    if (!io::copyFile(path, backup, &systemError)) {
        session.ui().showMessage(std::string(kBackupFailed) + "\n" + io::fileProblem(backup, systemError));
        return;
    }
    model::Diagram converted = freshDiagram(session);
    model::ReaderReport report;
    const ReadResult result = io::readPreviousVersionFile(bytes, converted, &report);
    if (result.status != ReadResult::Status::Ok) {
        showDamaged(session, path, result.problem);
        return;
    }
    showOpened(session, std::move(converted), path, false);
    session.showReaderMessages(report);
    // A converted diagram that could not be written back must not be lost without a question.
    if (!writeDiagramFile(session, path))
        session.diagram().modified = true;
}

// The ports of the list are offered as the clocks of the device under test; each port chosen
// becomes a clock row of its name. The other ports stay in the import tables only. A list that
// cannot be read, or the dialog cancelled, leaves the open diagram as it was.
void importTestbench(Session& session, const std::string& path)
{
    const io::FileBytes file = io::readWholeFile(path);
    if (file.error != io::ReadError::None) {
        session.ui().showMessage(kTestbenchUnreadable + io::fileProblem(path, file.systemError));
        return;
    }
    std::vector<io::Port> ports = io::parsePortList(file.bytes);
    std::vector<std::string> names;
    for (const io::Port& port : ports)
        names.push_back(port.name);
    const auto chosen = session.ui().chooseDutClocks(names);
    if (!chosen)
        return;
    session.resetDiagram();
    session.setFilePath({});
    session.testbenchPorts = std::move(ports);
    model::Diagram& diagram = session.diagram();
    model::RecordList& rows = diagram.store.signals();
    for (int index : *chosen) {
        if (index < 0 || index >= static_cast<int>(names.size()) || rows.count() >= model::kMaxRows)
            continue;
        diagram.store.floodStyles().clearRow(rows.count());
        diagram.store.edgeOffsets().clearRow(rows.count());
        rows.append(model::buildRowRecord(model::NewRowKind::Clock, names[static_cast<size_t>(index)],
                                          diagram.settings.newSignalLevel));
    }
    if (rows.count() > 0) {
        diagram.modified = true;
        model::fitNameColumn(diagram, session.measurer());
        rows.setSelection(0);
        session.state().selectedRow = 0;
    }
    session.refresh();
    session.startHistory();
}

// Reads a diagram file; the open diagram is replaced only when the file was read in full.
void readDiagramFile(Session& session, const std::string& path)
{
    const io::FileBytes file = io::readWholeFile(path);
    if (file.error == io::ReadError::CannotOpen) {
        session.ui().showMessage(std::string(kErrorOpen) + "\n" + io::fileProblem(path, file.systemError));
        return;
    }
    if (file.error == io::ReadError::TooLarge) {
        showDamaged(session, path, kTooLarge);
        return;
    }
    model::Diagram opened = freshDiagram(session);
    const ReadResult result = io::readNativeFile(file.bytes, opened);
    switch (result.status) {
    case ReadResult::Status::Ok:
        showOpened(session, std::move(opened), path, true);
        if (!result.notes.empty()) {
            std::string text = std::string(kLeftOut) + "\n" + path;
            for (const std::string& note : result.notes)
                text += "\n" + note;
            session.ui().showMessage(text, kSigmoraCaption, MessageIcon::Warning);
        }
        break;
    case ReadResult::Status::NotSigmora:
        session.ui().showMessage(std::string(kNotSigmora) + "\n" + path, kSigmoraCaption, MessageIcon::Warning);
        break;
    case ReadResult::Status::PreviousVersion: convertPreviousVersion(session, path, file.bytes); break;
    case ReadResult::Status::Damaged: showDamaged(session, path, result.problem); break;
    }
}

} // namespace

bool openDiagramBytes(Session& session, const std::string& bytes, const std::string& path, std::string& problem)
{
    model::Diagram opened = freshDiagram(session);
    const ReadResult result = io::readNativeFile(bytes, opened);
    switch (result.status) {
    case ReadResult::Status::Ok:
        // Not a file the user opened: it does not join the recent files.
        putInPlace(session, std::move(opened), path, true);
        return true;
    case ReadResult::Status::NotSigmora: problem = "it is not a Sigmora diagram"; break;
    case ReadResult::Status::PreviousVersion: problem = "it is of a previous version"; break;
    case ReadResult::Status::Damaged: problem = result.problem; break;
    }
    return false;
}

bool writeDiagramFile(Session& session, const std::string& path)
{
    const io::WriteResult written = io::writeFileReplacing(path, io::nativeFileBytes(session.diagram()));
    if (written.error != io::WriteError::None) {
        const char* text = written.error == io::WriteError::AccessDenied ? kReadOnly : kErrorSaving;
        session.ui().showMessage(std::string(text) + "\n" + io::fileProblem(path, written.systemError));
        return false;
    }
    session.diagram().modified = false;
    if (session.onSaved)
        session.onSaved();
    return true;
}

bool saveDiagram(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kNothingToSave);
        return false;
    }
    if (session.filePath().empty())
        return saveDiagramAs(session);
    return writeDiagramFile(session, session.filePath());
}

bool saveDiagramAs(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kNoWaveformsToSave);
        return false;
    }
    const auto path = session.ui().saveFileName(writeDialogOf(Format::Native, session.filePath()));
    if (!path || path->empty())
        return false;
    if (io::fileReadable(*path) && !session.ui().askYesNo(overwriteQuestion(*path), kFileExistsCaption))
        return false;
    if (!writeDiagramFile(session, *path))
        return false;
    session.setFilePath(*path);
    session.refresh();
    session.ui().addToRecentFiles(*path);
    return true;
}

std::optional<std::string> fileToRead(Session& session, const UiPort::FileDialog& dialog)
{
    std::optional<std::string> path = std::exchange(session.commandLineFile, std::nullopt);
    if (!path)
        path = session.ui().openFileName(dialog);
    if (!path || path->empty())
        return std::nullopt;
    return path;
}

bool askToSaveChanges(Session& session, const std::string& question)
{
    if (!session.diagram().modified)
        return true;
    switch (session.ui().askYesNoCancel(question, kSaveChangesCaption)) {
    case Answer::Yes: return saveDiagram(session);
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

void openDiagram(Session& session)
{
    const bool named = session.commandLineFile.has_value();
    if (!askToSaveChanges(session)) {
        // An abandoned Open uses up the name it was handed.
        session.commandLineFile.reset();
        return;
    }
    const auto path = fileToRead(session, readDialogOf(Format::Native));
    if (!path)
        return;
    if (named && path->find(kTestbenchMarker) != std::string::npos)
        importTestbench(session, *path);
    else
        readDiagramFile(session, *path);
}

void newDiagram(Session& session)
{
    if (!askToSaveChanges(session, kSavePreviousChanges))
        return;
    session.resetDiagram();
    // The cycle-label settings carry over to the new diagram, as New leaves them; the label values
    // follow them, so that the new diagram shows what its settings say (and what it shows once
    // saved and opened again).
    model::regenerateLabelNumbers(session.diagram());
    session.drawHintDiscarded = false;
    session.setFilePath({});
    session.refresh();
    session.startHistory();
}

void registerFileCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::FileNew, [&session] { newDiagram(session); });
    r.add(cmd::FileOpen, [&session] { openDiagram(session); });
    r.add(cmd::FileSave, [&session] { saveDiagram(session); });
    r.add(cmd::FileSaveAs, [&session] { saveDiagramAs(session); });
}

} // namespace sigmora::edit
