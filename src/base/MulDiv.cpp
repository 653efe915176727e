#include "base/MulDiv.h"

#include <cstdlib>
#include <limits>

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    if (magnitude > std::numeric_limits<int>::max())
        return -1; // as MulDiv reports an overflow; a stored size must not turn into a wrapped height
    return static_cast<int>(negative ? -magnitude : magnitude);
}
