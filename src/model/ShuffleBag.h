#pragma once
#include <cstddef>
#include <optional>
#include <vector>

class IClock;

// Shuffled playlist order: every index 0..n-1 comes once per cycle before any repeats.
// The draws use the millisecond tick, as many draws within one millisecond share a value.
class ShuffleBag {
public:
    explicit ShuffleBag(IClock& clock) : clock_(&clock) { }

    // The next index for a list of n items (0 for n = 0). A bag filled for a longer list drops the
    // indices that no longer exist.
    int Next(int n);
    // The index Next(n) gives next while the bag holds one; none when it would fill the bag anew, which
    // depends on the clock at that time.
    std::optional<int> Peek(int n) const;
    void Clear() { bag_.clear(); }
    size_t Remaining() const { return bag_.size(); }

private:
    IClock* clock_;
    std::vector<int> bag_;
};
