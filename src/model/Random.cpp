#include "model/Random.h"

#include <cstdlib>

namespace {
class CRuntimeRandom final : public IRandom {
public:
    int Next() override { return std::rand(); }
};
} // namespace

IRandom& StandardRandom()
{
    static CRuntimeRandom random;
    return random;
}
