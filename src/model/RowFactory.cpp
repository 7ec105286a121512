#include "model/RowFactory.h"

#include "model/CellGrid.h"
#include "model/RecordFields.h"

namespace sigmora::model {

namespace {

std::string_view baseName(NewRowKind kind)
{
    switch (kind) {
    case NewRowKind::Clock: return "Clock";
    case NewRowKind::Signal: return "Default Signal";
    case NewRowKind::Bus: return "Default Bus";
    }
    return "Default Signal";
}

std::string cells(NewRowKind kind, int newSignalLevel)
{
    switch (kind) {
    case NewRowKind::Clock: {
        std::string c(kMaxCells, '0');
        for (size_t k = 1; k < c.size(); k += 2)
            c[k] = '1';
        return c;
    }
    case NewRowKind::Signal: return std::string(kMaxCells, newSignalLevel == 1 ? '1' : '0');
    case NewRowKind::Bus: return std::string(kMaxCells, '4');
    }
    return {};
}

} // namespace

std::string chooseRowName(const RecordList& signals, NewRowKind kind)
{
    std::string candidate(baseName(kind));
    for (int n = 2; signals.findPrefix(candidate) >= 0; ++n)
        candidate = std::string(baseName(kind)) + " " + std::to_string(n);
    return candidate;
}

std::string buildRowRecord(NewRowKind kind, std::string_view name, int newSignalLevel)
{
    const bool clock = kind == NewRowKind::Clock;
    std::string data = clock ? "CLK_0_." : "DATA_0_.";
    data += cells(kind, newSignalLevel);
    // delay, ideal, face, size, rising, falling, wave colour, name colour, hatch colour,
    // derivation, locked, divisor, duty, differential, active low
    data += clock ? ".0.1.Arial.10.1.0.0.0.8421504.N/A.0.1.5.0.0."
                  : ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.";
    return fields::joinRow(name, data);
}

} // namespace sigmora::model
