#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "edit/session/ClipboardState.h"
#include "edit/session/CommandRegistry.h"
#include "edit/session/CursorRole.h"
#include "edit/session/InteractionState.h"
#include "edit/session/Scrolling.h"
#include "edit/session/ToolEntryPoints.h"
#include "edit/session/UiPort.h"
#include "edit/session/UndoRing.h"
#include "io/exchange/PortList.h"
#include "model/Diagram.h"
#include "model/TextMeasurer.h"
#include "render/RedrawState.h"

namespace sigmora::edit {

inline constexpr const char* kTitleAndVersion = "Sigmora 3.3.5";

// What every feature of the editor works on, and all it may touch: the diagram, the interaction
// state, the UI port and the text measurer, refreshing the screen, the undo snapshots, the file
// name and title, the scroll position, the command registry and the places where the mouse hands
// clicks to the tools. The features take a Session and never the editor that composes them, so
// that each one depends on this and on nothing of the others it does not name.
class Session {
public:
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    model::Diagram& diagram() { return diagram_; }
    const model::Diagram& diagram() const { return diagram_; }
    InteractionState& state() { return state_; }
    const InteractionState& state() const { return state_; }
    UiPort& ui() { return ui_; }
    const model::TextMeasurer& measurer() const { return measurer_; }

    // Commands by number; a command with no handler here is not the editor's.
    CommandRegistry& commands() { return commands_; }
    bool handles(int command) const { return commands_.handles(command); }
    // Runs a command as one step of the user's (see Step).
    bool execute(int command);
    std::optional<CommandState> commandState(int command) const { return commands_.state(command); }

    // Where the mouse pipeline hands a click, a drag or a hit test to a tool that lives outside
    // it; each tool fills its entries when it registers.
    ToolEntryPoints& tools() { return tools_; }
    const ToolEntryPoints& tools() const { return tools_; }

    // Abort prologue: asks to abandon a half-made arrow or label; false when the user declines.
    bool abortPendingTools();
    // False, after saying so, when the diagram already holds the most rows it can.
    bool roomForRow();
    // The signal row selected (also the current entry of the signal list), or none.
    void selectRow(int row);
    void deselectRow();

    // Whether Shift is held while a command runs (the text moves repeat with it).
    bool shiftHeld = false;

    // The cursor for the tool and what the pointer hovers; onCursorChanged hears of a new one.
    void updateCursor();
    CursorRole cursor() const { return cursor_; }
    std::function<void(CursorRole)> onCursorChanged;

    // Scroll bars.
    void scrollHorizontal(ScrollAction action, int thumb = 0);
    void scrollVertical(ScrollAction action, int thumb = 0);

    // The caption of the main window.
    std::string title() const;
    const std::string& filePath() const { return filePath_; }
    void setFilePath(std::string path);

    // What the drawing shows besides the diagram: the selection, the previews of a drag, the hint.
    virtual render::RedrawOptions redrawOptions() const = 0;
    // Shows each reader message not yet shown for this diagram, once.
    void showReaderMessages(const model::ReaderReport& report);
    // Where the last screen redraw drew the annotations: their handles and paths.
    const render::AnnotationHits& annotationHits() const { return redrawMemory_.annotations; }

    // Refresh: the diagram changed and the screen must be redrawn.
    void refresh();
    // While one lives, refreshes are held back and the last one made is done when it ends, so
    // that a command that changes the diagram in several steps draws it once.
    class RefreshBatch {
    public:
        explicit RefreshBatch(Session& session) : session_(session) { ++session_.refreshHeld_; }
        ~RefreshBatch();
        RefreshBatch(const RefreshBatch&) = delete;
        RefreshBatch& operator=(const RefreshBatch&) = delete;

    private:
        Session& session_;
    };
    std::function<void()> onRefresh;
    std::function<void(const std::string&)> onTitleChanged;
    std::function<void()> onScrollChanged;
    // Called after every change that takes an undo snapshot.
    std::function<void()> onSnapshot;
    // Called after the diagram was written to its file.
    std::function<void()> onSaved;
    // A short note for the status bar: why a key or command did nothing.
    std::function<void(const std::string&)> onStatus;
    void showStatus(const std::string& text)
    {
        if (onStatus)
            onStatus(text);
    }

    // The cell clipboard's view state (its entries are the diagram's copy buffer list).
    CellClipboardState clipboard;
    // The start hint, shown over the window until the first row is added; the drawing hint,
    // drawn into the diagram from the first row added until the Draw tool, an open or an import
    // clears it.
    bool startHint = true;
    bool drawHint = false;
    // The comma-separated import discards the drawing hint: rows added later no longer bring it
    // back, until New loads it again.
    bool drawHintDiscarded = false;

    // The row being dragged with the mouse, drawn at the mouse's y.
    std::optional<render::MovePreview> movePreview;
    // While an arrow or label is half made or an end re-placed: the line from the fixed end to
    // the pointer; while an arrow is dragged: the line where it goes; while a label's middle
    // handle is dragged: the pointer's y.
    std::optional<render::Piece> rubberBand;
    std::optional<int> labelDragY;

    // The end of an edit: the diagram is marked modified, the screen refreshed and, unless the
    // caller takes it later (a repeated key step, a drag), the undo snapshot taken.
    void changed(bool snapshot = true);
    // Writes the whole diagram into the next slot of the undo ring; a diagram equal to the newest
    // state is no new state and is not written again.
    void takeSnapshot();

    // One thing the user does: a click with the drag that follows it, a key, a command. Whatever
    // it changed in the diagram becomes one undo step at its end (unless it took its snapshots
    // itself), and a step that changed nothing leaves `modified` as it found it. A run of key
    // nudges of one kind makes one undo step, taken when something else is done (or settleRun).
    // Steps nest: only the outermost one counts. A press opens a gesture that its release (or
    // the next step, when the release was never seen) closes.
    enum class StepRun { None, Nudge, NameColumn, RowLayout };
    enum class StepKind { Single, GestureStart, GestureEnd };
    class Step {
    public:
        explicit Step(Session& session, StepRun run = StepRun::None, StepKind kind = StepKind::Single);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        Session& session_;
    };
    // Ends a run of nudges: its undo step is taken now.
    void settleRun();
    // Undo or Redo put a state of the ring back into the diagram.
    void restoredFromHistory() { noteHistory(); }
    bool runPending() const { return pendingRun_ != StepRun::None; }
    // After New, Open and the reads that replace the diagram: the diagram as it stands becomes the
    // first state Undo returns to, and no earlier state is reachable.
    void startHistory();
    UndoRing& undoRing() { return undoRing_; }
    const UndoRing& undoRing() const { return undoRing_; }
    // Clears the diagram for New and Open: store, settings, state, scroll and undo bookkeeping.
    void resetDiagram();

    // The name the next Open (or import) reads without a dialog; reading it clears it.
    std::optional<std::string> commandLineFile;
    // The ports of the last testbench port list read.
    std::vector<io::Port> testbenchPorts;

protected:
    Session(UiPort& ui, const model::TextMeasurer& measurer) : ui_(ui), measurer_(measurer) {}
    virtual ~Session() = default;

    // What the last screen redraw remembers for the next one (and where it drew the annotations).
    render::RedrawMemory redrawMemory_;

private:
    void beginStep(StepRun run, StepKind kind);
    void endStep();
    void finishStep();
    // The diagram now is the newest state Undo knows.
    void noteHistory();

    void updateTitle();
    // Moves one scroll position by the scroll-bar rules, then the bars and the screen follow.
    void scrollTo(int& position, ScrollAction action, int thumb);

    UiPort& ui_;
    const model::TextMeasurer& measurer_;
    model::Diagram diagram_;
    InteractionState state_;
    ToolEntryPoints tools_;
    CursorRole cursor_ = CursorRole::Draw;
    CommandRegistry commands_;
    std::set<std::string> shownReaderMessages_;
    std::string filePath_;
    UndoRing undoRing_;
    int refreshHeld_ = 0;
    bool refreshPending_ = false;

    // The bytes of the newest state Undo knows (taken, restored or started); a step's change is
    // told by the diagram's bytes differing from them.
    std::string historyBytes_;
    std::string stepBytes_; // scratch for the bytes at a step's end
    int stepDepth_ = 0;
    bool gestureOpen_ = false;
    StepRun stepRun_ = StepRun::None;
    StepRun pendingRun_ = StepRun::None;
    bool stepModifiedBefore_ = false;
    bool historyMovedInStep_ = false;
};

} // namespace sigmora::edit
