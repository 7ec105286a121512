#include "edit/cells/DerivedSignal.h"

#include <algorithm>

#include "edit/values/RowNames.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"

namespace sigmora::edit {

namespace {

constexpr std::string_view kAnd = " AND ";
constexpr std::string_view kOr = " OR ";
constexpr char kDelayOpen = '{';
constexpr char kDelayClose = '}';

int clampDelay(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -kMaxDerivedDelay, kMaxDerivedDelay));
}

// The integer between '{' and the next '}' (or the end), read as atoi reads it but saturating
// instead of overflowing.
int delayOf(std::string_view expression)
{
    const size_t open = expression.find(kDelayOpen);
    std::string_view text = expression.substr(open + 1);
    text = text.substr(0, text.find(kDelayClose));
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), kMaxDerivedDelay);
    return clampDelay(negative ? -value : value);
}

std::string_view nameBeforeDelay(std::string_view expression)
{
    return expression.substr(0, expression.find(kDelayOpen));
}

// The waveform of a row as an operand: empty for a separator, else its cells padded with the
// last one up to the diagram's cell count. Adds the row's delay to the delay sum.
std::string operandWaveform(const model::Diagram& diagram, int row, long long& delaySum)
{
    const std::string& record = diagram.store.signals().get(row);
    delaySum += model::signal::delay(record);
    if (model::rowKind(record) == model::kRowKindSeparator)
        return {};
    std::string cells(model::signal::waveform(record));
    const size_t wanted = static_cast<size_t>(std::clamp(diagram.settings.cellCount, 0, model::kMaxCells));
    if (!cells.empty() && cells.size() < wanted)
        cells.append(wanted - cells.size(), cells.back());
    return cells;
}

// atoi of one character: its digit value, 0 for anything that is not a digit.
int digitAt(const std::string& cells, int i)
{
    const char c = static_cast<size_t>(i) < cells.size() ? cells[static_cast<size_t>(i)] : '0';
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

char andOf(int a, int b)
{
    const int v = a * b;
    return v == 0 ? '0' : v == 1 ? '1' : '2';
}

char orOf(int a, int b)
{
    if ((a == 1 || a == 2) && b == a)
        return static_cast<char>('0' + a);
    const int v = a + b;
    return v == 0 ? '0' : v == 2 ? '2' : '1';
}

DerivedResult combine(const model::Diagram& diagram, std::string_view expression, size_t at, std::string_view op,
                      char (*cell)(int, int))
{
    const model::RecordList& rows = diagram.store.signals();
    const int a = findRowNamed(rows, expression.substr(0, at));
    const int b = findRowNamed(rows, expression.substr(at + op.size()));
    if (a < 0 || b < 0)
        return {std::nullopt, true};
    long long ignoredDelay = 0;
    const std::string left = operandWaveform(diagram, a, ignoredDelay);
    const std::string right = operandWaveform(diagram, b, ignoredDelay);
    DerivedWaveform result;
    result.waveform.resize(model::kMaxCells);
    for (int i = 0; i < model::kMaxCells; ++i)
        result.waveform[static_cast<size_t>(i)] = cell(digitAt(left, i), digitAt(right, i));
    return {std::move(result), false}; // AND and OR carry no delay
}

// A{d}: follows the chain of delayed references to the first row that is not derived. A chain
// that passes more rows than the diagram has runs in a circle and derives nothing; so does a row
// on the way whose expression is neither "N/A" nor a reference.
DerivedResult reference(const model::Diagram& diagram, std::string_view expression)
{
    const model::RecordList& rows = diagram.store.signals();
    long long accumulated = 0;
    std::string_view name = nameBeforeDelay(expression);
    std::string nextName;
    for (int steps = 0; steps <= rows.count(); ++steps) {
        const int row = findRowNamed(rows, name);
        if (row < 0)
            return {std::nullopt, true};
        const std::string own = model::signal::freeText(rows.get(row));
        if (isUnderived(own)) {
            long long delaySum = 0;
            DerivedWaveform result;
            result.waveform = operandWaveform(diagram, row, delaySum);
            result.delay = clampDelay(delaySum + delayOf(expression) + accumulated);
            return {std::move(result), false};
        }
        if (own.find(kDelayOpen) == std::string::npos)
            return {};
        accumulated = std::clamp<long long>(accumulated + delayOf(own), -kMaxDerivedDelay, kMaxDerivedDelay);
        nextName = std::string(nameBeforeDelay(own));
        name = nextName;
    }
    return {};
}

} // namespace

bool isUnderived(std::string_view expression)
{
    return expression.empty() || expression == model::kNotDerived;
}

DerivedResult evaluateDerivation(const model::Diagram& diagram, std::string_view expression)
{
    if (isUnderived(expression))
        return {};
    if (size_t at = expression.find(kAnd); at != std::string_view::npos)
        return combine(diagram, expression, at, kAnd, andOf);
    if (size_t at = expression.find(kOr); at != std::string_view::npos)
        return combine(diagram, expression, at, kOr, orOf);
    if (expression.find(kDelayOpen) != std::string_view::npos)
        return reference(diagram, expression);
    return {};
}

DerivedResult evaluateDerivedRow(const model::Diagram& diagram, int signalIndex)
{
    const model::RecordList& rows = diagram.store.signals();
    if (signalIndex < 0 || signalIndex >= rows.count())
        return {};
    return evaluateDerivation(diagram, model::signal::freeText(rows.get(signalIndex)));
}

} // namespace sigmora::edit
