#include "saver/CursorDisplay.h"

void CursorDisplay::Apply(bool visible)
{
    if (state_ == int(visible))
        return;
    state_ = int(visible);
    // The count need not start at 0: it starts below 0 without a mouse, and other windows may hide the
    // cursor on every move too. Step until the cursor is as asked; a count that does not move is left.
    int count = showCursor_(visible);
    while (visible ? count < 0 : count >= 0) {
        const int next = showCursor_(visible);
        if (next == count)
            break;
        count = next;
    }
}
