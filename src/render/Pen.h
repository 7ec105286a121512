#pragma once

#include "model/Colour.h"

namespace sigmora::render {

using model::Colour;

enum class PenStyle { Solid, Dotted, Null };

struct Pen {
    int width = 1;
    Colour colour = model::kBlack;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;

    static Pen solid(Colour c, int w = 1) { return {w, c, PenStyle::Solid}; }
    static Pen dotted(Colour c) { return {1, c, PenStyle::Dotted}; }
    static Pen none() { return {0, model::kBlack, PenStyle::Null}; }
};

enum class BrushStyle {
    Solid,
    Null,
    HatchHorizontal,
    HatchVertical,
    HatchForwardDiagonal,
    HatchBackwardDiagonal,
    HatchCross,
    HatchDiagonalCross,
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Colour colour = model::kWhite;
    bool operator==(const Brush&) const = default;

    static Brush solid(Colour c) { return {BrushStyle::Solid, c}; }
    static Brush none() { return {BrushStyle::Null, model::kBlack}; }
};

} // namespace sigmora::render
