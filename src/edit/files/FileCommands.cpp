#include "edit/files/FileCommands.h"

#include <algorithm>
#include <utility>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/exchange/PortList.h"
#include "io/native/PreviousVersions.h"
#include "model/LabelNumberGenerator.h"
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
constexpr const char* kConvertQuestion =
    "This file was created with a previous version of Sigmora.  In order to proceed, the file must be "
    "converted to new format.  Before converting, Sigmora will save a backup of this file to: ";
constexpr const char* kConvertCaption = "Convert File?";
constexpr const char* kBackupFailed = "Backup failed on conversion";
constexpr const char* kTestbenchMarker = "import_tb.txt";
constexpr const char* kTestbenchUnreadable = "Problem parsing the RTL entity\n";
constexpr const char* kOpenTitle = "Open Sigmora files";
constexpr const char* kSaveTitle = "Save Sigmora files";
constexpr const char* kDefaultExtension = "SGM";

UiPort::FileDialog diagramFileDialog(const char* title, const std::string& initialPath)
{
    UiPort::FileDialog dialog;
    dialog.title = title;
    dialog.filters = {{"Sigmora files *.sgm", "*.sgm"}, {"All Files *.*", "*.*"}};
    dialog.defaultExtension = kDefaultExtension;
    dialog.initialPath = initialPath;
    return dialog;
}

std::string overwriteQuestion(const std::string& path)
{
    return "File: " + path + " already exists.\n\nDo you want to overwrite the file?";
}

void showDamaged(Editor& editor, const std::string& problem)
{
    editor.ui().showMessage(std::string(kDamaged) + " (" + problem + ").", kSigmoraCaption, MessageIcon::Warning);
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
void repairTextBoxes(Editor& editor)
{
    model::RecordList& texts = editor.diagram().store.list(model::ListId::Texts);
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
            width = std::max(width, editor.measurer().textWidth(line, font));
        const int height = static_cast<int>(lines.size()) * editor.measurer().lineHeight(font);
        std::string resized = fields::withIntField(record, model::textfield::Right, left + width);
        texts.replace(i, fields::withIntField(resized, model::textfield::Bottom, top + height));
    }
}

// An empty diagram for Open to read into, with the settings a reset keeps; the open diagram
// stays as it is until the read has succeeded.
model::Diagram freshDiagram(const Editor& editor)
{
    model::Diagram fresh = editor.diagram();
    fresh.resetForNew();
    return fresh;
}

// The end of a successful read: the diagram read replaces the open one; caption, label numbers,
// repaint, recent files.
void showOpened(Editor& editor, model::Diagram&& opened, const std::string& path, bool repairTexts)
{
    editor.resetDiagram();
    editor.diagram() = std::move(opened);
    editor.setFilePath(path);
    model::regenerateLabelNumbers(editor.diagram());
    if (repairTexts)
        repairTextBoxes(editor);
    editor.refresh();
    editor.ui().addToRecentFiles(path);
    // The diagram as opened is the first state Undo returns to.
    editor.startHistory();
}

void convertPreviousVersion(Editor& editor, const std::string& path, const std::string& bytes)
{
    const std::string backup = io::backupPathFor(path);
    if (!editor.ui().askYesNo(kConvertQuestion + backup, kConvertCaption))
        return;
    int systemError = 0;
    if (!io::copyFile(path, backup, &systemError)) {
        editor.ui().showMessage(std::string(kBackupFailed) + "\n" + io::fileProblem(backup, systemError));
        return;
    }
    model::Diagram converted = freshDiagram(editor);
    model::ReaderReport report;
    const ReadResult result = io::readPreviousVersionFile(bytes, converted, &report);
    if (result.status != ReadResult::Status::Ok) {
        showDamaged(editor, result.problem);
        return;
    }
    showOpened(editor, std::move(converted), path, false);
    editor.showReaderMessages(report);
    // A converted diagram that could not be written back must not be lost without a question.
    if (!writeDiagramFile(editor, path))
        editor.diagram().modified = true;
}

// The ports of the list are offered as the clocks of the device under test; each port chosen
// becomes a clock row of its name. The other ports stay in the import tables only. A list that
// cannot be read, or the dialog cancelled, leaves the open diagram as it was.
void importTestbench(Editor& editor, const std::string& path)
{
    const io::FileBytes file = io::readWholeFile(path);
    if (file.error != io::ReadError::None) {
        editor.ui().showMessage(kTestbenchUnreadable + io::fileProblem(path, file.systemError));
        return;
    }
    std::vector<io::Port> ports = io::parsePortList(file.bytes);
    std::vector<std::string> names;
    for (const io::Port& port : ports)
        names.push_back(port.name);
    const auto chosen = editor.ui().chooseDutClocks(names);
    if (!chosen)
        return;
    editor.resetDiagram();
    editor.setFilePath({});
    editor.testbenchPorts = std::move(ports);
    model::Diagram& diagram = editor.diagram();
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
        model::fitNameColumn(diagram, editor.measurer());
        rows.setSelection(0);
        editor.state().selectedRow = 0;
    }
    editor.refresh();
    editor.startHistory();
}

// Reads a diagram file; the open diagram is replaced only when the file was read in full.
void readDiagramFile(Editor& editor, const std::string& path)
{
    const io::FileBytes file = io::readWholeFile(path);
    if (file.error == io::ReadError::CannotOpen) {
        editor.ui().showMessage(std::string(kErrorOpen) + "\n" + io::fileProblem(path, file.systemError));
        return;
    }
    if (file.error == io::ReadError::TooLarge) {
        showDamaged(editor, kTooLarge);
        return;
    }
    model::Diagram opened = freshDiagram(editor);
    const ReadResult result = io::readNativeFile(file.bytes, opened);
    switch (result.status) {
    case ReadResult::Status::Ok: showOpened(editor, std::move(opened), path, true); break;
    case ReadResult::Status::NotSigmora:
        editor.ui().showMessage(kNotSigmora, kSigmoraCaption, MessageIcon::Warning);
        break;
    case ReadResult::Status::PreviousVersion: convertPreviousVersion(editor, path, file.bytes); break;
    case ReadResult::Status::Damaged: showDamaged(editor, result.problem); break;
    }
}

} // namespace

bool writeDiagramFile(Editor& editor, const std::string& path)
{
    const io::WriteResult written = io::writeFileReplacing(path, io::nativeFileBytes(editor.diagram()));
    if (written.error != io::WriteError::None) {
        const char* text = written.error == io::WriteError::AccessDenied ? kReadOnly : kErrorSaving;
        editor.ui().showMessage(std::string(text) + "\n" + io::fileProblem(path, written.systemError));
        return false;
    }
    editor.diagram().modified = false;
    if (editor.onSaved)
        editor.onSaved();
    return true;
}

bool saveDiagram(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kNothingToSave);
        return false;
    }
    if (editor.filePath().empty())
        return saveDiagramAs(editor);
    return writeDiagramFile(editor, editor.filePath());
}

bool saveDiagramAs(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kNoWaveformsToSave);
        return false;
    }
    const auto path = editor.ui().saveFileName(diagramFileDialog(kSaveTitle, editor.filePath()));
    if (!path || path->empty())
        return false;
    if (io::fileReadable(*path) && !editor.ui().askYesNo(overwriteQuestion(*path), kFileExistsCaption))
        return false;
    if (!writeDiagramFile(editor, *path))
        return false;
    editor.setFilePath(*path);
    editor.refresh();
    editor.ui().addToRecentFiles(*path);
    return true;
}

std::optional<std::string> fileToRead(Editor& editor, const UiPort::FileDialog& dialog)
{
    std::optional<std::string> path = std::exchange(editor.commandLineFile, std::nullopt);
    if (!path)
        path = editor.ui().openFileName(dialog);
    if (!path || path->empty())
        return std::nullopt;
    return path;
}

bool askToSaveChanges(Editor& editor, const std::string& question)
{
    if (!editor.diagram().modified)
        return true;
    switch (editor.ui().askYesNoCancel(question, kSaveChangesCaption)) {
    case Answer::Yes: return saveDiagram(editor);
    case Answer::No: return true;
    case Answer::Cancel: break;
    }
    return false;
}

void openDiagram(Editor& editor)
{
    const bool named = editor.commandLineFile.has_value();
    if (!askToSaveChanges(editor)) {
        // An abandoned Open uses up the name it was handed.
        editor.commandLineFile.reset();
        return;
    }
    const auto path = fileToRead(editor, diagramFileDialog(kOpenTitle, {}));
    if (!path)
        return;
    if (named && path->find(kTestbenchMarker) != std::string::npos)
        importTestbench(editor, *path);
    else
        readDiagramFile(editor, *path);
}

void registerFileCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::FileOpen, [&editor] { openDiagram(editor); });
    r.add(cmd::FileSave, [&editor] { saveDiagram(editor); });
    r.add(cmd::FileSaveAs, [&editor] { saveDiagramAs(editor); });
}

} // namespace sigmora::edit
