#include "edit/annotations/TextRelayout.h"

#include <cmath>

#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"

namespace sigmora::edit {

namespace {

constexpr std::string_view kLabelCaptionPrefix = "WFLabel*";

// Whole steps of `pitch` from origin to v; 0 left of (above) the origin.
int stepsBefore(int v, int origin, int pitch)
{
    return pitch > 0 && v > origin ? (v - origin) / pitch : 0;
}

struct Box {
    int left, top, right, bottom;
};

Box readBox(std::string_view record)
{
    using namespace model;
    return {fields::intField(record, textfield::Left), fields::intField(record, textfield::Top),
            fields::intField(record, textfield::Right), fields::intField(record, textfield::Bottom)};
}

std::string writeBox(std::string_view record, const Box& b)
{
    using namespace model;
    std::string r = fields::withIntField(record, textfield::Left, b.left);
    r = fields::withIntField(r, textfield::Top, b.top);
    r = fields::withIntField(r, textfield::Right, b.right);
    return fields::withIntField(r, textfield::Bottom, b.bottom);
}

Box moved(Box b, int dx, int dy)
{
    return {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

// The pixel of a cell `width` pixels wide that narrowing the cell by one pixel merges into the pixel
// before it (1 .. width - 1). The golden ratio spreads it over the cell, so that successive steps
// merge at different places and no part of a cell drifts more than another.
int mergedPixel(int width)
{
    constexpr double kGoldenFraction = 0.6180339887498949;
    const double spread = std::fmod(width * kGoldenFraction, 1.0);
    return 1 + static_cast<int>(spread * (width - 1));
}

// An offset from the waveform's start taken from one cell width to the next one up or down: the
// whole cells are kept, and the pixel inside the cell moves with the merged pixel. Widening is the
// exact inverse of narrowing (but for the one merged pixel), so a box zoomed out and back in,
// however many steps, returns to within a pixel or two of where it was and never leaves its cell.
int stepOffset(int offset, int from, int to)
{
    const int cell = offset / from, pixel = offset % from;
    if (to < from)
        return cell * to + (pixel < mergedPixel(from) ? pixel : pixel - 1);
    return cell * to + (pixel < mergedPixel(to) ? pixel : pixel + 1);
}

int scaledOffset(int offset, int before, int after)
{
    if (before < 2 || after < 2 || offset < 0)
        return offset;
    for (int w = before; w != after; w += after > w ? 1 : -1)
        offset = stepOffset(offset, w, after > w ? w + 1 : w - 1);
    return offset;
}

} // namespace

int attachedTextTop(const render::Layout& layout, int row)
{
    return row * layout.rowPitch() + layout.signalHeight / 4 + layout.topMargin;
}

int attachedRowOfText(const model::ObjectStore& store, std::string_view textRecord)
{
    auto name = model::fields::textField(textRecord, model::textfield::Attachment);
    if (!name || !model::fields::hasField(textRecord, model::textfield::Attachment) ||
        model::equalsIgnoringCase(*name, model::kUnattached) ||
        model::startsWithIgnoringCase(*name, kLabelCaptionPrefix))
        return -1;
    return store.findSignal(*name);
}

void relayoutTextBoxes(model::Diagram& diagram, const render::Layout& before, const render::Layout& after)
{
    model::RecordList& texts = diagram.store.list(model::ListId::Texts);
    const int cellStep = after.cellWidth - before.cellWidth;
    const int pitchStep = after.rowPitch() - before.rowPitch();
    for (int i = 0; i < texts.count(); ++i) {
        const std::string& record = texts.get(i);
        auto attachment = model::fields::textField(record, model::textfield::Attachment);
        if (!model::fields::hasField(record, model::textfield::Bottom) ||
            (attachment && model::startsWithIgnoringCase(*attachment, kLabelCaptionPrefix)))
            continue;
        const Box box = readBox(record);
        const int row = attachedRowOfText(diagram.store, record);
        // A box over the waveform keeps its place on the time axis: its offset from the waveform's
        // start grows and shrinks with the cells. One in the name column stays where it is.
        const int origin = before.waveOriginX();
        int dx = 0;
        if (box.left >= origin && cellStep != 0)
            dx = scaledOffset(box.left - origin, before.cellWidth, after.cellWidth) - (box.left - origin);
        int dy = 0;
        if (row >= 0) {
            dy = attachedTextTop(after, row) - attachedTextTop(before, row);
        } else {
            const int rowsOrigin = before.topMargin - before.signalHeight / 2;
            dy = stepsBefore(box.top, rowsOrigin, before.rowPitch()) * pitchStep;
            if (box.top > rowsOrigin) // among the rows: it moves down with them when the margin grows
                dy += after.topMargin - before.topMargin;
        }
        if (dx != 0 || dy != 0)
            texts.replace(i, writeBox(record, moved(box, dx, dy)));
    }
}

} // namespace sigmora::edit
