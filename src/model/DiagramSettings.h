#pragma once

#include <array>
#include <string>

#include "model/CellGrid.h"
#include "model/Colour.h"

namespace sigmora::model {

enum class PeriodLineMode { BothEdges = 0, RisingOnly = 1, FallingOnly = 2, None = 5, Center = 6 };
enum class DropShadow { None = 0, Solid = 1, Gradient = 2 };
enum class NameJustification { Left = 0, Right = 1 };

// The diagram-wide settings with their start values. Comments mark what New puts back
// ("New") and what files and undo snapshots carry ("stored").
struct DiagramSettings {
    // Layout, in pixels.
    int cellWidth = 30;        // New, stored
    int cellCount = 20;        // New, stored
    int waveformWidth = 600;   // New, stored
    int signalHeight = 16;     // New, stored
    int signalSpacing = 12;    // stored
    int topMargin = 20;        // New, stored
    int nameColumnWidth = 100; // New, stored
    int nameMargin = 5;        // stored
    int nameColumnChars = 15;  // New, stored
    int slantWidth = 10;
    int firstVisibleCell = 0;  // New
    int verticalScroll = 0;    // New

    // Display options.
    int logoShown = 1;              // stored
    int boundingRectShown = 1;      // stored
    int dropShadow = 2;             // stored
    int signalSeparatorLines = 0;
    int waveformSeparatorLines = 0;
    int nameJustification = 0;      // New, stored
    float svgScale = 1.0f;          // stored
    float activeLowBarFactor = 1.0f;

    // Period lines and cycle labels.
    int periodLineMode = 0;        // stored
    int periodLinesSolid = 0;      // stored
    Colour periodLineColour = kLightGrey;
    int eachClockOwnPeriod = 1;    // stored
    int periodDivider = 1;         // New, stored
    int cycleLabelsVisible = 1;    // stored
    int labelsCustomized = 0;      // stored
    std::string labelPrefix;       // stored
    std::string labelSuffix;       // stored
    int labelStart = 1;            // stored
    int labelIncrement = 1;        // stored
    int periodLinesPerLabel = 1;   // New, stored
    int skipOffset = 1;            // New, stored
    int moduloCount = 0;           // stored
    int moduloOffset = 0;          // stored
    int repeatModuloCount = 0;     // stored

    // Defaults for new objects.
    int newSignalLevel = 1;        // kept in the preferences file
    int angledWireDirection = 0;   // kept in the preferences file
    Colour textColour = kBlack;    // New
    std::string textFace = "Arial"; // New
    int textSize = 8;              // New

    // Stored in files and snapshots and otherwise unused: 0 in a new diagram, and whatever the
    // open file held while its diagram is open.
    int spareStoredValue = 0;       // New, stored

    // Puts back the values New resets; everything else carries over to the next diagram.
    void resetForNew();
};

// The 600 label values of the clock-cycle label row.
using LabelNumbers = std::array<int, kMaxCells>;

} // namespace sigmora::model
