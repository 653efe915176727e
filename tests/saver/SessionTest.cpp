#include "ShowFixture.h"

using Session = ShowFixture;

TEST_F(Session, TimeLimitationEndsTheShowAndTheTaskbarIsHiddenMeanwhile)
{
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 2;
    Start();
    EXPECT_FALSE(show->TaskbarVisible());
    loop.RunUntil(119999);
    EXPECT_FALSE(loop.QuitRequested());
    loop.RunUntil(120000);
    EXPECT_TRUE(loop.QuitRequested());
}

TEST_F(Session, NoTimeLimitationWhenItIsOffOrZeroMinutes)
{
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 0;
    Start();
    EXPECT_FALSE(loop.TimerRunning(SaverTimer::kTimeLimit));
}

TEST_F(Session, PreviewKeepsTheTaskbarAndHasNoTimeLimit)
{
    options.mode = StartMode::Preview;
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 1;
    Start();
    EXPECT_TRUE(show->TaskbarVisible());
    EXPECT_FALSE(loop.TimerRunning(SaverTimer::kTimeLimit));
    EXPECT_EQ(presented.size(), 1u); // the show itself runs
}

TEST_F(Session, ProgramModeHidesTheTaskbarRunsTheTimeLimitAndEndsOnEscape)
{
    options.mode = StartMode::Program;
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 1;
    Start();
    EXPECT_FALSE(show->TaskbarVisible());
    EXPECT_TRUE(loop.TimerRunning(SaverTimer::kTimeLimit));
    show->MoveCursor(900, 900);
    loop.RunEvents(1);
    EXPECT_FALSE(show->Destroyed());
    show->KeyDown(SaverKey::kEscape);
    EXPECT_TRUE(show->Destroyed());
    EXPECT_TRUE(show->TaskbarVisible());
}

TEST_F(Session, KeyWithinTheGracePeriodEndsTheShowWithoutPassword)
{
    Start();
    loop.RunUntil(10000);
    show->KeyDown('K');
    loop.RunEvents(1);
    EXPECT_TRUE(show->Destroyed());
    EXPECT_EQ(show->PasswordChecks(), 0);
}

TEST_F(Session, WrongPasswordLetsTheShowGoOn)
{
    options.displayTime = 0;
    Start();
    loop.RunUntil(20000);
    show->passwordAnswer = false;
    show->cursorAfterPassword = std::make_pair(50, 60);
    show->MoveCursor(30, 0);
    loop.RunEvents(2); // the movement, then the close it posted
    EXPECT_EQ(show->PasswordChecks(), 1);
    EXPECT_FALSE(show->Destroyed());
    EXPECT_FALSE(show->CursorShown());
    const size_t before = presented.size();
    loop.RunUntil(30000);
    EXPECT_GT(presented.size(), before);
    show->passwordAnswer = true;
    show->MoveCursor(50, 100);
    loop.RunEvents(2);
    EXPECT_TRUE(show->Destroyed());
}

TEST_F(Session, TimeLimitBeyondOneTimerPeriodEndsTheShowOnTime)
{
    items = {{1, "still.x"}}; // nothing finishes: only the time limitation acts
    settings.timeLimit = 1;
    settings.timeLimitMinutes = 71583; // its milliseconds exceed 32 bits
    Start();
    const uint64_t limit = 71583ull * 60000u;
    loop.RunUntil(60000);
    EXPECT_FALSE(loop.QuitRequested());
    loop.RunUntil(limit - 1);
    EXPECT_FALSE(loop.QuitRequested());
    loop.RunUntil(limit);
    EXPECT_TRUE(loop.QuitRequested());
}

TEST_F(Session, DisplayTimeBeyondTheTimerRangeNeverWrapsIntoAShortOne)
{
    options.displayTime = 4294968; // seconds: a product in 32 bits would be 704 ms
    Start();
    loop.RunUntil(600000);
    EXPECT_EQ(PresentedFiles(), (std::vector<std::string>{"a.jpg"}));
    EXPECT_TRUE(loop.TimerRunning(SaverTimer::kDisplayTime));
}

TEST_F(Session, PasswordIsAskedAfterTheShowHasRunForMoreThanTheTickCountSpan)
{
    options.displayTime = 3600;
    Start();
    // 49.7 days and 4 s: the tick count has come round to 4 s after the start.
    loop.RunUntil((uint64_t(1) << 32) + 4000);
    ASSERT_FALSE(show->Destroyed());
    show->KeyDown('K');
    loop.RunEvents(1);
    EXPECT_EQ(show->PasswordChecks(), 1);
    EXPECT_TRUE(show->Destroyed());
}
