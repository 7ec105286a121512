#pragma once

#include <string>

namespace sigmora::app {

// "sigmora --convert IN OUT --parameters": writes the diagram's table of timing parameters alone,
// as comma-separated text (".csv"), a Markdown table (".md") or an HTML table (".html"), for a
// datasheet's text. IN is read as --convert reads it.
inline constexpr const char* kParametersOption = "--parameters";

// True on success, else a one-line error.
bool writeParameterTable(const std::string& in, const std::string& out, std::string& error);

} // namespace sigmora::app
