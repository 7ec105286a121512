#include "io/dump/VcdParser.h"

#include <algorithm>
#include <limits>

namespace sigmora::io {

namespace {

std::string lineText(long long line) { return "line " + std::to_string(line) + ": "; }

} // namespace

VcdCodes::VcdCodes() : shortCodes_(256u + 65536u, -1) {}

void VcdCodes::add(const std::string& code)
{
    if (find(code) >= 0)
        return;
    if (code.size() == 1)
        shortCodes_[static_cast<unsigned char>(code[0])] = count_;
    else if (code.size() == 2)
        shortCodes_[256u + (static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1]))] = count_;
    else
        longCodes_.emplace(code, count_);
    ++count_;
}

namespace {

// Whether word is the start of a keyword a dump may hold (the whole keyword included).
bool isKeywordStart(std::string_view word)
{
    for (std::string_view keyword : {"$enddefinitions", "$end", "$scope", "$upscope", "$var", "$timescale", "$date",
                                     "$version", "$comment", "$dumpvars"})
        if (keyword.substr(0, word.size()) == word)
            return true;
    return false;
}

} // namespace

bool VcdParser::readHeader(VcdSurvey& out)
{
    std::vector<std::string> scopes;
    std::string_view w;
    while (word(w)) {
        if (w == "$enddefinitions")
            return skipToEnd();
        if (w == "$scope") {
            std::vector<std::string> words;
            if (!wordsToEnd(words))
                return false;
            scopes.push_back(words.size() >= 2 ? words[1] : words.empty() ? std::string() : words[0]);
        } else if (w == "$upscope") {
            if (!skipToEnd())
                return false;
            if (!scopes.empty())
                scopes.pop_back();
        } else if (w == "$var") {
            if (!variable(scopes, out))
                return false;
        } else if (w == "$timescale") {
            std::vector<std::string> words;
            if (!wordsToEnd(words))
                return false;
            for (const std::string& part : words)
                out.timescale += part;
        } else if (w == "$comment") {
            // The cell time this program writes into its own dumps.
            std::vector<std::string> words;
            if (!wordsToEnd(words))
                return false;
            if (words.size() == 2 && words[0] == "sigmora-cell" && !words[1].empty() && words[1].size() < 16 &&
                words[1].find_first_not_of("0123456789") == std::string::npos && std::stoll(words[1]) > 0)
                out.cellTime = std::stoll(words[1]);
        } else if (w == "$date" || w == "$version") {
            if (!skipToEnd())
                return false;
        } else {
            // A keyword cut short by the end of the file ("$enddef") is a dump cut inside its header.
            const std::string cut(w.substr(0, 40));
            std::string_view next;
            if (cut.front() == '$' && isKeywordStart(cut) && !word(next))
                return fail("the file ends inside its header, in \"" + cut + "\": the dump was cut short");
            return fail(cut.front() == '$' ? "unknown keyword " + cut : "\"" + cut + "\" outside any keyword");
        }
    }
    return fail(tokens_.tooLong() ? "a word is far too long" : "the file ends before \"$enddefinitions\"");
}

bool VcdParser::fail(const std::string& message)
{
    if (error_.empty())
        error_ = lineText(tokens_.line()) + message;
    return false;
}

bool VcdParser::skipToEnd()
{
    std::string_view w;
    while (word(w))
        if (w == "$end")
            return true;
    return fail("the file ends before \"$end\"");
}

bool VcdParser::wordsToEnd(std::vector<std::string>& words)
{
    std::string_view w;
    while (word(w)) {
        if (w == "$end")
            return true;
        if (words.size() < 8)
            words.emplace_back(w);
    }
    return fail("the file ends before \"$end\"");
}

bool VcdParser::variable(const std::vector<std::string>& scopes, VcdSurvey& out)
{
    std::vector<std::string> words;
    if (!wordsToEnd(words))
        return false;
    if (words.size() < 4)
        return fail("a \"$var\" needs a type, a width, a code and a name");
    const std::string& widthText = words[1];
    const bool digits = !widthText.empty() && widthText.size() < 10 &&
                        std::all_of(widthText.begin(), widthText.end(), [](char c) { return c >= '0' && c <= '9'; });
    const long long width = digits ? std::stoll(widthText) : -1;
    const bool real = words[0] == "real" || words[0] == "realtime";
    if (!real && (width < 1 || width > kMaxDeclaredVcdWidth))
        return fail("the variable " + words[3] + " is " + widthText + " bits wide; widths from 1 to " +
                    std::to_string(kMaxDeclaredVcdWidth) + " are read");
    if (out.variables.size() >= kMaxVcdVariables)
        return fail("more than " + std::to_string(kMaxVcdVariables) + " variables");
    VcdVariable v;
    for (const std::string& s : scopes)
        v.name += s + ".";
    v.name += words[3];
    // A vector's range, written apart from its name ("data [7:0]"), goes with the name as one
    // ("data[7:0]", as GHDL writes it).
    if (words.size() > 4 && !words[4].empty() && words[4].front() == '[' && words[3].back() != ']')
        v.name += words[4];
    v.code = words[2];
    v.width = real ? 1 : static_cast<int>(width);
    v.real = real;
    codes_.add(v.code);
    out.variables.push_back(std::move(v));
    return true;
}

bool VcdParser::bodyKeyword(std::string_view w)
{
    if (w == "$comment")
        return skipToEnd();
    if (w != "$dumpvars" && w != "$dumpall" && w != "$dumpon" && w != "$dumpoff" && w != "$end")
        return fail("unknown keyword " + std::string(w));
    return true;
}

bool VcdParser::timeBackwards(long long t, long long now)
{
    return fail("time goes backwards (#" + std::to_string(t) + " after #" + std::to_string(now) + ")");
}

bool VcdParser::notAChange(std::string_view w)
{
    return fail("\"" + std::string(w.substr(0, 40)) + "\" is not a value change");
}

int VcdParser::undeclared(std::string_view code)
{
    fail("the identifier code " + std::string(code.substr(0, 40)) + " was never declared");
    return -1;
}

bool VcdParser::longTimeValue(std::string_view digits, long long& t)
{
    if (digits.empty())
        return fail("a time without digits");
    t = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return fail("\"#" + std::string(digits.substr(0, 40)) + "\" is not a time");
        if (t > (std::numeric_limits<long long>::max() - 9) / 10)
            return fail("a time too large to count");
        t = t * 10 + (c - '0');
    }
    return true;
}

} // namespace sigmora::io
