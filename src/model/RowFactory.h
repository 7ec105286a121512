#pragma once

#include <string>
#include <string_view>

#include "model/RecordList.h"

namespace sigmora::model {

enum class NewRowKind { Clock = 0, Signal = 1, Bus = 2 };

// The name a new row of this kind gets: "Clock", "Default Signal" or "Default Bus", or the same
// with " 2", " 3", ... while some row's record begins with the candidate (ignoring case).
std::string chooseRowName(const RecordList& signals, NewRowKind kind);

// The complete record of a new row: a clock alternates 0 and 1 from 0, a signal is all high or all
// low by newSignalLevel, a bus is all 4; the other fields take their kind's defaults.
std::string buildRowRecord(NewRowKind kind, std::string_view name, int newSignalLevel);

} // namespace sigmora::model
