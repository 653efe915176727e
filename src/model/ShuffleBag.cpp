#include "model/ShuffleBag.h"

#include "platform/Clock.h"

#include <algorithm>

namespace {

// The entries 0..n-1 still in the list, as a Fenwick tree of counts, so taking the a-th remaining entry
// costs log n instead of shifting the rest of the list down: a refill stays quick for large playlists.
class RemainingEntries {
public:
    explicit RemainingEntries(int n) : tree_(static_cast<size_t>(n) + 1)
    {
        for (size_t i = 1; i < tree_.size(); ++i)
            tree_[i] = static_cast<int>(i & (~i + 1)); // every entry present once
        top_ = 1;
        while (top_ * 2 < tree_.size())
            top_ *= 2;
    }

    // Removes and returns the a-th (from 0) entry still in the list.
    int Take(unsigned a)
    {
        size_t pos = 0;
        for (size_t step = top_; step > 0; step /= 2) {
            if (pos + step < tree_.size() && static_cast<unsigned>(tree_[pos + step]) <= a) {
                pos += step;
                a -= static_cast<unsigned>(tree_[pos]);
            }
        }
        for (size_t i = pos + 1; i < tree_.size(); i += i & (~i + 1))
            --tree_[i];
        return static_cast<int>(pos);
    }

private:
    std::vector<int> tree_;
    size_t top_ = 1;
};

} // namespace

std::optional<int> ShuffleBag::Peek(int n) const
{
    for (auto it = bag_.rbegin(); it != bag_.rend(); ++it) {
        if (*it < n)
            return *it;
    }
    return std::nullopt;
}

int ShuffleBag::Next(int n)
{
    if (n <= 0)
        return 0;
    // The bag is kept in reverse, its next entry last.
    while (!bag_.empty() && bag_.back() >= n)
        bag_.pop_back();
    if (bag_.empty()) {
        RemainingEntries remaining(n);
        bag_.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            bag_.push_back(remaining.Take(clock_->TickCount() % static_cast<unsigned>(n - i)));
        std::reverse(bag_.begin(), bag_.end());
    }
    const int next = bag_.back();
    bag_.pop_back();
    return next;
}
