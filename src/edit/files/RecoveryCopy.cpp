#include "edit/files/RecoveryCopy.h"

#include <algorithm>
#include <filesystem>

#include "edit/files/FileCommands.h"
#include "edit/session/Session.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"

namespace sigmora::edit {

namespace {
constexpr const char* kStem = "recovery";
constexpr const char* kPutOffStem = "recovery-kept-";
// Copies that could not be read: kept for the user, never offered again.
constexpr const char* kSetAsideStem = "recovery-unreadable-";
constexpr const char* kUnreadableStart = "The unsaved changes of \"";
constexpr const char* kUnreadableMiddle = "\" cannot be recovered: their copy cannot be read (";
constexpr const char* kUnreadableKept = ").\nThe copy is kept as:\n";
constexpr const char* kUnreadableLost = ").\nThe copy could not be moved aside and stays as:\n";
constexpr const char* kDiagramExtension = ".sgm";
constexpr const char* kNameExtension = ".name";
constexpr const char* kCaption = "Sigmora";
constexpr std::size_t kMaxPutOffDigits = 6;
constexpr const char* kUntitled = "Untitled";
// A file name is one line of text; anything longer is not ours.
constexpr std::size_t kMaxNameSize = 64 * 1024;
} // namespace

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder))
{
    writer_ = std::thread([this] { writerLoop(); });
}

RecoveryCopy::~RecoveryCopy()
{
    {
        std::lock_guard lock(jobMutex_);
        stopping_ = true;
    }
    jobReady_.notify_all();
    writer_.join();
}

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
        due_ = true;
    else if (due_ || written_)
        discard();
}

void RecoveryCopy::writeDue(const Session& session)
{
    if (!due_ || !session.diagram().modified)
        return;
    Job job{session.filePath(), io::nativeFileBytes(session.diagram()), 0};
    {
        std::lock_guard lock(jobMutex_);
        job.generation = generation_;
        waiting_ = std::move(job);
    }
    jobReady_.notify_all();
    due_ = false;
    written_ = true;
}

void RecoveryCopy::writerLoop()
{
    std::unique_lock lock(jobMutex_);
    for (;;) {
        jobReady_.wait(lock, [this] { return stopping_ || waiting_; });
        if (!waiting_)
            return; // stopping, nothing left to write
        Job job = std::move(*waiting_);
        waiting_.reset();
        writing_ = true;
        lock.unlock();
        writeFiles(job);
        lock.lock();
        writing_ = false;
        jobDone_.notify_all();
    }
}

void RecoveryCopy::writeFiles(const Job& job)
{
    std::lock_guard files(fileMutex_);
    {
        // A discard after the copy was taken wins: the copy is of changes saved or given up.
        std::lock_guard lock(jobMutex_);
        if (job.generation != generation_)
            return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    // The name goes first: a copy is only offered when both are complete, and each is replaced
    // whole, never written in place.
    if (io::writeFileReplacing(namePath(), job.name).error != io::WriteError::None)
        return;
    io::writeFileReplacing(diagramPath(), job.bytes);
}

void RecoveryCopy::flush()
{
    std::unique_lock lock(jobMutex_);
    jobDone_.wait(lock, [this] { return !waiting_ && !writing_; });
}

void RecoveryCopy::discard()
{
    {
        std::lock_guard lock(jobMutex_);
        ++generation_;
        waiting_.reset();
    }
    // Waits for a write under way, which then finds itself outdated or is removed here.
    std::lock_guard files(fileMutex_);
    std::error_code ignored;
    std::filesystem::remove(diagramPath(), ignored);
    std::filesystem::remove(namePath(), ignored);
    due_ = false;
    written_ = false;
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

std::vector<std::pair<int, std::string>> RecoveryCopy::numberedStems(const char* stemPrefix) const
{
    std::vector<std::pair<int, std::string>> stems;
    std::error_code error;
    const std::string prefix = stemPrefix;
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
    for (const auto& [number, putOffStem] : numberedStems(kPutOffStem))
        if (auto kept = read(putOffStem))
            copies.push_back(std::move(*kept));
    return copies;
}

void RecoveryCopy::putOff(const RecoveredDiagram& left)
{
    if (left.stem != stem())
        return; // put off already
    const auto stems = numberedStems(kPutOffStem);
    const std::string target = folder_ + "/" + kPutOffStem + std::to_string(stems.empty() ? 1 : stems.front().first + 1);
    std::error_code ignored;
    std::filesystem::rename(namePath(), target + kNameExtension, ignored);
    std::filesystem::rename(diagramPath(), target + kDiagramExtension, ignored);
}

std::string RecoveryCopy::setAside(const RecoveredDiagram& left)
{
    if (left.stem.empty())
        return {};
    const auto stems = numberedStems(kSetAsideStem);
    const std::string target = folder_ + "/" + kSetAsideStem + std::to_string(stems.empty() ? 1 : stems.front().first + 1);
    std::error_code error;
    std::filesystem::rename(left.stem + kDiagramExtension, target + kDiagramExtension, error);
    if (error)
        return {};
    std::filesystem::rename(left.stem + kNameExtension, target + kNameExtension, error);
    return target + kDiagramExtension;
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

namespace {
std::string shownName(const RecoveredDiagram& recovered)
{
    return recovered.filePath.empty() ? kUntitled : recovered.filePath;
}
} // namespace

void offerLeftCopies(Session& session, RecoveryCopy& copy)
{
    for (const RecoveredDiagram& left : copy.leftCopies()) {
        // A copy that cannot be read is not offered: answering Yes would open nothing, and the
        // copy would go at the next normal close. It is set aside and the user told where.
        model::Diagram probe;
        const io::ReadResult check = io::readNativeFile(left.bytes, probe);
        if (check.status != io::ReadResult::Status::Ok) {
            const std::string problem = check.status == io::ReadResult::Status::Damaged ? check.problem
                                                                                       : "it is not a diagram of this version";
            const std::string aside = copy.setAside(left);
            const std::string where = aside.empty() ? left.stem + kDiagramExtension : aside;
            session.ui().showMessage(kUnreadableStart + shownName(left) + kUnreadableMiddle + problem +
                                         (aside.empty() ? kUnreadableLost : kUnreadableKept) + where,
                                     kCaption, MessageIcon::Warning);
            continue;
        }
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
    return kRecoveryQuestionStart + shownName(recovered) + kRecoveryQuestionEnd;
}

bool openRecovered(Session& session, const RecoveredDiagram& recovered, std::string* problem)
{
    std::string why;
    if (!openDiagramBytes(session, recovered.bytes, recovered.filePath, why)) {
        if (problem)
            *problem = why;
        return false;
    }
    // Recovered changes are not saved yet; the recovered diagram is where Undo stops.
    session.diagram().modified = true;
    session.refresh();
    return true;
}

} // namespace sigmora::edit
