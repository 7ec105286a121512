#include "model/LabelNumberGenerator.h"

namespace sigmora::model {

LabelNumbers generateLabelNumbers(const LabelNumberRule& rule)
{
    LabelNumbers numbers{};
    int value = rule.start;
    int sinceJump = 0;
    int jumps = 0;
    for (int& entry : numbers) {
        entry = value;
        int next = value + rule.increment;
        ++sinceJump;
        if (rule.moduloCount > 0 && sinceJump >= rule.moduloCount) {
            sinceJump = 0;
            bool jump = rule.repeatCount == 0 || jumps < rule.repeatCount;
            ++jumps;
            if (jump)
                next = rule.moduloOffset <= 0 ? rule.start : value + rule.moduloOffset;
        }
        value = next;
    }
    return numbers;
}

LabelNumbers defaultLabelNumbers()
{
    LabelNumbers numbers{};
    for (int k = 0; k < kMaxCells; ++k)
        numbers[static_cast<size_t>(k)] = k + 1;
    return numbers;
}

} // namespace sigmora::model
