#pragma once

#include <string_view>

#include "model/RecordList.h"

namespace sigmora::edit {

// Row names match when they are equal after trimming blanks, ignoring letter case.
bool sameRowName(std::string_view a, std::string_view b);

// Index of the first row whose name matches name, or -1 when none does.
int findRowNamed(const model::RecordList& rows, std::string_view name);

} // namespace sigmora::edit
