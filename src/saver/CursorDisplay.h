#pragma once
#include <functional>

// The system keeps a display count for the cursor: each hide must be undone by a show. The window is asked
// about the cursor on every mouse move, so the answers are turned into count changes only when they change;
// otherwise hours of small moves pile up hides that the one show after the password dialog cannot undo.
class CursorDisplay {
public:
    // showCursor(visible) moves the count by one and returns the new count, as ShowCursor does.
    explicit CursorDisplay(std::function<int(bool)> showCursor) : showCursor_(std::move(showCursor)) { }

    void Apply(bool visible);

private:
    std::function<int(bool)> showCursor_;
    int state_ = -1; // -1 before the first answer, then 0 hidden or 1 shown
};
