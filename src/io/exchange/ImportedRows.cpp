#include "io/exchange/ImportedRows.h"

#include <algorithm>

#include "model/RecordFields.h"

namespace sigmora::io {

namespace {
constexpr std::string_view kPlainKind = "DATA_0_.";
constexpr std::string_view kPlainAttributes = ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.";
constexpr std::string_view kPlainFlags = "0.0.";
constexpr char kDelete = 0x7f;
} // namespace

std::string plainSignalRecord(std::string_view name, std::string_view cells, bool withFlags)
{
    std::string data(kPlainKind);
    data.append(cells).append(kPlainAttributes);
    if (withFlags)
        data.append(kPlainFlags);
    return model::fields::joinRow(name, data);
}

std::string cutCellsNote(std::string_view firstRowCut)
{
    return "Cells after the 600th were left out (first in row \"" + std::string(firstRowCut) + "\").";
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 0 && c < ' ') || c == kDelete; });
}

bool unfitForWaveform(std::string_view cells)
{
    return hasControlCharacter(cells) || cells.find(model::fields::kSeparator) != std::string_view::npos;
}

} // namespace sigmora::io
