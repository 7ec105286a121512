#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sigmora::edit {

class Session;

// What a crash left behind: the diagram's bytes in the native layout and the file it belonged
// to (empty for an untitled diagram).
struct RecoveredDiagram {
    std::string filePath;
    std::string bytes;
    // Where it lies: the path of its two files without their extensions (empty for a copy made
    // in memory).
    std::string stem;
};

// Keeps a copy of a diagram with unsaved changes in a folder of the user's, so that a crash or a
// kill loses at most the last seconds of work. A change makes the copy due; the window writes it
// kDelay after the first change not yet copied (and at once when it loses the focus), so the
// copy is never more than kDelay behind. The diagram's bytes are taken at once (a fraction of a
// millisecond); the files are written by a thread of the copy's own, so that a slow disk never
// holds up editing. A save or a normal close removes the copy.
class RecoveryCopy {
public:
    static constexpr std::chrono::milliseconds kDelay{2000};

    explicit RecoveryCopy(std::string folder);
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // The diagram was redrawn after a change: its changes are due to be copied, or, when it has
    // none unsaved, no copy is kept.
    void diagramChanged(const Session& session);
    // Whether changes wait to be copied.
    bool due() const { return due_; }
    // Copies the diagram now, when changes wait; the files are written in the background.
    void writeDue(const Session& session);
    // Waits until every copy handed to the writer is on disk (or given up).
    void flush();
    // Saved, or closed on purpose: the copy goes.
    void discard();

    // The copy a previous run left, when there is a complete one.
    std::optional<RecoveredDiagram> left() const;
    // Every complete copy previous runs left: that copy first, then those put off at earlier
    // starts, newest first.
    std::vector<RecoveredDiagram> leftCopies() const;
    // Keeps a left copy for a later start: it moves out of the way of this run's copy, which
    // neither overwrites nor removes it.
    void putOff(const RecoveredDiagram& left);
    // A left copy that cannot be read moves aside under a name no start offers again; answers
    // the path of its diagram file there (empty when it could not be moved).
    std::string setAside(const RecoveredDiagram& left);
    // Deletes a left copy.
    void remove(const RecoveredDiagram& left);
    // A left copy put off earlier and now recovered becomes this run's copy until a save or a
    // normal close removes it.
    void adopt(const RecoveredDiagram& left);

    std::string diagramPath() const;
    std::string namePath() const;
    bool written() const { return written_; }

private:
    struct Job {
        std::string name;
        std::string bytes;
        unsigned generation = 0;
    };
    void writeFiles(const Job& job);
    void writerLoop();
    std::string stem() const;
    std::optional<RecoveredDiagram> read(const std::string& stem) const;
    // The stems of the copies kept under a numbered name, newest (highest number) first.
    std::vector<std::pair<int, std::string>> numberedStems(const char* prefix) const;

    std::string folder_;
    bool due_ = false;
    bool written_ = false;

    // The writer: the newest copy waiting (an older one waiting is replaced, never written), and
    // a generation that a discard advances, so that a copy taken before the discard is never
    // written after it.
    std::mutex jobMutex_;
    std::condition_variable jobReady_;
    std::condition_variable jobDone_;
    std::optional<Job> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::mutex fileMutex_;
    unsigned generation_ = 0;
    std::thread writer_;
};

inline constexpr const char* kRecoveryQuestionStart = "Sigmora closed without saving \"";
inline constexpr const char* kRecoveryQuestionEnd = "\". Recover the unsaved changes?";

// The question asked at start-up for a copy left by a crash.
std::string recoveryQuestion(const RecoveredDiagram& recovered);

// At start-up, asks about each copy previous runs left (newest first): Yes opens it and asks no
// more (the others stay for a later start), No deletes it, Cancel (Esc, closing the question)
// keeps it for the next start. A copy that cannot be read is not offered: the user is told so
// and where it was set aside.
void offerLeftCopies(Session& session, RecoveryCopy& copy);

// Opens the recovered diagram as an unsaved one with its old file name, as Open would open the
// same bytes; false, and the diagram left as it was, when the copy cannot be read (problem then
// says why).
bool openRecovered(Session& session, const RecoveredDiagram& recovered, std::string* problem = nullptr);

} // namespace sigmora::edit
