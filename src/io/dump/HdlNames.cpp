#include "io/dump/HdlNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

#include "model/TextCase.h"
#include "model/TextLines.h"

namespace sigmora::io {

namespace {

// Verilog-2005's keywords and SystemVerilog's, so that the stimulus also compiles as the latter.
constexpr std::array kVerilogKeywords{
    "alias", "always", "always_comb", "always_ff", "always_latch", "and", "assert", "assign", "assume",
    "automatic", "before", "begin", "bind", "bins", "binsof", "bit", "break", "buf", "bufif0", "bufif1", "byte",
    "case", "casex", "casez", "cell", "chandle", "class", "clocking", "cmos", "config", "const", "constraint",
    "context", "continue", "cover", "covergroup", "coverpoint", "cross", "deassign", "default", "defparam",
    "design", "disable", "dist", "do", "edge", "else", "end", "endcase", "endclass", "endclocking", "endconfig",
    "endfunction", "endgenerate", "endgroup", "endinterface", "endmodule", "endpackage", "endprimitive",
    "endprogram", "endproperty", "endspecify", "endsequence", "endtable", "endtask", "enum", "event",
    "expect", "export", "extends", "extern", "final", "first_match", "for", "force", "foreach", "forever",
    "fork", "forkjoin", "function", "generate", "genvar", "highz0", "highz1", "if", "iff", "ifnone",
    "ignore_bins", "illegal_bins", "import", "incdir", "include", "initial", "inout", "input", "inside",
    "instance", "int", "integer", "interface", "intersect", "join", "join_any", "join_none", "large",
    "liblist", "library", "local", "localparam", "logic", "longint", "macromodule", "matches", "medium",
    "modport", "module", "nand", "negedge", "new", "nmos", "nor", "noshowcancelled", "not", "notif0",
    "notif1", "null", "or", "output", "package", "packed", "parameter", "pmos", "posedge", "primitive",
    "priority", "program", "property", "protected", "pull0", "pull1", "pulldown", "pullup",
    "pulsestyle_ondetect", "pulsestyle_onevent", "pure", "rand", "randc", "randcase", "randsequence", "rcmos",
    "real", "realtime", "ref", "reg", "release", "repeat", "return", "rnmos", "rpmos", "rtran", "rtranif0",
    "rtranif1", "scalared", "sequence", "shortint", "shortreal", "showcancelled", "signed", "small", "solve",
    "specify", "specparam", "static", "string", "strong0", "strong1", "struct", "super", "supply0", "supply1",
    "table", "tagged", "task", "this", "throughout", "time", "timeprecision", "timeunit", "tran", "tranif0",
    "tranif1", "tri", "tri0", "tri1", "triand", "trior", "trireg", "type", "typedef", "union", "unique",
    "unsigned", "use", "uwire", "var", "vectored", "virtual", "void", "wait", "wait_order", "wand", "weak0",
    "weak1", "while", "wildcard", "wire", "with", "within", "wor", "xnor", "xor"};

// VHDL-2008's reserved words, and the names the stimulus itself uses from its libraries.
constexpr std::array kVhdlKeywords{
    "abs", "access", "after", "alias", "all", "and", "architecture", "array", "assert", "assume",
    "assume_guarantee", "attribute", "begin", "block", "body", "buffer", "bus", "case", "component",
    "configuration", "constant", "context", "cover", "default", "disconnect", "downto", "else", "elsif", "end",
    "entity", "exit", "fairness", "file", "for", "force", "function", "generate", "generic", "group", "guarded",
    "if", "impure", "in", "inertial", "inout", "is", "label", "library", "linkage", "literal", "loop", "map",
    "mod", "nand", "new", "next", "nor", "not", "null", "of", "on", "open", "or", "others", "out", "package",
    "parameter", "port", "postponed", "procedure", "process", "property", "protected", "pure", "range",
    "record", "register", "reject", "release", "rem", "report", "restrict", "restrict_guarantee", "return",
    "rol", "ror", "select", "sequence", "severity", "shared", "signal", "sla", "sll", "sra", "srl", "strong",
    "subtype", "then", "to", "transport", "type", "unaffected", "units", "until", "use", "variable", "vmode",
    "vprop", "vunit", "wait", "when", "while", "with", "xnor", "xor",
    // not reserved, but a port of that name would hide what the stimulus needs: its libraries and
    // the units of time its waits are written in
    "ieee", "std", "work", "std_logic", "std_logic_vector", "std_ulogic", "std_logic_1164", "drawn", "fs", "ps",
    "ns", "us", "ms", "sec", "min", "hr"};

constexpr std::string_view kKeywordSuffix = "_sig";
// An active-low mark: "CLK#" is CLK_n, apart from a row named CLK.
constexpr std::string_view kActiveLowMark = "_n";
constexpr std::string_view kLeadingPrefix = "s_";
constexpr std::string_view kEmptyName = "unnamed";

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isKeyword(const std::string& id, HdlLanguage language, const std::vector<std::string>& reserved)
{
    for (const std::string& r : reserved)
        if (model::equalsIgnoringCase(id, r))
            return true;
    if (language == HdlLanguage::Verilog)
        return std::find(kVerilogKeywords.begin(), kVerilogKeywords.end(), id) != kVerilogKeywords.end();
    const std::string l = lower(id);
    return std::find(kVhdlKeywords.begin(), kVhdlKeywords.end(), l) != kVhdlKeywords.end();
}

bool asciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool asciiDigit(char c) { return c >= '0' && c <= '9'; }

// The name compared as rows are: without surrounding blanks, ignoring case.
std::string rowKey(std::string_view name) { return lower(model::trimBlanks(name)); }

} // namespace

const char* languageName(HdlLanguage language)
{
    return language == HdlLanguage::Verilog ? "Verilog" : "VHDL";
}

namespace {

// The name with every character an identifier may not hold replaced, '#' by "_n"; VHDL's
// underscores single and none at the end. Empty when nothing is left.
std::string identifierCharacters(std::string_view name, HdlLanguage language)
{
    const std::string plain(model::trimBlanks(model::singleLineText(name)));
    std::string id;
    for (char c : plain) {
        if (c == '#')
            id += kActiveLowMark;
        else
            id += asciiLetter(c) || asciiDigit(c) ? c : '_';
    }
    if (language == HdlLanguage::Vhdl) {
        std::string single;
        for (char c : id)
            if (!(c == '_' && !single.empty() && single.back() == '_'))
                single += c;
        while (!single.empty() && single.back() == '_')
            single.pop_back();
        id = single;
    }
    if (id.empty())
        return std::string(kEmptyName);
    const bool goodStart = asciiLetter(id.front()) || (language == HdlLanguage::Verilog && id.front() == '_');
    if (!goodStart)
        id = std::string(kLeadingPrefix) + (language == HdlLanguage::Vhdl && id.front() == '_' ? id.substr(1) : id);
    return id;
}

} // namespace

std::string legalIdentifier(std::string_view name, HdlLanguage language, const std::vector<std::string>& reserved)
{
    std::string id = identifierCharacters(name, language);
    if (isKeyword(id, language, reserved))
        id += kKeywordSuffix;
    return id;
}

std::string legalPrefix(std::string_view name, HdlLanguage language)
{
    return identifierCharacters(name, language);
}

RowIdentifiers rowIdentifiers(const std::vector<std::string>& names, HdlLanguage language,
                              const std::vector<std::string>& reserved)
{
    RowIdentifiers out;
    out.identifiers.resize(names.size());
    // First every distinct name; then the repeated ones, numbered past every identifier taken.
    std::unordered_map<std::string, std::size_t> firstOfName;  // row key -> first row with it
    std::unordered_map<std::string, std::size_t> ownerOfId;    // identifier (lower case) -> row
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = rowKey(names[i]);
        if (firstOfName.count(key))
            continue;
        firstOfName.emplace(key, i);
        const std::string id = legalIdentifier(names[i], language, reserved);
        const auto [it, fresh] = ownerOfId.emplace(lower(id), i);
        if (!fresh) {
            out.error = "The rows \"" + model::singleLineText(names[it->second]) + "\" and \"" +
                        model::singleLineText(names[i]) + "\" would both be named " + id + " in " +
                        languageName(language) + ": rename one of them.";
            return out;
        }
        out.identifiers[i] = id;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t first = firstOfName.at(rowKey(names[i]));
        if (first == i)
            continue;
        const std::string& base = out.identifiers[first];
        std::string id;
        for (int n = 2;; ++n) {
            id = base + "_" + std::to_string(n);
            if (!ownerOfId.count(lower(id)))
                break;
        }
        ownerOfId.emplace(lower(id), i);
        out.identifiers[i] = id;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string shown = model::singleLineText(names[i]);
        if (shown != out.identifiers[i])
            out.renamings.push_back("The row \"" + shown + "\" is " + out.identifiers[i] + ".");
    }
    out.ok = true;
    return out;
}

} // namespace sigmora::io
