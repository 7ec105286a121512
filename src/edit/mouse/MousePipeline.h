#pragma once

#include "edit/grid/GridMapping.h"
#include "edit/session/InteractionState.h"
#include "edit/grid/OverlapRotation.h"
#include "model/ListId.h"

namespace sigmora::edit {

class Session;

// The buttons and keys held with a mouse event.
struct MouseFlags {
    bool left = false;
    bool ctrl = false;
    bool shift = false;
};

// The left mouse button turned into edits. A press runs the hit tests in a fixed order and the
// first that matches takes the click; moves drive the running drag or paint; the release ends
// the drag and takes the stroke's undo snapshot. Each step is its own function, in that order.
class MousePipeline {
public:
    explicit MousePipeline(Session& session) : session_(session) {}

    void press(MouseFlags flags, int x, int y);
    void move(MouseFlags flags, int x, int y);
    void release(MouseFlags flags, int x, int y);
    void doubleClick(int x, int y);
    // The window lost the mouse mid-drag: the drag ends as a release at the last point would.
    void abandon();

private:
    GridMapping grid() const;

    // Press, in order.
    bool ignoredDuringReplacement();
    void startPress();
    bool inNameColumn(const GridMapping& g, int x, int y) const;
    bool endStaleTopMarginDrag();
    bool startBorderDrag(MouseFlags flags, int x, int y, const GridMapping& g);
    bool startTransitionEdgeDrag(int x, int y, const GridMapping& g);
    bool armHandleDrag(int x, int y);
    bool offerAnnotationTools(int x, int y, const GridMapping& g);
    bool paintWithCellTool(int y, const GridMapping& g);
    bool placeText(MouseFlags flags, int x, int y);
    bool selectTextBox(MouseFlags flags, int x, int y);
    OverlapHits annotationHits(int x, int y, int& timeBreak, int& arrow, int& label);
    bool selectAnnotation(int x, int y);
    int nextLabelBelow(int label, int x, int y);
    void cellStep(int x, int y, const GridMapping& g);
    void startRectangle(const GridMapping& g);
    void pressNameColumn(MouseFlags flags, int y, const GridMapping& g);

    // Move, in order.
    bool moveBorderDrag(MouseFlags flags, int x, int y);
    bool moveSignalMarker(MouseFlags flags, int y);
    void updateHover(MouseFlags flags, int x, int y, const GridMapping& g);
    bool followRubberBand(int x, int y);
    bool dragWithButton(MouseFlags flags, int dx, int dy, const GridMapping& g);
    bool paintAlong(int fromX, int fromY, int toX, int toY, const GridMapping& g);
    bool paintAt(int x, int y, const GridMapping& g);
    bool followReplacement();
    bool extendRectangle(MouseFlags flags, int x, int y, const GridMapping& g);

    // Release, in order.
    bool endBorderDrag(int x, int y);
    bool endArrowMove();
    void endSignalMove(int y, const GridMapping& g);
    void endReplacement(int x, int y);

    void resetToSelectTool();
    void clearAnnotationSelections();
    // Selects one annotation with the select tool; everything else is deselected.
    void selectOnly(model::ListId id, int index, SelectionKind kind);

    Session& session_;
    bool pressed_ = false;   // a press was seen and its release not yet
    bool dragMoved_ = false; // the armed drag has moved since its press
    bool armedHandle_ = false; // a handle was pressed; the first move turns it into re-placement
};

} // namespace sigmora::edit
