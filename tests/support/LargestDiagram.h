#pragma once

#include <random>
#include <string>

#include "model/Diagram.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"

namespace sigmora::test {

// The largest diagram: 256 rows with 600 drawn cells, every cell value and transition, clocks,
// slanted and ideal edges, edge arrows, differential and active-low rows, separators of every
// kind, multi-line names and moved edges. Another seed draws other cell values.
inline model::Diagram largestDiagram(int periodMode = 0, unsigned seed = 42)
{
    model::Diagram d;
    d.settings.waveformWidth = 600 * d.settings.cellWidth;
    d.settings.periodLineMode = periodMode;
    d.settings.signalSeparatorLines = 1;
    d.settings.waveformSeparatorLines = 1;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, 4);
    for (int i = 0; i < model::kMaxRows; ++i) {
        if (i % 16 == 15) {
            d.store.signals().append("separator " + std::to_string(i) + "\t\t\t\t\tSEP_0.0.1.Arial." +
                                     std::to_string(i / 16 % 4) + ".1.0.0.0.1.");
            continue;
        }
        if (i % 8 == 0) {
            d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Clock " + std::to_string(i), 1));
            d.store.edgeOffsets().set(i, 1, i % 3);
            continue;
        }
        std::string cells(600, '0');
        for (char& c : cells)
            c = static_cast<char>('0' + value(random));
        const std::string name = "Signal " + std::to_string(i) + (i % 3 == 0 ? "\\nsecond line" : "");
        d.store.signals().append(model::fields::joinRow(
            name, "DATA_0_." + cells + ".0." + std::to_string(i % 2) + ".Arial.10.1.1.0.0.8421504.N/A.0.0.0." +
                      std::to_string(i % 5 == 0 ? 1 : 0) + "." + std::to_string(i % 7 == 0 ? 1 : 0) + "."));
        for (int k = 0; k < model::kMaxCells; k += 37)
            d.store.edgeOffsets().set(i, k, (k % 2 == 0) ? 2 : -2);
    }
    return d;
}

// The largest diagram with every annotation list full: 256 text boxes (no outline, plain and
// rounded), 256 arrows mixing the Bezier, straight and angled styles, 256 setup/hold labels, 256
// time breaks and flood fills (every style) on half the cells of every row. Another seed draws
// other cell values and moves the flood styles along.
inline model::Diagram largestAnnotatedDiagram(unsigned seed = 42)
{
    model::Diagram d = largestDiagram(0, seed);
    constexpr int kCount = 256;
    // Rows whose names are single words of the generator: signals and clocks, not separators.
    auto rowName = [](int k) {
        int i = 1 + (k * 7) % 250;
        while (i % 16 == 15 || (i % 8 != 0 && i % 3 == 0))
            ++i;
        return (i % 8 == 0 ? "Clock " : "Signal ") + std::to_string(i);
    };
    auto n = [](int v) { return std::to_string(v); };
    for (int k = 0; k < kCount; ++k) {
        const int cell = (k * 37) % 590;
        const int left = 110 + cell * d.settings.cellWidth, top = 20 + (k % 250) * 44;
        d.store.list(model::ListId::Texts)
            .append(n(left) + "." + n(top) + "." + n(left + 80) + "." + n(top + 14) + ".Text " + n(k) +
                    ".SigmoraNone.     0.Arial.8.0.0." + n(k % 3) + "." + n(k % 3) + ".0.0.0.");
        d.store.list(model::ListId::Arrows)
            .append(n(cell) + "." + rowName(k) + "." + n(cell + 5) + "." + rowName(k + 3) + "." + n(k % 4) + ".0." +
                    n(k % 3) + "." + n(k % 2) + ".0.0.0.0.0.0.");
        d.store.list(model::ListId::Labels)
            .append(n(cell) + "." + rowName(k + 1) + "." + n(cell + 4) + "." + rowName(k + 1) + ".2.0." + n(k % 20) + "." +
                    n(k % 2) + "." + n(k % 3) + ".0.0." + n(k % 2) + ".");
        d.store.list(model::ListId::TimeBreaks).append(n(cell + 2) + "." + rowName(k + 2) + ".");
    }
    for (int row = 0; row < model::kMaxRows; ++row)
        for (int cell = row % 2; cell < model::kMaxCells; cell += 2)
            d.store.floodStyles().set(row, cell, 1 + (cell / 2 + row + static_cast<int>(seed)) % 7);
    return d;
}

// The largest annotated diagram that knows its time: every one of its 256 labels measures itself
// in its caption ("t = {t}"), a 256-row parameter table binds each label (every fourth one
// violated), and the time ruler and the table are shown.
inline model::Diagram largestTimedDiagram()
{
    model::Diagram d = largestAnnotatedDiagram();
    const int labels = d.store.list(model::ListId::Labels).count();
    for (int k = 0; k < labels; ++k) {
        d.store.list(model::ListId::Texts)
            .append("0.0.0.0.t = {t}.WFLabel*" + std::to_string(k) + "*.     0.Arial.8.0.0.0.0.0.0.0.");
        model::TimingParameter p;
        p.symbol = "t_{P" + std::to_string(k) + "}";
        p.description = "parameter " + std::to_string(k);
        p.min = k % 4 == 0 ? 100.0 : 1.0; // the labels span four cells, 20 ns
        p.max = 50;
        p.label = k;
        d.extension.parameters.push_back(p);
    }
    d.extension.halfPeriodFs = 5'000'000;
    d.extension.timeRuler = true;
    d.extension.parameterTable = true;
    d.settings.topMargin = 40;
    return d;
}

} // namespace sigmora::test
