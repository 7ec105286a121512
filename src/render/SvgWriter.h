#pragma once

#include <string>
#include <string_view>

#include "render/Geometry.h"

namespace sigmora::render {

// Which elements the current drawing pass writes into the SVG document.
enum class SvgPass {
    Off = 0,
    Main = 1,      // every drawing element
    Arrowheads = 2 // only the edge arrows of the waveforms
};

// Writes the SVG elements that the full redraw produces while an SVG export runs. The drawing
// code calls it beside its surface calls; every y it is given is a drawing coordinate and gets
// the SVG y offset added here. Ids come from one counter that each element with an id advances.
class SvgWriter {
public:
    static constexpr int kYOffset = 10;
    static constexpr int kFirstId = 4;

    SvgPass pass = SvgPass::Off;
    int idCounter = kFirstId;

    bool mainPass() const { return pass == SvgPass::Main; }
    bool arrowheadPass() const { return pass == SvgPass::Arrowheads; }

    const std::string& text() const { return out_; }
    std::string takeText();
    void append(std::string_view raw) { out_.append(raw); }

    // A waveform path: begun at the pen's start point, one entry per move or line.
    void beginPath(int x, int y);
    void pathMove(int x, int y);
    void pathLine(int x, int y);
    void endPath(bool dotted);

    void edgeArrow(const Point (&points)[3]);
    void periodLine(int x, int top, int bottom);
    void cycleLabel(int x, int y, std::string_view label);
    // Separator row strokes; style is the element's whole style attribute.
    void separatorLine(int x1, int x2, int y, std::string_view style);

    // A signal name: the text element, one tspan per line, the closing tag.
    void beginText(int x, int y, int pointSize, std::string_view face);
    void textSpan(int x, int y, std::string_view text);
    void endText();
    void activeLowBar(int x1, int x2, int y);

    // Text written into elements: as UTF-8 (the single-byte text of older diagrams converted)
    // with the XML special characters escaped.
    static std::string escaped(std::string_view text);

    // The id of the next element that carries one; advances the counter.
    int takeId();

private:
    std::string out_;
};

} // namespace sigmora::render
