#include "saver/CursorDisplay.h"

namespace {
// Others may move the count too; a count that far off is not chased further.
constexpr int kMaxSteps = 1000;
}

void CCursorDisplay::Apply(bool visible)
{
    if (state_ == int(visible))
        return;
    state_ = int(visible);
    // The count need not start at 0 (it starts below 0 without a mouse): step until the cursor is as asked.
    for (int i = 0; i < kMaxSteps; ++i) {
        const int count = showCursor_(visible);
        if (visible ? count >= 0 : count < 0)
            break;
    }
}
