#include "edit/cells/WaveformCells.h"

#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {
constexpr std::string_view kLegacyBusTag = "DATA_1_";
}

bool rowEditable(std::string_view record)
{
    return model::rowKind(record) != model::kRowKindSeparator && model::signal::locked(record) == 0;
}

bool legacyBus(std::string_view record)
{
    const auto kind = model::fields::textField(model::fields::dataOfRow(record), model::signalfield::Kind);
    return kind && kind->substr(0, kLegacyBusTag.size()) == kLegacyBusTag;
}

bool writeChar(std::string& wave, int position, char v)
{
    if (position < 0 || position >= static_cast<int>(wave.size()) || wave[position] == v)
        return false;
    wave[position] = v;
    return true;
}

bool writeColumn(std::string& wave, int column, char v)
{
    bool changed = writeChar(wave, column + 1, v);
    if (column == 0)
        changed = writeChar(wave, 0, v) || changed;
    return changed;
}

char columnValue(std::string_view wave, int column)
{
    const int p = column + 1;
    return p >= 0 && p < static_cast<int>(wave.size()) ? wave[p] : '\0';
}

std::string waveformOf(const model::Diagram& diagram, int row)
{
    return std::string(model::signal::waveform(diagram.store.signals().get(row)));
}

void storeWaveform(model::Diagram& diagram, int row, std::string_view wave)
{
    model::RecordList& rows = diagram.store.signals();
    rows.replace(row, model::signal::withDataField(rows.get(row), model::signalfield::Waveform, wave));
    rows.setSelection(row);
}

} // namespace sigmora::edit
