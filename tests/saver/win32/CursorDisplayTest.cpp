#include "saver/CursorDisplay.h"

#include <windows.h>
#include <gtest/gtest.h>

TEST(CursorDisplayOnWindows, TheCursorIsShownAgainAfterManyHideAnswers)
{
    const int start = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    {
        CursorDisplay cursor([](bool show) { return ShowCursor(show ? TRUE : FALSE); });
        for (int i = 0; i < 300; ++i) {
            cursor.Apply(false);
            ShowCursor(FALSE); // another window hiding it on every move as well
        }
        EXPECT_LT(ShowCursor(TRUE) - 1, 0);
        ShowCursor(FALSE);
        cursor.Apply(true);
        EXPECT_GE(ShowCursor(TRUE) - 1, 0);
        ShowCursor(FALSE);
    }
    // Back to where the test found it.
    int now = ShowCursor(TRUE);
    while (now > start)
        now = ShowCursor(FALSE);
    while (now < start)
        now = ShowCursor(TRUE);
}
