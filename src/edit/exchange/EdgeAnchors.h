#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace sigmora::edit {

// Where a point on a row goes when the row's cells are drawn anew from a later simulation. A
// point at cell boundary c (between waveform characters c and c + 1, where arrows, labels and time
// breaks sit) that is on an edge of the row, the n-th from the window's start, goes to the n-th
// edge of the new cells; a point on no edge keeps its boundary (the same time in the window).
class EdgeAnchors {
public:
    // waveform: the old and the new cells of the row, as its record holds them (the level entering
    // the first column first); columns: how many columns each drawing shows.
    EdgeAnchors(std::string_view oldWaveform, int oldColumns, std::string_view newWaveform, int newColumns);

    // The boundaries at which a row's level or bus value changes, first to last.
    static std::vector<int> edgesOf(std::string_view waveform, int columns);

    // The new boundary of a point at boundary c; nothing when it was on an edge the new cells no
    // longer have.
    std::optional<int> place(int boundary) const;
    // Whether the point at boundary c is on one of the old edges.
    bool onEdge(int boundary) const;

private:
    std::vector<int> oldEdges_;
    std::vector<int> newEdges_;
};

} // namespace sigmora::edit
