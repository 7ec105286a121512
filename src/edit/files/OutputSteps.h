#pragma once

#include "model/DiagramSettings.h"
#include "render/RedrawState.h"

namespace sigmora::edit {

class Session;

// Steps the picture outputs (printing, bitmap, metafiles, clipboard) share.

// Ends the current tool transaction and clears the selection before an output, as cancelling
// does: a half-made arrow or label is abandoned once the user confirms it, the select tool
// becomes current, no row, cell, cell block or text box stays selected. False when the user
// keeps the half-made arrow or label: the output does not run.
bool endTransactionForOutput(Session& session);

// The redraw options of an output: the view's, without any selection, highlight or preview
// (the drawing hint stays, as on the screen).
render::RedrawOptions outputOptions(const Session& session);

// What an output's redraw starts from: the label caption positions of the last screen redraw,
// which printing reuses.
render::RedrawMemory outputMemory(const Session& session);

// Holds the view at its first cell and first row while an output draws the whole diagram.
class UnscrolledView {
public:
    explicit UnscrolledView(model::DiagramSettings& settings);
    ~UnscrolledView();
    UnscrolledView(const UnscrolledView&) = delete;
    UnscrolledView& operator=(const UnscrolledView&) = delete;

private:
    model::DiagramSettings& settings_;
    int firstVisibleCell_;
    int verticalScroll_;
};

} // namespace sigmora::edit
