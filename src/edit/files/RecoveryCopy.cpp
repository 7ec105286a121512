#include "edit/files/RecoveryCopy.h"

#include <algorithm>
#include <filesystem>

#include "edit/session/Session.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"

namespace sigmora::edit {

namespace {
constexpr const char* kStem = "recovery";
constexpr const char* kPutOffStem = "recovery-kept-";
constexpr const char* kDiagramExtension = ".sgm";
constexpr const char* kNameExtension = ".name";
constexpr const char* kCaption = "Sigmora";
constexpr std::size_t kMaxPutOffDigits = 6;
constexpr const char* kUntitled = "Untitled";
// A file name is one line of text; anything longer is not ours.
constexpr std::size_t kMaxNameSize = 64 * 1024;
} // namespace

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) {}

std::string RecoveryCopy::stem() const
{
    return folder_ + "/" + kStem;
}

std::string RecoveryCopy::diagramPath() const
{
    return stem() + kDiagramExtension;
}

std::string RecoveryCopy::namePath() const
{
    return stem() + kNameExtension;
}

void RecoveryCopy::diagramChanged(const Session& session)
{
    if (session.diagram().modified)
        pending_ = true;
    else if (pending_ || lastWrite_)
        discard();
}

void RecoveryCopy::snapshotTaken(const Session& session, Clock::time_point now)
{
    if (!session.diagram().modified)
        return;
    pending_ = true;
    if (!lastWrite_ || now - *lastWrite_ >= kInterval)
        write(session, now);
}

void RecoveryCopy::intervalElapsed(const Session& session, Clock::time_point now)
{
    if (pending_ && session.diagram().modified)
        write(session, now);
}

void RecoveryCopy::write(const Session& session, Clock::time_point now)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    // The name goes first: a copy is only offered when both are complete, and each is replaced
    // whole, never written in place.
    if (io::writeFileReplacing(namePath(), session.filePath()) != io::WriteError::None)
        return;
    if (io::writeFileReplacing(diagramPath(), io::nativeFileBytes(session.diagram())) != io::WriteError::None)
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

std::optional<RecoveredDiagram> RecoveryCopy::read(const std::string& stem) const
{
    const io::FileBytes diagram = io::readWholeFile(stem + kDiagramExtension);
    const io::FileBytes name = io::readWholeFile(stem + kNameExtension, kMaxNameSize);
    if (diagram.error != io::ReadError::None || name.error != io::ReadError::None || diagram.bytes.empty())
        return std::nullopt;
    return RecoveredDiagram{name.bytes, diagram.bytes, stem};
}

std::optional<RecoveredDiagram> RecoveryCopy::left() const
{
    return read(stem());
}

std::vector<std::pair<int, std::string>> RecoveryCopy::putOffStems() const
{
    std::vector<std::pair<int, std::string>> stems;
    std::error_code error;
    const std::string prefix = kPutOffStem;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(kDiagramExtension))
            continue;
        const std::size_t extension = std::string_view(kDiagramExtension).size();
        const std::string number = name.substr(prefix.size(), name.size() - prefix.size() - extension);
        if (number.empty() || number.size() > kMaxPutOffDigits || number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        stems.emplace_back(std::stoi(number), folder_ + "/" + prefix + number);
    }
    std::sort(stems.begin(), stems.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return stems;
}

std::vector<RecoveredDiagram> RecoveryCopy::leftCopies() const
{
    std::vector<RecoveredDiagram> copies;
    if (auto own = left())
        copies.push_back(std::move(*own));
    for (const auto& [number, putOffStem] : putOffStems())
        if (auto kept = read(putOffStem))
            copies.push_back(std::move(*kept));
    return copies;
}

void RecoveryCopy::putOff(const RecoveredDiagram& left)
{
    if (left.stem != stem())
        return; // put off already
    const auto stems = putOffStems();
    const std::string target = folder_ + "/" + kPutOffStem + std::to_string(stems.empty() ? 1 : stems.front().first + 1);
    std::error_code ignored;
    std::filesystem::rename(namePath(), target + kNameExtension, ignored);
    std::filesystem::rename(diagramPath(), target + kDiagramExtension, ignored);
}

void RecoveryCopy::remove(const RecoveredDiagram& left)
{
    if (left.stem.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove(left.stem + kDiagramExtension, ignored);
    std::filesystem::remove(left.stem + kNameExtension, ignored);
}

void RecoveryCopy::adopt(const RecoveredDiagram& left)
{
    if (left.stem.empty() || left.stem == stem())
        return;
    std::error_code ignored;
    std::filesystem::rename(left.stem + kNameExtension, namePath(), ignored);
    std::filesystem::rename(left.stem + kDiagramExtension, diagramPath(), ignored);
}

void offerLeftCopies(Session& session, RecoveryCopy& copy)
{
    for (const RecoveredDiagram& left : copy.leftCopies()) {
        switch (session.ui().askYesNoCancel(recoveryQuestion(left), kCaption, MessageIcon::Question)) {
        case Answer::Yes:
            copy.adopt(left);
            openRecovered(session, left);
            return;
        case Answer::No: copy.remove(left); break;
        case Answer::Cancel: copy.putOff(left); break;
        }
    }
}

std::string recoveryQuestion(const RecoveredDiagram& recovered)
{
    const std::string name = recovered.filePath.empty() ? kUntitled : recovered.filePath;
    return kRecoveryQuestionStart + name + kRecoveryQuestionEnd;
}

bool openRecovered(Session& session, const RecoveredDiagram& recovered)
{
    session.resetDiagram();
    const io::ReadResult result = io::readNativeFile(recovered.bytes, session.diagram());
    if (result.status != io::ReadResult::Status::Ok) {
        session.resetDiagram();
        session.setFilePath({});
        session.refresh();
        session.startHistory();
        return false;
    }
    session.diagram().modified = true;
    session.setFilePath(recovered.filePath);
    session.refresh();
    // The recovered diagram is where Undo stops.
    session.startHistory();
    return true;
}

} // namespace sigmora::edit
