#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/DiagramExtension.h"

namespace sigmora::io {

// The diagram's table of timing parameters alone, for a datasheet's text: a header (Symbol,
// Description, Min, Typ, Max, Unit) and one line per parameter, limits as typed and empty where
// not given. Symbols keep their markup as typed ("t_{RCD}").
enum class ParameterTableFormat { Csv, Markdown, Html };

// The format of a file name ending in ".csv", ".md" or ".html" (any case); nothing otherwise.
std::optional<ParameterTableFormat> parameterTableFormatOf(std::string_view path);

std::string parameterTableText(const model::DiagramExtension& extension, ParameterTableFormat format);

} // namespace sigmora::io
