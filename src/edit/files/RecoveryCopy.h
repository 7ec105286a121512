#pragma once

#include <chrono>
#include <optional>
#include <string>
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
// kill loses at most a minute of work. The copy is written at most once per interval, and at an
// undo snapshot when the last copy is older than that; a save or a normal close removes it.
class RecoveryCopy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kInterval{60};

    explicit RecoveryCopy(std::string folder);

    // The diagram was redrawn after a change: its changes are pending, or, when it has none
    // unsaved, no copy is kept.
    void diagramChanged(const Session& session);
    // An undo snapshot was taken: writes the copy when the last one is older than the interval.
    void snapshotTaken(const Session& session, Clock::time_point now);
    // The interval passed: writes the changes made since the last copy.
    void intervalElapsed(const Session& session, Clock::time_point now);
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
    // Deletes a left copy.
    void remove(const RecoveredDiagram& left);
    // A left copy put off earlier and now recovered becomes this run's copy until a save or a
    // normal close removes it.
    void adopt(const RecoveredDiagram& left);

    std::string diagramPath() const;
    std::string namePath() const;
    bool written() const { return lastWrite_.has_value(); }

private:
    void write(const Session& session, Clock::time_point now);
    std::string stem() const;
    std::optional<RecoveredDiagram> read(const std::string& stem) const;
    // The stems of the copies put off, newest (highest number) first.
    std::vector<std::pair<int, std::string>> putOffStems() const;

    std::string folder_;
    bool pending_ = false;
    std::optional<Clock::time_point> lastWrite_;
};

inline constexpr const char* kRecoveryQuestionStart = "Sigmora closed without saving \"";
inline constexpr const char* kRecoveryQuestionEnd = "\". Recover the unsaved changes?";

// The question asked at start-up for a copy left by a crash.
std::string recoveryQuestion(const RecoveredDiagram& recovered);

// At start-up, asks about each copy previous runs left (newest first): Yes opens it and asks no
// more (the others stay for a later start), No deletes it, Cancel (Esc, closing the question)
// keeps it for the next start.
void offerLeftCopies(Session& session, RecoveryCopy& copy);

// Opens the recovered diagram as an unsaved one with its old file name; false (and an empty
// diagram) when the copy cannot be read.
bool openRecovered(Session& session, const RecoveredDiagram& recovered);

} // namespace sigmora::edit
