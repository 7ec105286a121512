#pragma once

#include "model/DiagramExtension.h"
#include "model/DiagramSettings.h"
#include "model/ObjectStore.h"

namespace sigmora::model {

// The diagram's content: the object store, the settings, what it holds beyond the file layout's
// items, the label numbers and the modified flag.
class Diagram {
public:
    Diagram() : labelNumbers(defaultLabelNumbersValue()) {}

    ObjectStore store;
    DiagramSettings settings;
    DiagramExtension extension;
    LabelNumbers labelNumbers;
    bool modified = false;

    // Clears the store (the delay list excepted) and puts back the values New resets.
    void resetForNew();

private:
    static LabelNumbers defaultLabelNumbersValue();
};

} // namespace sigmora::model
