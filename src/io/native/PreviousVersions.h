#pragma once

#include <string>
#include <string_view>

#include "model/Diagram.h"
#include "model/ReaderReport.h"

namespace sigmora::io {

// Converts the records of a file of a previous version, just read, to the current formats:
//  - "011" and "010": nothing to convert;
//  - "009": every row but separators gets the differential and active-low fields (0, 0); in text
//    messages the old period marker "~" becomes "~QorWFPeriod~";
//  - older: arrows get "0.0.0." and text boxes "0.0."; each legacy region record (cycle, row name,
//    style) sets that cell's flood style (a record without its style is reported as "can't find
//    flood style"); rows other than separators and clocks get "N/A.0.0.0."
//    and "0.0.", and the buses of those versions ("DATA_1_") become "DATA_0_" with their cells
//    "0" and "1" turned into the two-line values "3" and "4"; clocks move the delay held between
//    the underscores of their kind tag into the edge offset table (entry 1 the delay, entry 599
//    its negation) and get their cells regenerated (regeneratedClockCells).
void convertPreviousVersionRecords(model::Diagram& diagram, std::string_view version,
                                   model::ReaderReport* report = nullptr);

// The settings version "010" files do not store, set to their start values.
void applyVersion010Defaults(model::DiagramSettings& settings);

// The settings older versions do not store, set to their start values: those of "010" and the
// row height and spacing.
void applyPreviousVersionSettings(model::DiagramSettings& settings);

// The cells of a clock of a version older than "009", made anew. Those clocks hold their start
// level and half-period in their own cells: the start level is the first cell ("0" unless it is
// "1") and the half-period is the length of the first run of equal cells. The answer is 600 cells
// that start at that level and change level every half-period.
std::string regeneratedClockCells(std::string_view oldCells);

// The path of the copy a file is backed up to before it is converted: ".sgm" in the file's name
// (any case) replaced by "_backup" and the extension as it stood; a name without ".sgm" gets
// "_backup.sgm" appended. The answer never equals the path itself.
std::string backupPathFor(std::string_view path);

// cellWidth x cellCount, held within the range of an int.
int fullWaveformWidth(const model::DiagramSettings& settings);

} // namespace sigmora::io
