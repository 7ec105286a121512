#include "edit/annotations/TextRelayout.h"

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
        int dx = 0;
        int dy = 0;
        if (row >= 0) {
            dx = stepsBefore(box.left, 0, before.cellWidth) * cellStep;
            dy = attachedTextTop(after, row) - attachedTextTop(before, row);
        } else {
            dx = stepsBefore(box.left, before.waveOriginX(), before.cellWidth) * cellStep;
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
