#pragma once

#include <string>
#include <string_view>

#include "model/Colour.h"

namespace sigmora::edit {

// Anchor codes of arrow and label ends.
inline constexpr int kAnchorCentre = 0;
inline constexpr int kAnchorFloating = 1;

// Every field of a complete arrow record.
struct ArrowRecord {
    std::string beginCell, beginName, endCell, endName;
    int head = 0;  // 0 at the end, 1 at the beginning, 2 both, 3 none
    model::Colour colour = 0;
    int kind = 0;  // 0 bezier, 1 straight, 2 angled
    int bend = 0;
    int beginAnchor = 0;
    int endAnchor = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    static ArrowRecord read(std::string_view record);
    std::string write() const;
    std::string beginPoint() const { return beginCell + "." + beginName + "."; }
    std::string endPoint() const { return endCell + "." + endName + "."; }
};

} // namespace sigmora::edit
