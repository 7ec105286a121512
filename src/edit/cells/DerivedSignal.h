#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Diagram.h"

namespace sigmora::edit {

inline constexpr const char* kProblemFindingSignal = "problem finding signal";
// Delays written in an expression and their sums stay within this many pixels either way.
inline constexpr int kMaxDerivedDelay = 100000;

// A waveform computed from other rows, and the delay (pixels) it is drawn with.
struct DerivedWaveform {
    std::string waveform; // 600 cell characters
    int delay = 0;
};

struct DerivedResult {
    // Nothing when the expression derives nothing: "N/A", empty, an unknown form, or a chain of
    // references that never reaches a plain row (a row naming itself, a cycle).
    std::optional<DerivedWaveform> value;
    // A row named in the expression does not exist; nothing is derived then.
    bool missingRow = false;
};

// Evaluates a derivation expression ("A AND B", "A OR B", "A{d}") against the diagram's rows.
// Names are compared as row names are (trimmed, ignoring case). Every evaluation ends: a chain
// of references is followed at most once through every row.
DerivedResult evaluateDerivation(const model::Diagram& diagram, std::string_view expression);

// The derivation of a row, from its record's expression field.
DerivedResult evaluateDerivedRow(const model::Diagram& diagram, int signalIndex);

// True for the expressions that mean "not derived": "N/A" and the empty text.
bool isUnderived(std::string_view expression);

} // namespace sigmora::edit
