#include "model/Diagram.h"

#include "model/LabelNumberGenerator.h"

namespace sigmora::model {

LabelNumbers Diagram::defaultLabelNumbersValue()
{
    return defaultLabelNumbers();
}

void Diagram::resetForNew()
{
    store.clearForNew();
    settings.resetForNew();
    extension = {};
    labelNumbers = defaultLabelNumbers();
    modified = false;
}

} // namespace sigmora::model
