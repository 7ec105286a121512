#include "edit/session/CurrentRecord.h"

#include "edit/Editor.h"

namespace sigmora::edit {

bool hasCurrentRecord(const Editor& editor, model::ListId id)
{
    const model::RecordList& list = editor.diagram().store.list(id);
    return list.selection() >= 0 && list.selection() < list.count();
}

bool rewriteCurrentRecord(Editor& editor, model::ListId id, const std::function<void(std::string&)>& change,
                          bool snapshot)
{
    if (!hasCurrentRecord(editor, id))
        return false;
    model::RecordList& list = editor.diagram().store.list(id);
    const int index = list.selection();
    std::string record = list.get(index);
    change(record);
    list.replace(index, std::move(record));
    list.setSelection(index);
    editor.diagram().modified = true;
    editor.refresh();
    if (snapshot)
        editor.takeSnapshot();
    return true;
}

} // namespace sigmora::edit
