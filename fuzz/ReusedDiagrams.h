#pragma once

#include "model/Diagram.h"

namespace sigmora::fuzz {

// One of three diagrams kept for the whole run and cleared for each input: a fresh diagram would
// allocate its two grids for every input.
inline model::Diagram& reusedDiagram(int which)
{
    static model::Diagram* diagrams = new model::Diagram[3];
    model::Diagram& d = diagrams[which];
    d.store.clearForNew();
    d.settings = model::DiagramSettings{};
    return d;
}

} // namespace sigmora::fuzz
