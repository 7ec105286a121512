// The soak: the editor driven by a long run of random operations from a seeded generator, with
// the diagram's invariants checked after every step. SIGMORA_SOAK_OPS sets the number of
// operations, SIGMORA_SOAK_SEED the seed and SIGMORA_SOAK_EVERY how often (in steps) the costly
// checks run (save then open, undo then redo; 1 checks after every step); a failure prints the seed, the step and the operation to replay.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>
#include <string>
#include <unistd.h>
#include <vector>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/grid/GridMapping.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/native/NativeLayout.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/RecordingSurface.h"
#include "support/FixedMeasurer.h"
#include "support/RandomUiPort.h"

using namespace sigmora;
namespace cmd = edit::cmd;

namespace {

constexpr long kDefaultOperations = 10000;
constexpr long kDefaultSeed = 1;
constexpr int kDefaultFullCheckEvery = 4;
constexpr int kMaxTextBoxes = 256; // one selection flag per text box
constexpr int kOutsideMargin = 40; // how far random points stray outside the drawn diagram
constexpr int kMaxDragMoves = 6;
constexpr int kRowsPastLimit = 3;
constexpr int kRedrawEvery = 50;
constexpr int kSurfaceWidth = 1200;
constexpr int kSurfaceHeight = 900;

// Commands that would leave the editor for the outside world rather than edit the diagram.
constexpr int kBlockingCommands[] = {cmd::AppExit, cmd::FilePrint, cmd::FilePrintAdvanced};
// The tools a gesture may pick before it starts.
constexpr int kToolCommands[] = {cmd::ModeDraw,          cmd::ModeEdit,          cmd::ToolText,
                                 cmd::ToolLabelOutward,  cmd::ToolLabelInward,   cmd::ToolBezierArrow,
                                 cmd::ToolStraightArrow, cmd::ToolAngledWire,    cmd::ToolFloatingArrow,
                                 cmd::ToolTimeBreak,     cmd::ToolTriState,      cmd::ToolBothHighLow,
                                 cmd::ToolFloodFill,     cmd::ToolEraseFloodFill};
constexpr int kClipboardCommands[] = {cmd::EditCopy,  cmd::EditCut, cmd::EditPaste,       cmd::ctx::Copy,
                                      cmd::ctx::Cut, cmd::ctx::Paste, cmd::ctx::InsertCopiedCells};

long numberFromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    return std::strtol(text, nullptr, 10);
}

// The test run replays one fixed seed so that it fails only for a change of the code; a run
// from the command line picks its own seeds.
unsigned seedFromEnvironment()
{
    return static_cast<unsigned>(numberFromEnvironment("SIGMORA_SOAK_SEED", kDefaultSeed));
}

// One editor under random operations, with the checks of its invariants.
class Soak {
public:
    Soak(unsigned seed, std::filesystem::path folder)
        : random_(seed), folder_(std::move(folder)), ui_(random_, folder_), editor_(ui_, measurer_)
    {
        for (int command : editor_.commands().numbers())
            if (std::find(std::begin(kBlockingCommands), std::end(kBlockingCommands), command) ==
                std::end(kBlockingCommands))
                commands_.push_back(command);
        // Mirrors the undo ring: the bytes of the state kept in each slot (the ring keeps them
        // compressed), to compare what undo and redo put back with what was stored.
        editor_.onSnapshot = [this] {
            auto& slot = mirror_[static_cast<std::size_t>(editor_.undoRing().slot())];
            if (!slot)
                slot.emplace();
            io::writeNativeFile(editor_.diagram(), *slot);
        };
    }

    // One random operation; answers what it did, for the failure message.
    std::string step()
    {
        const int kind = pick(0, 99);
        if (kind < 35)
            return command(commands_);
        if (kind < 70)
            return gesture();
        if (kind < 76)
            return key();
        if (kind < 84)
            return command({cmd::EditUndo, cmd::EditRedo});
        if (kind < 90)
            return command(handled(kClipboardCommands));
        if (kind < 96)
            return command({cmd::AddClock, cmd::AddSignal, cmd::AddBus});
        if (kind < 99)
            return saveAndOpen();
        return fill();
    }

    // The checks every step can afford; an empty answer when all hold.
    std::string cheapChecks() const
    {
        std::ostringstream fault;
        const model::ObjectStore& store = editor_.diagram().store;
        if (store.signalCount() > model::kMaxRows)
            fault << "signal list holds " << store.signalCount() << " rows; ";
        if (store.list(model::ListId::Texts).count() > kMaxTextBoxes)
            fault << "text list holds " << store.list(model::ListId::Texts).count() << " boxes; ";
        for (model::ListId id : model::kAllLists)
            if (store.list(id).count() > io::kMaxListRecords)
                fault << "list " << static_cast<int>(id) << " holds " << store.list(id).count() << " records; ";
        fault << unreadableRecords() << dirtyGridRows();
        return fault.str();
    }

    // The diagram's bytes, written into out. The buffers the soak compares keep their capacity
    // from step to step: a fresh megabyte a step would make most of the run's time page faults
    // under the address sanitizer.
    void writeBytes(std::string& out) const { io::writeNativeFile(editor_.diagram(), out); }
    const std::string& bytes() const
    {
        writeBytes(scratch_);
        return scratch_;
    }

    // Save then open gives the same bytes, and so does putting them back as an undo snapshot.
    std::string saveOpenCheck(const std::string& saved) const
    {
        model::Diagram opened;
        const io::ReadResult read = io::readNativeFile(saved, opened);
        if (read.status != io::ReadResult::Status::Ok)
            return "the saved bytes do not open: " + read.problem;
        io::writeNativeFile(opened, scratch_);
        if (scratch_ != saved)
            return "save then open changes the bytes";
        model::Diagram restored;
        if (!io::restoreSnapshot(saved, restored))
            return "the bytes put back as a snapshot differ";
        io::writeNativeFile(restored, scratch_);
        if (scratch_ != saved)
            return "the bytes put back as a snapshot differ";
        return {};
    }

    // Notes an operation after which the diagram differs from the state its undo slot holds:
    // a change that takes no undo snapshot, which undo and redo do not bring back.
    void noteUnsnapshotted(const std::string& current, const std::string& operation)
    {
        // New and Open start the history with the state they leave, so a slot always holds the
        // current state; the check stays for a ring that holds none.
        const int index = editor_.undoRing().slot();
        if (index < 0) {
            inStep_ = true;
            return;
        }
        const auto& slot = mirror_[static_cast<std::size_t>(index)];
        const bool inStep = !slot || *slot == current;
        if (!inStep && inStep_)
            ++unsnapshotted_[kindOf(operation)];
        inStep_ = inStep;
    }

    // Undo puts back the bytes of the slot before, and redo then those of the current slot
    // (when undo is possible and not declined).
    std::string undoRedoCheck()
    {
        if (!editor_.undoRing().canUndo() || editor_.state().arrowInProgress() || editor_.state().labelInProgress())
            return {};
        const auto& currentSlot = mirror_[static_cast<std::size_t>(editor_.undoRing().slot())];
        const bool current = currentSlot.has_value();
        if (current)
            current_ = *currentSlot;
        const int depth = editor_.undoRing().depth();
        editor_.execute(cmd::EditUndo);
        if (editor_.undoRing().depth() == depth)
            return {};
        const auto& previous = mirror_[static_cast<std::size_t>(editor_.undoRing().slot())];
        if (previous && bytes() != *previous)
            return "undo does not put back the bytes of the state before";
        if (!editor_.undoRing().canRedo())
            return "redo is not possible after an undo";
        editor_.execute(cmd::EditRedo);
        inStep_ = true;
        if (current && bytes() != current_)
            return "undo then redo does not come back to the same bytes";
        return {};
    }

    // The operations that changed the diagram without an undo snapshot, with how often.
    const std::map<std::string, int>& unsnapshotted() const { return unsnapshotted_; }

    void redraw()
    {
        render::RecordingSurface surface({kSurfaceWidth, kSurfaceHeight});
        editor_.redraw(surface);
    }

    const test::RandomUiPort& ui() const { return ui_; }
    const edit::Editor& editor() const { return editor_; }
    int commandCount() const { return static_cast<int>(commands_.size()); }

private:
    // An operation named without its coordinates ("click at 118, 40" counts as "click at");
    // commands keep their numbers, and each part of "A, then B" is named so.
    static std::string kindOf(const std::string& operation)
    {
        constexpr std::string_view kThen = ", then ";
        std::string kind;
        for (std::size_t from = 0;;) {
            const std::size_t next = operation.find(kThen, from);
            std::string part = operation.substr(from, next == std::string::npos ? std::string::npos : next - from);
            if (part.rfind("command ", 0) != 0) {
                part.erase(std::min(part.size(), part.find_first_of("0123456789,")));
                while (!part.empty() && (part.back() == ' ' || part.back() == '-'))
                    part.pop_back();
            }
            kind += part;
            if (next == std::string::npos)
                return kind;
            kind += kThen;
            from = next + kThen.size();
        }
    }

    // A number between the two bounds, in either order (a diagram's sizes may put them so).
    int pick(int low, int high)
    {
        return std::uniform_int_distribution<int>(std::min(low, high), std::max(low, high))(random_);
    }
    bool chance(int oneIn) { return pick(0, oneIn - 1) == 0; }

    template <std::size_t N>
    std::vector<int> handled(const int (&candidates)[N]) const
    {
        std::vector<int> out;
        for (int c : candidates)
            if (editor_.handles(c))
                out.push_back(c);
        return out;
    }

    // Rows added up to the limit and a few past it.
    std::string fill()
    {
        const int rows = editor_.diagram().store.signalCount();
        for (int i = rows; i < model::kMaxRows + kRowsPastLimit; ++i)
            editor_.addRow(static_cast<model::NewRowKind>(pick(0, 2)));
        return "rows added from " + std::to_string(rows) + " to the limit";
    }

    // A random enabled command of the list, run as its menu item or accelerator would run it.
    std::string command(const std::vector<int>& candidates)
    {
        std::vector<int> enabled;
        for (int c : candidates) {
            const auto state = editor_.commandState(c);
            if (state && state->enabled)
                enabled.push_back(c);
        }
        if (enabled.empty())
            return "no enabled command";
        const int chosen = enabled[static_cast<std::size_t>(pick(0, static_cast<int>(enabled.size()) - 1))];
        editor_.execute(chosen);
        return "command " + std::to_string(chosen);
    }

    // A point inside a row (on a cell, in the name column) or anywhere around the diagram.
    std::pair<int, int> point()
    {
        const render::Layout l = edit::GridMapping::of(editor_.diagram()).layout();
        const int rows = std::max(1, editor_.diagram().store.signalCount());
        const int right = l.waveOriginX() + l.waveformWidth;
        const int bottom = l.rowTop(rows + 1);
        if (chance(3))
            return {pick(-kOutsideMargin, right + kOutsideMargin), pick(-kOutsideMargin, bottom + kOutsideMargin)};
        const int row = pick(l.firstVisibleSignal(), l.firstVisibleSignal() + rows);
        const int top = l.signalTop(row);
        const int y = pick(top - 2, l.lowLevel(top) + 2);
        const int x = chance(5) ? pick(0, l.waveOriginX()) : pick(l.waveOriginX(), right);
        return {x, y};
    }

    // Mouse gestures with a random tool: click, drag, hover, double-click or a drag abandoned.
    std::string gesture()
    {
        std::string done;
        if (chance(3))
            done = command(handled(kToolCommands)) + ", then ";
        edit::MousePipeline& mouse = editor_.mouse();
        const edit::MouseFlags held{true, chance(6), chance(8)};
        auto [x, y] = point();
        std::ostringstream what;
        what << done;
        switch (pick(0, 4)) {
        case 0:
            what << "click at " << x << "," << y;
            mouse.press(held, x, y);
            mouse.release({}, x, y);
            break;
        case 1: {
            what << "drag from " << x << "," << y;
            mouse.press(held, x, y);
            const int moves = pick(1, kMaxDragMoves);
            for (int i = 0; i < moves; ++i) {
                std::tie(x, y) = point();
                what << " to " << x << "," << y;
                mouse.move(held, x, y);
            }
            mouse.release({}, x, y);
            break;
        }
        case 2:
            what << "hover at " << x << "," << y;
            mouse.move({}, x, y);
            break;
        case 3:
            what << "double-click at " << x << "," << y;
            mouse.press(held, x, y);
            mouse.release({}, x, y);
            mouse.doubleClick(x, y);
            mouse.release({}, x, y);
            break;
        default:
            what << "drag abandoned from " << x << "," << y;
            mouse.press(held, x, y);
            std::tie(x, y) = point();
            mouse.move(held, x, y);
            mouse.abandon();
            break;
        }
        return what.str();
    }

    // The keys the editor takes directly: the scroll bars' line and page steps and thumb.
    std::string key()
    {
        const auto action = static_cast<edit::ScrollAction>(pick(0, 4));
        const int thumb = pick(-10, edit::kScrollLimit + 10);
        if (chance(2)) {
            editor_.scrollHorizontal(action, thumb);
            return "horizontal scroll " + std::to_string(static_cast<int>(action)) + " " + std::to_string(thumb);
        }
        editor_.scrollVertical(action, thumb);
        return "vertical scroll " + std::to_string(static_cast<int>(action)) + " " + std::to_string(thumb);
    }

    // The diagram's bytes written to a file and opened again by the editor, as from the
    // recent-file list.
    std::string saveAndOpen()
    {
        const std::filesystem::path path = folder_ / "soak.sgm";
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            const std::string& bytes = this->bytes();
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        editor_.openNamedFile(path.string());
        return "save and open " + path.string();
    }

    std::string unreadableRecords() const
    {
        std::ostringstream fault;
        const model::ObjectStore& store = editor_.diagram().store;
        const auto& rows = store.signals();
        for (int i = 0; i < rows.count(); ++i) {
            const model::SignalRow row = model::parseSignalRow(rows.get(i));
            if (!row.separator && row.waveform.size() > static_cast<std::size_t>(model::kMaxCells))
                fault << "row " << i << " holds " << row.waveform.size() << " cells; ";
        }
        const auto& texts = store.list(model::ListId::Texts);
        for (int i = 0; i < texts.count(); ++i) {
            model::ReaderReport report;
            const std::string& record = texts.get(i);
            model::textbox::left(record, report);
            model::textbox::top(record, report);
            model::textbox::right(record, report);
            model::textbox::bottom(record, report);
            model::textbox::message(record, report);
            if (!report.empty())
                fault << "text " << i << " unreadable: " << report.messages().front() << "; ";
        }
        for (model::ListId id : {model::ListId::Arrows, model::ListId::Labels, model::ListId::TimeBreaks}) {
            const auto& list = store.list(id);
            for (int i = 0; i < list.count(); ++i) {
                model::ReaderReport report;
                store.attachedSignal(list.get(i), report);
                if (!report.empty())
                    fault << "record " << i << " of list " << static_cast<int>(id) << " unreadable; ";
            }
        }
        return fault.str();
    }

    // Both grids hold nothing in the rows past the last signal.
    std::string dirtyGridRows() const
    {
        const model::ObjectStore& store = editor_.diagram().store;
        for (int row = store.signalCount(); row < model::kMaxRows; ++row) {
            const std::int32_t* flood = store.floodStyles().row(row);
            const std::int32_t* offsets = store.edgeOffsets().row(row);
            for (int cell = 0; cell < model::kMaxCells; ++cell)
                if (flood[cell] != 0 || offsets[cell] != 0)
                    return "grid row " + std::to_string(row) + " written past the last signal; ";
        }
        return {};
    }

    std::mt19937 random_;
    std::filesystem::path folder_;
    test::RandomUiPort ui_;
    test::FixedMeasurer measurer_{7};
    edit::Editor editor_;
    std::vector<int> commands_;
    std::array<std::optional<std::string>, edit::UndoRing::kSlots> mirror_;
    mutable std::string scratch_;
    std::string current_;
    bool inStep_ = true;
    std::map<std::string, int> unsnapshotted_;
};

} // namespace

TEST(soak, RandomEditingKeepsEveryInvariant)
{
    const long operations = numberFromEnvironment("SIGMORA_SOAK_OPS", kDefaultOperations);
    const unsigned seed = seedFromEnvironment();
    const long fullCheckEvery = std::max(1L, numberFromEnvironment("SIGMORA_SOAK_EVERY", kDefaultFullCheckEvery));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sigmora-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::cout << "soak: " << operations << " operations, SIGMORA_SOAK_SEED=" << seed << std::endl;

    const auto start = std::chrono::steady_clock::now();
    Soak soak(seed, folder);
    EXPECT_GT(soak.commandCount(), 0);
    long step = 0;
    std::string saved;
    for (; step < operations; ++step) {
        const std::string operation = soak.step();
        std::string fault = soak.cheapChecks();
        soak.writeBytes(saved);
        soak.noteUnsnapshotted(saved, operation);
        if (fault.empty() && step % fullCheckEvery == 0)
            fault = soak.saveOpenCheck(saved);
        if (fault.empty() && step % fullCheckEvery == 0)
            fault = soak.undoRedoCheck();
        if (step % kRedrawEvery == 0)
            soak.redraw();
        if (!fault.empty()) {
            ADD_FAILURE() << "SIGMORA_SOAK_SEED=" << seed << " step " << step << " (" << operation << "): " << fault;
            break;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "soak: " << step << " operations in " << seconds << " s, " << soak.editor().diagram().store.signalCount()
              << " rows at the end, " << soak.ui().questionsAsked << " questions, " << soak.ui().dialogsShown
              << " dialogs, " << soak.ui().messagesShown << " messages" << std::endl;
    for (const auto& [operation, times] : soak.unsnapshotted())
        std::cout << "soak: " << operation << " changed the diagram without an undo snapshot " << times << " times"
                  << std::endl;
    std::filesystem::remove_all(folder);
}
