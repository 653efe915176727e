#include "transitions/TransitionEngine.h"

#include "transitions/EffectNames.h"

namespace {

// Each effect family registers its indices here: first index, last index, function.
struct EffectRange {
    int first;
    int last;
    EffectFunction function;
};

const EffectRange kEffectRanges[] = {
    {0, -1, nullptr}, // placeholder keeping the table non-empty until the first family lands
};

EffectFunction g_overrides[kEffectCount] = {};

} // namespace

EffectFunction SetEffectOverride(int index, EffectFunction effect)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    EffectFunction previous = g_overrides[index];
    g_overrides[index] = effect;
    return previous;
}

EffectFunction FindEffect(int index)
{
    if (index < 0 || index >= kEffectCount)
        return nullptr;
    if (g_overrides[index])
        return g_overrides[index];
    for (const EffectRange& range : kEffectRanges) {
        if (index >= range.first && index <= range.last)
            return range.function;
    }
    return nullptr;
}
