#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "edit/mouse/MousePipeline.h"
#include "edit/rows/DiagramCommands.h"
#include "edit/session/Session.h"
#include "model/RowFactory.h"
#include "render/Surface.h"

namespace sigmora::edit {

// The editor of the one diagram: the composition on top of the features. It is the session they
// all work on, owns the mouse pipeline, registers every feature's commands and draws through the
// full redraw. The window around it only turns events into editor calls and shows the redrawn
// image.
class Editor final : public Session {
public:
    Editor(UiPort& ui, const model::TextMeasurer& measurer);

    // New: asks once about unsaved changes (Yes, No, Cancel), then resets the diagram; Cancel,
    // or a save that did not happen, leaves everything as it was.
    void newDiagram();
    // Appends a clock, signal or bus row; answers its name, or "null" when nothing was added.
    std::string addRow(model::NewRowKind kind);

    // The mouse: the left-button pipeline that hands clicks to the tools.
    MousePipeline& mouse() { return *mouse_; }

    // Draws the whole diagram onto the surface (the screen image) and shows, once, any reader
    // message found while drawing. cull skips rows that lie off the surface.
    int redraw(render::Surface& surface, bool cull = true);
    render::RedrawOptions redrawOptions() const override;
    // What the drawing shows of the selected annotations.
    render::AnnotationSelection annotationSelection() const;

    // Opens a file named on the command line or picked from the recent-file list, without the
    // open dialog (a name containing "import_tb.txt" is read as a testbench port list).
    void openNamedFile(const std::string& path);

private:
    void registerCommands();
    // The derived waveform and delay a moved row is previewed with; nothing for a plain row.
    std::optional<std::pair<std::string, int>> derivedPreview(int signalIndex) const;

    std::unique_ptr<MousePipeline> mouse_;
    // Set while drawing when a derivation names a row that does not exist; told after the drawing.
    mutable bool derivedRowMissing_ = false;
    // What the status bar last heard of the timing checks: told again only when it changes.
    std::string timingStatusShown_;
};

} // namespace sigmora::edit
