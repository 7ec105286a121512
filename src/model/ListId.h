#pragma once

namespace sigmora::model {

// The eight record lists of a diagram, by the identifier that also fixes their order in files.
enum class ListId {
    Signals = 1000,
    Texts = 1001,
    Arrows = 1002,
    LegacyRegions = 1003,
    Delays = 1004,
    CopyBuffer = 1009,
    Labels = 1012,
    TimeBreaks = 1014,
};

inline constexpr ListId kAllLists[] = {ListId::Signals,    ListId::Texts,      ListId::Arrows,
                                       ListId::LegacyRegions, ListId::Delays, ListId::CopyBuffer,
                                       ListId::Labels,     ListId::TimeBreaks};

} // namespace sigmora::model
