#include "io/exchange/XmlFormat.h"

#include <optional>

#include "io/native/DiagramLimits.h"
#include "io/native/NativeLayout.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"
#include "model/Utf8Text.h"
#include "render/SvgWriter.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;
using model::ListId;

constexpr std::size_t kMaxTagLength = 65536;

struct Entity {
    std::string_view name;
    char character;
};
constexpr Entity kEntities[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};

// The character a reference between '&' and ';' stands for; false when it is none.
bool appendReference(std::string& out, std::string_view name)
{
    for (const Entity& e : kEntities)
        if (name == e.name) {
            out.push_back(e.character);
            return true;
        }
    if (name.size() < 2 || name.size() > 8 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits(name.substr(hex ? 2 : 1));
    if (digits.empty())
        return false;
    std::size_t used = 0;
    unsigned long code = 0;
    try {
        code = std::stoul(digits, &used, hex ? 16 : 10);
    } catch (...) {
        return false;
    }
    if (used != digits.size() || code == 0 || code > 0x10FFFF)
        return false;
    model::appendUtf8(out, static_cast<unsigned>(code));
    return true;
}

// The text between the n-th pair of double quotes (n from 1); empty when there is none.
std::string_view quotedValue(std::string_view tag, int n)
{
    std::size_t at = 0;
    for (int pair = 1;; ++pair) {
        const std::size_t open = tag.find('"', at);
        if (open == std::string_view::npos)
            return {};
        const std::size_t close = tag.find('"', open + 1);
        if (close == std::string_view::npos)
            return {};
        if (pair == n)
            return tag.substr(open + 1, close - open - 1);
        at = close + 1;
    }
}

// ---- writing ----

void appendAttributeLine(std::string& out, std::string_view open, std::string_view value, std::string_view close)
{
    out.append(open).append(xmlEscaped(value)).append(close);
}

int textCycle(std::string_view record, const model::DiagramSettings& s)
{
    model::ReaderReport ignored;
    const long long left = model::textbox::left(record, ignored);
    if (s.cellWidth == 0)
        return 0;
    return static_cast<int>((left - s.nameColumnWidth - s.nameMargin) / s.cellWidth);
}

void appendTexts(std::string& out, const model::Diagram& d, std::string_view rowName)
{
    for (const std::string& record : d.store.list(ListId::Texts).records()) {
        const auto attached = fields::textField(record, model::textfield::Attachment);
        if (!attached || !model::equalsIgnoringCase(model::trimBlanks(*attached), rowName))
            continue;
        model::ReaderReport ignored;
        const std::string message = fields::decodePeriods(model::textbox::message(record, ignored));
        out.append("\t\t<text cycle=\"").append(std::to_string(textCycle(record, d.settings)));
        appendAttributeLine(out, "\" value=\"", message, "\"></text>\n");
    }
}

void appendFloods(std::string& out, const model::Diagram& d, int row)
{
    for (int cell = 0; cell < model::kMaxCells; ++cell) {
        const int style = d.store.floodStyles().get(row, cell);
        if (style != 0)
            out.append("\t\t<flood cycle=\"")
                .append(std::to_string(cell))
                .append("\" value=\"")
                .append(std::to_string(style))
                .append("\"></flood>\n");
    }
}

void appendTimeBreaks(std::string& out, const model::Diagram& d, int row)
{
    for (const std::string& record : d.store.list(ListId::TimeBreaks).records()) {
        model::ReaderReport ignored;
        if (d.store.attachedSignal(record, ignored) != row)
            continue;
        out.append("\t\t<timebreak cycle=\"")
            .append(std::to_string(fields::intField(record, 0)))
            .append("\"></timebreak>\n");
    }
}

// ---- reading ----

struct XmlReadState {
    model::Diagram& diagram;
    std::string currentName;
    int currentRow = 0;
    std::size_t cutLength = 0;  // the current row's waveform length when its end was left out
    std::optional<std::string> firstCutRow; // the first such row, for the note
    std::string problem;
};

bool withinCycles(int cycle)
{
    return cycle >= 0 && cycle < model::kMaxCells;
}

// The export writes a text's cycle from its left edge, so a text in the name column has a
// negative cycle and one just past the last cell the cycle 600.
bool withinTextCycles(int cycle)
{
    return cycle >= -model::kMaxCells && cycle <= model::kMaxCells;
}

// A flood, time break or text on cells that were left out with the end of a long waveform
// (cycle k is character k + 1 of the waveform).
bool onCutCells(const XmlReadState& st, int cycle)
{
    return cycle >= model::kMaxCells && static_cast<std::size_t>(cycle) + 1 < st.cutLength;
}

std::optional<int> wholeNumber(std::string_view text)
{
    text = model::trimBlanks(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    for (std::size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return fields::cAtoi(text);
}

bool appendRecord(XmlReadState& st, ListId id, std::string record)
{
    model::RecordList& list = st.diagram.store.list(id);
    if (list.count() >= kMaxListRecords) {
        st.problem = "more records than any diagram holds";
        return false;
    }
    list.append(std::move(record));
    return true;
}

void readSignalTag(XmlReadState& st, std::string_view tag)
{
    std::string name = xmlUnescaped(quotedValue(tag, 1));
    if (hasControlCharacter(name)) {
        st.problem = "a name holds control characters";
        return;
    }
    st.currentName = fields::encodePeriods(name);
}

void readDataTag(XmlReadState& st, std::string_view tag)
{
    std::string cells = xmlUnescaped(quotedValue(tag, 1));
    model::RecordList& rows = st.diagram.store.signals();
    st.cutLength = cells.size() > kMaxWaveformLength ? cells.size() : 0;
    if (st.cutLength != 0) {
        cells.resize(kMaxWaveformLength);
        if (!st.firstCutRow)
            st.firstCutRow = model::singleLineText(st.currentName);
    }
    if (rows.count() >= model::kMaxRows)
        st.problem = "more than 256 rows";
    else if (unfitForWaveform(cells))
        st.problem = "a waveform holds characters no cell can have";
    if (!st.problem.empty())
        return;
    st.currentRow = rows.append(plainSignalRecord(st.currentName, cells, false));
    st.diagram.store.floodStyles().clearRow(st.currentRow);
    st.diagram.store.edgeOffsets().clearRow(st.currentRow);
}

void readFloodTag(XmlReadState& st, std::string_view tag)
{
    const auto cycle = wholeNumber(quotedValue(tag, 1));
    if (cycle && onCutCells(st, *cycle))
        return;
    if (!cycle || !withinCycles(*cycle)) {
        st.problem = "a flood cycle is outside the diagram";
        return;
    }
    st.diagram.store.floodStyles().set(st.currentRow, *cycle, 1);
}

void readTimeBreakTag(XmlReadState& st, std::string_view tag)
{
    const auto cycle = wholeNumber(quotedValue(tag, 1));
    if (cycle && onCutCells(st, *cycle))
        return;
    if (!cycle || !withinCycles(*cycle)) {
        st.problem = "a time-break cycle is outside the diagram";
        return;
    }
    appendRecord(st, ListId::TimeBreaks, std::to_string(*cycle) + "." + st.currentName + ".");
}

void readTextTag(XmlReadState& st, std::string_view tag)
{
    const auto cycle = wholeNumber(quotedValue(tag, 1));
    const std::string message = xmlUnescaped(quotedValue(tag, 2));
    if (cycle && *cycle > model::kMaxCells && onCutCells(st, *cycle))
        return;
    if (!cycle || !withinTextCycles(*cycle)) {
        st.problem = "a text cycle is outside the diagram";
        return;
    }
    if (hasControlCharacter(message)) {
        st.problem = "a text holds control characters";
        return;
    }
    const model::DiagramSettings& s = st.diagram.settings;
    const long long x = s.nameColumnWidth + static_cast<long long>(s.cellWidth) * *cycle + s.nameMargin;
    const long long y = s.topMargin + static_cast<long long>(st.currentRow) * (s.signalSpacing + 2LL * s.signalHeight) +
                        s.signalHeight / 4;
    const std::string xs = std::to_string(x);
    const std::string ys = std::to_string(y);
    appendRecord(st, ListId::Texts,
                 xs + "." + ys + "." + xs + "." + ys + "." + fields::encodePeriods(message) + "." + st.currentName +
                     "." + model::textbox::formatColour(0) + ".Arial.8.0.0.");
}

struct TagRule {
    std::string_view pattern;
    void (*read)(XmlReadState&, std::string_view);
};
constexpr TagRule kTagRules[] = {{"signal name=", readSignalTag},
                                 {"data value=", readDataTag},
                                 {"flood cycle=", readFloodTag},
                                 {"timebreak cycle=", readTimeBreakTag},
                                 {"text cycle=", readTextTag}};

// The first rule whose pattern stands in the tag before its first quoted value (so that a value
// never decides what its tag is); other tags are passed over.
void readTag(XmlReadState& st, std::string_view tag)
{
    const std::string_view head = tag.substr(0, tag.find('"'));
    for (const TagRule& rule : kTagRules)
        if (head.find(rule.pattern) != std::string_view::npos) {
            rule.read(st, tag);
            return;
        }
}

} // namespace

std::string xmlEscaped(std::string_view text)
{
    return render::SvgWriter::escaped(text);
}

std::string xmlUnescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '&') {
            const std::size_t end = text.find(';', at + 1);
            if (end != std::string_view::npos && appendReference(out, text.substr(at + 1, end - at - 1))) {
                at = end;
                continue;
            }
        }
        out.push_back(text[at]);
    }
    return out;
}

std::string xmlDocument(const model::Diagram& d)
{
    std::string out = "<waveform>\n";
    const model::RecordList& rows = d.store.signals();
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& record = rows.get(i);
        const std::string_view name = fields::nameOfRow(record);
        appendAttributeLine(out, "\t<signal name=\"", name, "\">\n");
        appendAttributeLine(out, "\t\t<data value=\"", model::signal::waveform(record), "\"></data>\n");
        appendTexts(out, d, name);
        appendFloods(out, d, i);
        appendTimeBreaks(out, d, i);
        out.append("\t</signal>\n");
    }
    out.append("</waveform>\n");
    return out;
}

ExchangeReadResult readXmlDiagram(std::string_view bytes, model::Diagram& diagram)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    XmlReadState st{diagram, {}, 0, 0, {}, {}};
    for (std::size_t at = 0; at < bytes.size() && st.problem.empty();) {
        const std::size_t open = bytes.find('<', at);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = bytes.find('>', open + 1);
        const std::size_t end = close == std::string_view::npos ? bytes.size() : close;
        if (end - open - 1 > kMaxTagLength)
            return {"a tag is longer than any the program writes", {}};
        if (close == std::string_view::npos)
            break;
        const std::string_view tag = bytes.substr(open + 1, close - open - 1);
        if (!tag.empty() && tag.front() != '/')
            readTag(st, tag);
        at = close + 1;
    }
    ExchangeReadResult result{st.problem, {}};
    if (st.firstCutRow)
        result.notes.push_back(cutCellsNote(*st.firstCutRow));
    if (result.ok())
        for (std::string& note : keepStorable(diagram))
            result.notes.push_back(std::move(note));
    return result;
}

} // namespace sigmora::io
