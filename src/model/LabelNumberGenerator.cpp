#include "model/LabelNumberGenerator.h"

#include "model/Diagram.h"

namespace sigmora::model {

namespace {
// Settings read from a file can be any integers: label values wrap around as 32-bit integers do.
int wrappingAdd(int a, int b)
{
    return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}
} // namespace

LabelNumbers generateLabelNumbers(const LabelNumberRule& rule)
{
    LabelNumbers numbers{};
    int value = rule.start;
    int sinceJump = 0;
    int jumps = 0;
    for (int& entry : numbers) {
        entry = value;
        int next = wrappingAdd(value, rule.increment);
        ++sinceJump;
        if (rule.moduloCount > 0 && sinceJump >= rule.moduloCount) {
            sinceJump = 0;
            bool jump = rule.repeatCount == 0 || jumps < rule.repeatCount;
            ++jumps;
            if (jump)
                next = rule.moduloOffset <= 0 ? rule.start : wrappingAdd(value, rule.moduloOffset);
        }
        value = next;
    }
    return numbers;
}

LabelNumberRule labelNumberRule(const DiagramSettings& s)
{
    return {s.labelStart, s.labelIncrement, s.moduloCount, s.moduloOffset, s.repeatModuloCount};
}

LabelNumbers defaultLabelNumbers()
{
    LabelNumbers numbers{};
    for (int k = 0; k < kMaxCells; ++k)
        numbers[static_cast<size_t>(k)] = k + 1;
    return numbers;
}

void regenerateLabelNumbers(Diagram& d)
{
    d.labelNumbers = generateLabelNumbers(labelNumberRule(d.settings));
}

} // namespace sigmora::model
