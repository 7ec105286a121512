#include "edit/annotations/TextBoxes.h"

#include "edit/session/Session.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

const model::RecordList& texts(const Session& session)
{
    return session.diagram().store.list(model::ListId::Texts);
}

bool strictlyInside(const render::Rect& r, int x, int y)
{
    return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

// The drag distances keep their sign: a caption dragged up or left holds a negative offset.
std::string shifted(std::string_view record, int field, int by)
{
    return model::fields::withIntField(record, field, model::fields::intField(record, field) + by);
}

} // namespace

bool isLabelText(const Session& session, int index)
{
    const std::string& record = texts(session).get(index);
    const auto attachment = model::fields::textField(record, model::textfield::Attachment);
    return attachment && attachment->substr(0, kLabelTextPrefix.size()) == kLabelTextPrefix;
}

int labelOfCaption(const Session& session, int index)
{
    if (index < 0 || index >= texts(session).count() || !isLabelText(session, index))
        return -1;
    const auto attachment = model::fields::textField(texts(session).get(index), model::textfield::Attachment);
    return model::fields::cAtoi(attachment->substr(kLabelTextPrefix.size()));
}

std::optional<render::Rect> textBoxScreenRect(const Session& session, int index)
{
    // The mouse finds a box where its text was drawn: the stored rectangle of a box of its own was
    // measured when it was made and may lie off its letters.
    if (session.tools().drawnTextRect) {
        if (auto drawn = session.tools().drawnTextRect(index))
            return drawn;
    }
    if (isLabelText(session, index))
        return std::nullopt;
    const std::string& record = texts(session).get(index);
    model::ReaderReport ignored;
    const render::Layout l = render::Layout::from(session.diagram().settings);
    const int dx = l.cellWidth * l.firstVisibleCell;
    const int dy = l.rowPitch() * (l.verticalScroll / 2);
    return render::Rect{model::textbox::left(record, ignored) - dx, model::textbox::top(record, ignored) - dy,
                        model::textbox::right(record, ignored) - dx, model::textbox::bottom(record, ignored) - dy};
}

int textBoxAt(const Session& session, int x, int y)
{
    for (int i = texts(session).count() - 1; i >= 0; --i) {
        const auto rect = textBoxScreenRect(session, i);
        if (rect && strictlyInside(*rect, x, y))
            return i;
    }
    return -1;
}

void moveTextBox(Session& session, int index, int dx, int dy, TextMove how)
{
    model::RecordList& list = session.diagram().store.list(model::ListId::Texts);
    std::string record = list.get(index);
    namespace tf = model::textfield;
    const bool caption = isLabelText(session, index);
    if (!caption) {
        record = shifted(record, tf::Left, dx);
        record = shifted(record, tf::Right, dx);
        record = shifted(record, tf::Top, dy);
        record = shifted(record, tf::Bottom, dy);
    }
    if (caption || how == TextMove::Drag) {
        record = shifted(record, tf::DragX, dx);
        record = shifted(record, tf::DragY, dy);
    }
    list.replace(index, std::move(record));
}

bool moveSelectedTextBoxes(Session& session, int dx, int dy, TextMove how)
{
    const int n = std::min(texts(session).count(), kSelectionFlags);
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        if (session.state().textSelected[i]) {
            moveTextBox(session, i, dx, dy, how);
            moved = true;
        }
    }
    return moved;
}

int selectedTextCount(const Session& session)
{
    const int n = std::min(texts(session).count(), kSelectionFlags);
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += session.state().textSelected[i] ? 1 : 0;
    return count;
}

int firstSelectedText(const Session& session)
{
    const int n = std::min(texts(session).count(), kSelectionFlags);
    for (int i = 0; i < n; ++i)
        if (session.state().textSelected[i])
            return i;
    return -1;
}

} // namespace sigmora::edit
