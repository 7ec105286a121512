#include "edit/CurrentRecord.h"

#include "edit/Editor.h"

namespace sigmora::edit {

bool rewriteCurrentRecord(Editor& editor, model::ListId id, const std::function<void(std::string&)>& change,
                          bool snapshot)
{
    model::RecordList& list = editor.diagram().store.list(id);
    const int index = list.selection();
    if (index < 0 || index >= list.count())
        return false;
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
