#include "model/ShuffleBag.h"

#include "platform/Clock.h"

int ShuffleBag::Next(int n)
{
    if (n <= 0)
        return 0;
    while (!bag_.empty() && bag_.front() >= n)
        bag_.erase(bag_.begin());
    if (bag_.empty()) {
        std::vector<int> remaining;
        remaining.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            remaining.push_back(i);
        for (int i = 0; i < n; ++i) {
            const unsigned a = clock_->TickCount() % static_cast<unsigned>(n - i);
            bag_.push_back(remaining[a]);
            remaining.erase(remaining.begin() + a);
        }
    }
    const int next = bag_.front();
    bag_.erase(bag_.begin());
    return next;
}
