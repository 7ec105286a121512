#pragma once

#include <map>
#include <string>
#include <vector>

#include "io/dump/BusNumbers.h"
#include "model/Diagram.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::test {

// What each column of a row shows, one text per column: "0", "1", "z", "x" (hatched, or a level
// a 1-bit row cannot take), or for a bus the bits of the number attached on its run (read as
// the diagram wrote it), x without one. Column j is character j + 1.
inline std::vector<std::string> columnValues(const model::Diagram& d, int row, int columns)
{
    const std::string record = d.store.signals().get(row);
    const std::string_view w = model::signal::waveform(record);
    const std::string name(model::fields::nameOfRow(record));
    const render::Layout l = render::Layout::from(d.settings);
    std::map<int, std::string> texts; // by the column the text starts on
    model::ReaderReport ignored;
    for (const std::string& t : d.store.list(model::ListId::Texts).records())
        if (model::fields::textField(t, model::textfield::Attachment) == name)
            texts[(model::textbox::left(t, ignored) - l.waveOriginX()) / l.cellWidth] =
                model::textbox::message(t, ignored);
    bool bus = false;
    for (int k = 0; k <= columns; ++k)
        bus = bus || w[static_cast<std::size_t>(k)] == '3' || w[static_cast<std::size_t>(k)] == '4';
    std::vector<std::string> out;
    std::string runValue = "x";
    for (int j = 0; j < columns; ++j) {
        const char c = w[static_cast<std::size_t>(j + 1)];
        const int flood = d.store.floodStyles().get(row, j);
        if ((c == '3' || c == '4') && (j == 0 || w[static_cast<std::size_t>(j)] != c)) {
            runValue = "x";
            for (int k = j; k <= columns && w[static_cast<std::size_t>(k + 1)] == c; ++k)
                if (texts.count(k)) {
                    const std::string& text = texts[k];
                    // What the diagram shows and what the import wrote read as the same bits.
                    const io::BusNumber n = io::parseBusNumber(text);
                    runValue = n.ok ? n.bits : "?" + text;
                    break;
                }
        }
        if (flood >= 2 && flood <= 7)
            out.push_back("x");
        else if (c == '2')
            out.push_back("z");
        else if (c == '3' || c == '4')
            out.push_back(bus ? runValue : "x");
        else if (c == '0' || c == '1')
            out.push_back(bus ? (c == '0' ? "0" : "max") : std::string(1, c));
        else
            out.push_back("x");
    }
    return out;
}

} // namespace sigmora::test
