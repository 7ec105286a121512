#include "edit/exchange/EdgeAnchors.h"

#include <algorithm>

namespace sigmora::edit {

EdgeAnchors::EdgeAnchors(std::string_view oldWaveform, int oldColumns, std::string_view newWaveform, int newColumns)
    : oldEdges_(edgesOf(oldWaveform, oldColumns)), newEdges_(edgesOf(newWaveform, newColumns))
{
}

std::vector<int> EdgeAnchors::edgesOf(std::string_view waveform, int columns)
{
    std::vector<int> edges;
    const int last = std::min(columns, static_cast<int>(waveform.size()) - 1);
    for (int c = 0; c < last; ++c)
        if (waveform[static_cast<std::size_t>(c)] != waveform[static_cast<std::size_t>(c) + 1])
            edges.push_back(c);
    return edges;
}

bool EdgeAnchors::onEdge(int boundary) const
{
    return std::binary_search(oldEdges_.begin(), oldEdges_.end(), boundary);
}

std::optional<int> EdgeAnchors::place(int boundary) const
{
    const auto it = std::lower_bound(oldEdges_.begin(), oldEdges_.end(), boundary);
    if (it == oldEdges_.end() || *it != boundary)
        return boundary;
    const std::size_t n = static_cast<std::size_t>(it - oldEdges_.begin());
    if (n >= newEdges_.size())
        return std::nullopt;
    return newEdges_[n];
}

} // namespace sigmora::edit
