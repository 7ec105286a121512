#pragma once

#include <optional>
#include <string>
#include <vector>

#include "render/BusValueFit.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// Draws the text boxes in list order: free boxes at their stored place, label captions placed by
// their label; the outline, the lines set (size + 2) pixels apart with their justification, and
// the selection frame of selected boxes.
class TextBoxPainter {
public:
    // labels: the geometry of each label by index, as drawn in this redraw.
    TextBoxPainter(RedrawContext& ctx, const std::vector<std::optional<LabelHit>>& labels) : ctx_(ctx), labels_(labels) {}

    void drawAll();

    // The label index of a caption's attachment tag ("WFLabel*n*"), or nullopt for any other tag.
    static std::optional<int> captionOf(std::string_view attachment);
    // A multiple of 4 at or below v.
    static int floorToFour(int v);

private:
    struct Box;
    void draw(int index, const std::string& record);
    // Whether a box (not a label's caption) lies wholly right of or below the screen image.
    bool offSurface(const std::string& record);
    // Whether a label's caption lies wholly above or below the screen image (it is not measured).
    bool captionOffSurface(int label, const std::string& record, std::string_view message) const;
    // A caption's text with its measured-time fields filled in; other texts as they are.
    std::string captionText(std::optional<int> label, std::string text) const;
    // Where a label's caption goes on the surface being drawn, from the label as this redraw placed it.
    Point captionPosition(int label, const Box& box, int dragX, int dragY);
    void drawSelection(const Rect& frame);
    // A one-line box standing on a bus value's run: its text as the run has room for it. Sets
    // whole to the text as typed when what is shown is shortened.
    void fitToRun(Box& box, long long left, long long top, long long bottom, std::string& whole);

    RedrawContext& ctx_;
    const std::vector<std::optional<LabelHit>>& labels_;
    std::optional<BusValueFit> runs_; // made when the first box asks
};

} // namespace sigmora::render
