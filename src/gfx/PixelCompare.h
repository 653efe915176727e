// Whether two runs of pixels agree, four pixels at a time where the processor allows.
#pragma once

#include <cstdint>

// Whether a[i] and b[i] have the same colour for every i below count: the unused fourth byte carries nothing.
bool SameColours(const uint32_t* a, const uint32_t* b, int64_t count);
