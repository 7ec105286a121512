#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Diagram.h"
#include "model/RowFactory.h"

namespace sigmora::test {

// Bytes of the native layout, spelled out independently of the writer.
inline std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff), static_cast<char>((v >> 16) & 0xff),
            static_cast<char>(v >> 24)};
}
inline std::string le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
}
inline std::string archived(std::string_view text)
{
    std::string out;
    if (text.size() < 255)
        out += static_cast<char>(text.size());
    else if (text.size() < 65534)
        out += "\xff" + le16(static_cast<std::uint16_t>(text.size()));
    else
        out += "\xff\xff\xff" + le32(static_cast<std::uint32_t>(text.size()));
    return out + std::string(text);
}

inline const std::string kTextBox = "130.40.190.56.Hello~QorWFPeriod~ world.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.";

// A diagram that uses every stored item: rows of each kind, every list, both grids and every
// stored setting away from its start value.
inline model::Diagram fullDiagram(int rows = 4)
{
    model::Diagram d;
    auto& store = d.store;
    for (int i = 0; i < rows; ++i) {
        const auto kind = static_cast<model::NewRowKind>(i % 3);
        store.signals().append(model::buildRowRecord(kind, "Row~QorWFPeriod~" + std::to_string(i), 1));
    }
    store.list(model::ListId::Texts).append(kTextBox);
    store.list(model::ListId::Arrows).append("3.Row~QorWFPeriod~0.7.Row~QorWFPeriod~1.0.0.1.0.0.0.0.0.0.0.");
    store.list(model::ListId::LegacyRegions).append("4.Row~QorWFPeriod~1.2.");
    store.list(model::ListId::Labels).append("2.Row~QorWFPeriod~0.6.Row~QorWFPeriod~1.2.0.0.1.0.0.0.1.");
    store.list(model::ListId::TimeBreaks).append("5.Row~QorWFPeriod~0.");
    store.list(model::ListId::CopyBuffer).append("sig.not stored");
    for (int r = 0; r < rows; ++r) {
        store.floodStyles().set(r, (r * 7) % 600, r + 1);
        store.edgeOffsets().set(r, 1, 5 + r);
        store.edgeOffsets().set(r, 599, -5 - r);
    }
    auto& s = d.settings;
    s.cellWidth = 40;
    s.cellCount = 30;
    s.signalHeight = 20;
    s.spareStoredValue = 0;
    s.nameColumnWidth = 140;
    s.nameMargin = 6;
    s.nameColumnChars = 11;
    s.logoShown = 0;
    s.dropShadow = 1;
    s.boundingRectShown = 0;
    s.cycleLabelsVisible = 0;
    s.labelsCustomized = 1;
    s.periodLineMode = 6;
    s.labelSuffix = "ns";
    s.labelPrefix = "T";
    s.labelStart = 3;
    s.labelIncrement = 2;
    s.eachClockOwnPeriod = 0;
    s.signalSpacing = 14;
    s.nameJustification = 1;
    s.moduloCount = 4;
    s.moduloOffset = 1;
    s.repeatModuloCount = 2;
    s.periodLinesSolid = 1;
    s.svgScale = 1.5f;
    s.periodDivider = 3;
    s.periodLinesPerLabel = 2;
    s.skipOffset = 2;
    s.waveformWidth = 1200;
    s.topMargin = 24;
    return d;
}

} // namespace sigmora::test
