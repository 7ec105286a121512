#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Colour.h"
#include "model/Diagram.h"

namespace sigmora::edit {

inline constexpr const char* kDuplicateSignalName = "Please choose a different name.  This signal already exists.";
inline constexpr const char* kDeleteSignalQuestion = "Are you sure you want to delete this signal?";
inline constexpr const char* kDeleteSignalCaption = "Delete the signal?";
inline constexpr int kMaxClockFrequency = 64;
inline constexpr int kDutyChoices = 9;

// The values the "Signal Name and Attributes" dialog shows and edits for one row. Texts are as
// the user sees them: periods as '.', line breaks as the two characters backslash and n.
struct SignalAttributes {
    std::string name;
    std::string nameAtOpening;
    std::string delayText;
    bool ideal = false;
    std::string fontFace;
    int fontSize = 10;
    bool risingArrows = false;
    bool fallingArrows = false;
    model::Colour signalColour = 0;
    model::Colour fontColour = 0;
    model::Colour invalidColour = 0;
    std::string expression;
    bool locked = false;
    int clockFrequency = 0; // 1 .. 64: "1x", "1/2x" ... "1/64x"
    int clockDuty = 0;      // 1 .. 9: "10/90" ... "90/10"
    bool differential = false;
    bool activeLow = false;
    bool isClock = false;
    int rowIndex = -1;
    int cellWidth = 0;
    std::vector<std::string> rowNames; // every row's name as shown, top to bottom
    bool deleteAvailable = false;      // whether "Delete Signal" can delete the row
};

enum class SignalDialogResult { Ok, Cancel, Delete };

// The values of a row as the dialog opens with them.
SignalAttributes readSignalAttributes(const model::Diagram& diagram, int row);

// The delay text kept on OK: a non-zero value is clamped to 0 .. cellWidth - 10 and written back
// as a plain decimal number; any other text stays as typed.
std::string clampedDelayText(std::string_view text, int cellWidth);

// Whether another row than the edited one already has this name (trimmed, ignoring case).
bool nameTakenByOtherRow(const SignalAttributes& values, std::string_view name);

// The name as it is stored: surrounding blanks removed, tabs as blanks, typed line breaks as
// backslash-n, periods as the period marker.
std::string storedRowName(std::string_view shownName);

// The row record rebuilt from the values, keeping the old record's waveform and legacy digit.
std::string buildSignalRecord(std::string_view oldRecord, const SignalAttributes& values);

// 600 cells of a clock at frequency index k: one 0, then k 1s and k 0s in turn.
std::string clockWaveform(int frequency);

// The edge offsets of a clock of this duty index: entry j (even) -f x cellWidth and entry j + 1
// +f x cellWidth, truncated toward zero, f going from 0.6 for "10/90" to -0.6 for "90/10".
void writeDutyOffsets(model::CellGrid& offsets, int row, int duty, int cellWidth);

// The product of a factor and a width, truncated toward zero from its exact value.
int truncatedProduct(double factor, int width);

} // namespace sigmora::edit
