#pragma once
#include "model/Random.h"

#include <vector>

// Hands out the given numbers in turn, starting again after the last.
class SequenceRandom final : public IRandom {
public:
    explicit SequenceRandom(std::vector<int> values) : values_(std::move(values)) { }
    int Next() override
    {
        const int v = values_[next_ % values_.size()];
        ++next_;
        return v;
    }

private:
    std::vector<int> values_;
    size_t next_ = 0;
};
