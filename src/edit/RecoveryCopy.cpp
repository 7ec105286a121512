#include "edit/RecoveryCopy.h"

#include <filesystem>

#include "edit/Editor.h"
#include "io/FileAccess.h"
#include "io/NativeFileReader.h"
#include "io/NativeFileWriter.h"

namespace sigmora::edit {

namespace {
constexpr const char* kDiagramFile = "recovery.sgm";
constexpr const char* kNameFile = "recovery.name";
constexpr const char* kUntitled = "Untitled";
// A file name is one line of text; anything longer is not ours.
constexpr std::size_t kMaxNameSize = 64 * 1024;
} // namespace

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) {}

std::string RecoveryCopy::diagramPath() const
{
    return folder_ + "/" + kDiagramFile;
}

std::string RecoveryCopy::namePath() const
{
    return folder_ + "/" + kNameFile;
}

void RecoveryCopy::diagramChanged(const Editor& editor)
{
    if (editor.diagram().modified)
        pending_ = true;
    else if (pending_ || lastWrite_)
        discard();
}

void RecoveryCopy::snapshotTaken(const Editor& editor, Clock::time_point now)
{
    if (!editor.diagram().modified)
        return;
    pending_ = true;
    if (!lastWrite_ || now - *lastWrite_ >= kInterval)
        write(editor, now);
}

void RecoveryCopy::intervalElapsed(const Editor& editor, Clock::time_point now)
{
    if (pending_ && editor.diagram().modified)
        write(editor, now);
}

void RecoveryCopy::write(const Editor& editor, Clock::time_point now)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    // The name goes first: a copy is only offered when both are complete, and each is replaced
    // whole, never written in place.
    if (io::writeFileReplacing(namePath(), editor.filePath()) != io::WriteError::None)
        return;
    if (io::writeFileReplacing(diagramPath(), io::nativeFileBytes(editor.diagram())) != io::WriteError::None)
        return;
    pending_ = false;
    lastWrite_ = now;
}

void RecoveryCopy::discard()
{
    std::error_code ignored;
    std::filesystem::remove(diagramPath(), ignored);
    std::filesystem::remove(namePath(), ignored);
    pending_ = false;
    lastWrite_.reset();
}

std::optional<RecoveredDiagram> RecoveryCopy::left() const
{
    const io::FileBytes diagram = io::readWholeFile(diagramPath());
    const io::FileBytes name = io::readWholeFile(namePath(), kMaxNameSize);
    if (diagram.error != io::ReadError::None || name.error != io::ReadError::None || diagram.bytes.empty())
        return std::nullopt;
    return RecoveredDiagram{name.bytes, diagram.bytes};
}

std::string recoveryQuestion(const RecoveredDiagram& recovered)
{
    const std::string name = recovered.filePath.empty() ? kUntitled : recovered.filePath;
    return kRecoveryQuestionStart + name + kRecoveryQuestionEnd;
}

bool openRecovered(Editor& editor, const RecoveredDiagram& recovered)
{
    editor.resetDiagram();
    const io::ReadResult result = io::readNativeFile(recovered.bytes, editor.diagram());
    if (result.status != io::ReadResult::Status::Ok) {
        editor.resetDiagram();
        editor.setFilePath({});
        editor.refresh();
        return false;
    }
    editor.diagram().modified = true;
    editor.setFilePath(recovered.filePath);
    editor.refresh();
    return true;
}

} // namespace sigmora::edit
