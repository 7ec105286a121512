#pragma once

#include <string>
#include <string_view>

#include "model/ObjectStore.h"

namespace sigmora::edit {

// Carries a row's new name to every record that names the row: arrow and label ends, text-box
// attachments, time breaks, legacy regions, and the operands of derivation expressions. Names are
// the stored forms (periods as the period marker) and match as row names do.
void renameRowReferences(model::ObjectStore& store, std::string_view oldName, std::string_view newName);

// A derivation expression with every operand that names oldName replaced by newName.
std::string renameInExpression(std::string_view expression, std::string_view oldName, std::string_view newName);

} // namespace sigmora::edit
