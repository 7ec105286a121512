#pragma once

#include <functional>
#include <optional>

#include "edit/session/InteractionState.h"
#include "edit/session/Session.h"
#include "render/AnnotationHits.h"

// What the press side and the move and release side of the mouse pipeline share: how far from a
// border line a press still takes hold of it, and the handles under the pointer.
namespace sigmora::edit::pointer {

constexpr int kBorderTolerance = 3;      // pixels either side of a border line that take hold of it
constexpr int kNameBorderWidth = 6;      // the grip left of the waveform origin
constexpr int kBottomReach = 4;          // how far below B the right edge and name column reach
constexpr int kMinimumTopMargin = 20;

inline bool near(int v, int line)
{
    return line - kBorderTolerance < v && v < line + kBorderTolerance;
}

inline Hover hoverOf(render::Handle h)
{
    switch (h) {
    case render::Handle::Begin: return Hover::HandleBegin;
    case render::Handle::End: return Hover::HandleEnd;
    case render::Handle::Middle: return Hover::HandleMiddle;
    }
    return Hover::None;
}

// The handle of the drawn handle rectangles that (x, y) lies strictly inside, if any.
inline std::optional<Hover> handleAt(const std::function<std::optional<render::HandleRects>()>& handles, int x, int y)
{
    const auto rects = handles ? handles() : std::nullopt;
    if (!rects)
        return std::nullopt;
    if (const auto h = rects->hit({x, y}))
        return hoverOf(*h);
    return std::nullopt;
}

inline model::RecordList& list(Session& e, model::ListId id)
{
    return e.diagram().store.list(id);
}

} // namespace sigmora::edit::pointer
