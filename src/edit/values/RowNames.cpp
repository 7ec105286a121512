#include "edit/values/RowNames.h"

#include "model/RecordFields.h"
#include "model/TextCase.h"

namespace sigmora::edit {

bool sameRowName(std::string_view a, std::string_view b)
{
    return model::equalsIgnoringCase(model::trimBlanks(a), model::trimBlanks(b));
}

int findRowNamed(const model::RecordList& rows, std::string_view name)
{
    for (int i = 0; i < rows.count(); ++i) {
        if (sameRowName(model::fields::nameOfRow(rows.get(i)), name))
            return i;
    }
    return -1;
}

} // namespace sigmora::edit
