#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::io {

// The languages whose identifiers a diagram's row names are turned into. A value change dump
// names its variables as Verilog does.
enum class HdlLanguage { Verilog, Vhdl };

const char* languageName(HdlLanguage language);

// A name made a legal identifier of the language: the stored period marker and every character
// that may not stand in an identifier become '_' ('#', an active-low mark, becomes "_n"), a name
// that does not start with a letter (or, in Verilog, '_') gets "s_" in front, a keyword gets
// "_sig" behind. VHDL identifiers have no doubled or trailing '_'; VHDL's units of time count as
// keywords, since a port of that name hides the unit. reserved names more words to avoid (the
// module's name), compared ignoring case.
std::string legalIdentifier(std::string_view name, HdlLanguage language, const std::vector<std::string>& reserved = {});

// The same without the keyword rule: the start of an identifier that goes on (the diagram's name
// in front of "_stimulus", which no keyword ends with).
std::string legalPrefix(std::string_view name, HdlLanguage language);

// The identifiers of a list of row names, in the same order. Rows with the same name (ignoring
// case and surrounding blanks) are numbered: the first keeps the identifier, the others get "_2",
// "_3", ... (the first number no other row uses). Two different names that become the same
// identifier fail with a message naming both.
struct RowIdentifiers {
    bool ok = false;
    std::string error;
    std::vector<std::string> identifiers;
    std::vector<std::string> renamings; // "The row "a b" is a_b.", one per name that changed
};
RowIdentifiers rowIdentifiers(const std::vector<std::string>& names, HdlLanguage language,
                              const std::vector<std::string>& reserved = {});

} // namespace sigmora::io
