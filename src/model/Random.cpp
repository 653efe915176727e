#include "model/Random.h"

#include <cstdlib>

namespace {
class RuntimeRandom final : public IRandom {
public:
    int Next() override { return std::rand(); }
};
} // namespace

IRandom& StandardRandom()
{
    static RuntimeRandom random;
    return random;
}
