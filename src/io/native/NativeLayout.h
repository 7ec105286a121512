#pragma once

#include <string_view>

#include "model/DiagramSettings.h"

namespace sigmora::io {

// The native diagram file (.sgm), also the undo snapshot: the tag, the version and then the
// items in this order:
//   cellWidth, cellCount, signalHeight, the spare value            (kHeadSettings)
//   signal, text, legacy region, arrow, label and time-break lists
//   nameColumnWidth ... period line mode                           (kNameAndLabelSettings)
//   label suffix, label prefix, label start, label increment
//   flood style grid, edge offset table (one row per signal)
//   each clock has its own period, signalSpacing                    (version "010" ends here)
//   justification ... period lines solid, SVG scale, period divider ... topMargin
inline constexpr std::string_view kFormatTag = "SGM";
inline constexpr std::string_view kCurrentVersion = "012";
inline constexpr std::string_view kVersion010 = "010";
inline constexpr std::string_view kVersion011 = "011";
inline constexpr std::string_view kVersion009 = "009";

// A diagram has at most 256 rows; the other lists are bounded only to refuse absurd counts.
inline constexpr int kMaxListRecords = 65536;

using IntSetting = int model::DiagramSettings::*;

// The runs of integer settings between the other items, in file order.
namespace layout {
using S = model::DiagramSettings;

inline constexpr IntSetting kHeadSettings[] = {&S::cellWidth, &S::cellCount, &S::signalHeight, &S::spareStoredValue};
inline constexpr IntSetting kNameAndLabelSettings[] = {
    &S::nameColumnWidth,    &S::nameMargin,       &S::nameColumnChars,  &S::logoShown,       &S::dropShadow,
    &S::boundingRectShown, &S::cycleLabelsVisible, &S::labelsCustomized, &S::periodLineMode};
inline constexpr IntSetting kLabelCountSettings[] = {&S::labelStart, &S::labelIncrement};
inline constexpr IntSetting kVersion010TailSettings[] = {&S::eachClockOwnPeriod, &S::signalSpacing};
inline constexpr IntSetting kModuloSettings[] = {&S::nameJustification, &S::moduloCount, &S::moduloOffset,
                                                 &S::repeatModuloCount, &S::periodLinesSolid};
inline constexpr IntSetting kClosingSettings[] = {&S::periodDivider, &S::periodLinesPerLabel, &S::skipOffset,
                                                  &S::waveformWidth, &S::topMargin};

inline constexpr IntSetting kLayoutSizes[] = {
    &S::cellWidth,     &S::cellCount,   &S::signalHeight,  &S::signalSpacing,       &S::topMargin, &S::nameColumnWidth,
    &S::nameMargin,    &S::nameColumnChars, &S::waveformWidth, &S::periodDivider, &S::periodLinesPerLabel,
    &S::skipOffset};

} // namespace layout
} // namespace sigmora::io
