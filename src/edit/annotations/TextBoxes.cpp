#include "edit/annotations/TextBoxes.h"

#include "edit/Editor.h"
#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

const model::RecordList& texts(const Editor& editor)
{
    return editor.diagram().store.list(model::ListId::Texts);
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

bool isLabelText(const Editor& editor, int index)
{
    const std::string& record = texts(editor).get(index);
    const auto attachment = model::fields::textField(record, model::textfield::Attachment);
    return attachment && attachment->substr(0, kLabelTextPrefix.size()) == kLabelTextPrefix;
}

std::optional<render::Rect> textBoxScreenRect(const Editor& editor, int index)
{
    if (isLabelText(editor, index)) {
        if (editor.tools().labelTextRect)
            return editor.tools().labelTextRect(index);
        return std::nullopt;
    }
    const std::string& record = texts(editor).get(index);
    model::ReaderReport ignored;
    const render::Layout l = render::Layout::from(editor.diagram().settings);
    const int dx = l.cellWidth * l.firstVisibleCell;
    const int dy = l.rowPitch() * (l.verticalScroll / 2);
    return render::Rect{model::textbox::left(record, ignored) - dx, model::textbox::top(record, ignored) - dy,
                        model::textbox::right(record, ignored) - dx, model::textbox::bottom(record, ignored) - dy};
}

int textBoxAt(const Editor& editor, int x, int y)
{
    for (int i = texts(editor).count() - 1; i >= 0; --i) {
        const auto rect = textBoxScreenRect(editor, i);
        if (rect && strictlyInside(*rect, x, y))
            return i;
    }
    return -1;
}

void moveTextBox(Editor& editor, int index, int dx, int dy, TextMove how)
{
    model::RecordList& list = editor.diagram().store.list(model::ListId::Texts);
    std::string record = list.get(index);
    namespace tf = model::textfield;
    const bool caption = isLabelText(editor, index);
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

bool moveSelectedTextBoxes(Editor& editor, int dx, int dy, TextMove how)
{
    const int n = std::min(texts(editor).count(), kSelectionFlags);
    bool moved = false;
    for (int i = 0; i < n; ++i) {
        if (editor.state().textSelected[i]) {
            moveTextBox(editor, i, dx, dy, how);
            moved = true;
        }
    }
    return moved;
}

int selectedTextCount(const Editor& editor)
{
    const int n = std::min(texts(editor).count(), kSelectionFlags);
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += editor.state().textSelected[i] ? 1 : 0;
    return count;
}

int firstSelectedText(const Editor& editor)
{
    const int n = std::min(texts(editor).count(), kSelectionFlags);
    for (int i = 0; i < n; ++i)
        if (editor.state().textSelected[i])
            return i;
    return -1;
}

} // namespace sigmora::edit
