#include "saver/CursorDisplay.h"

#include <gtest/gtest.h>

TEST(CursorDisplay, RepeatedAnswersMoveTheCountOnceSoOneShowUndoesHoursOfHides)
{
    int count = 0;
    int calls = 0;
    CursorDisplay cursor([&](bool show) {
        ++calls;
        return show ? ++count : --count;
    });
    for (int i = 0; i < 5000; ++i)
        cursor.Apply(false); // a mouse jiggling below the move threshold
    EXPECT_EQ(count, -1);
    cursor.Apply(true); // the password dialog comes up
    EXPECT_EQ(count, 0);
    cursor.Apply(false);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(calls, 3);
}

TEST(CursorDisplay, CountThatStartsElsewhereIsSteppedUntilTheCursorIsAsAsked)
{
    int count = -1; // no mouse installed
    CursorDisplay cursor([&](bool show) { return show ? ++count : --count; });
    cursor.Apply(false);
    EXPECT_EQ(count, -2);
    cursor.Apply(true);
    EXPECT_EQ(count, 0);

    count = 3; // shown by others several times over
    CursorDisplay other([&](bool show) { return show ? ++count : --count; });
    other.Apply(false);
    EXPECT_EQ(count, -1);

    // Hidden many times over by another window: one answer brings it all the way back.
    count = -250000;
    other.Apply(true);
    EXPECT_EQ(count, 0);

    // A count that does not move is not chased for ever.
    int calls = 0;
    CursorDisplay broken([&](bool) { return ++calls, 5; });
    broken.Apply(false);
    EXPECT_EQ(calls, 2);
}
