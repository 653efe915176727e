#include "saver/CloseEvents.h"
#include "model/UserSettings.h"
#include "saver/MonitorRect.h"
#include "saver/SaverMessages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class FakeWindow : public ICloseHost {
public:
    uint32_t tick = 5000;
    int32_t x = 300, y = 200;
    int closesPosted = 0;
    int destroyed = 0;
    int passwordChecks = 0;
    int cursorRefreshes = 0;
    bool passwordRight = true;
    std::function<void()> duringPassword;

    uint32_t TickCount() override { return tick; }
    void GetCursorPos(int32_t& cx, int32_t& cy) override
    {
        cx = x;
        cy = y;
    }
    void SetCursorPos(int32_t cx, int32_t cy) override
    {
        x = cx;
        y = cy;
    }
    void PostClose() override { ++closesPosted; }
    void RefreshCursor() override { ++cursorRefreshes; }
    bool VerifyPassword() override
    {
        ++passwordChecks;
        if (duringPassword)
            duringPassword();
        return passwordRight;
    }
    void Destroy() override { ++destroyed; }
};

class CloseEventsTest : public ::testing::Test {
protected:
    FakeWindow window;
    UserSettings settings;

    // A window that has come up and whose pointer has settled.
    CloseEvents Make(StartMode mode = StartMode::Saver)
    {
        CloseEvents events(window, settings, mode);
        events.OnCreate();
        events.OnShown();
        window.tick += CloseEvents::kPointerSettleMs;
        return events;
    }
    void OnlyMouseMove()
    {
        settings.anyEvent = 0;
        settings.mouseMove = 1;
        settings.mouseLeftClick = settings.mouseRightClick = settings.mouseDoubleClick = 0;
        settings.escKey = settings.enterKey = settings.specifiedKey = 0;
    }
};

} // namespace

TEST_F(CloseEventsTest, CreationRecordsStartTimeAndPutsTheCursorAtTheOriginInSaver)
{
    Make();
    EXPECT_EQ(settings.startTime, 5000u);
    EXPECT_EQ(settings.referencePoint.x, 0);
    EXPECT_EQ(settings.referencePoint.y, 0);

    window.x = 40;
    CloseEvents program(window, settings, StartMode::Program);
    program.OnCreate();
    EXPECT_EQ(settings.referencePoint.x, 40); // the cursor is left where it is
}

TEST_F(CloseEventsTest, WithOnlyMouseMoveAClickDoesNotCloseButMovingBeyondTheThresholdDoes)
{
    OnlyMouseMove();
    CloseEvents e = Make();
    for (uint32_t m : {SaverMsg::kLButtonDown, SaverMsg::kRButtonUp, SaverMsg::kMButtonDown, SaverMsg::kLButtonDblClk})
        e.OnMouse(m);
    EXPECT_EQ(window.closesPosted, 0);
    window.x = 20;
    window.y = -20; // exactly the threshold in both directions
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 0);
    window.y = -21;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_TRUE(settings.closeRequested);
}

TEST_F(CloseEventsTest, PointerReportsWhileTheWindowComesUpOnlyTellWhereThePointerIs)
{
    // The show put the cursor at the origin, but showing the window reports it where it really is.
    CloseEvents e(window, settings, StartMode::Saver);
    e.OnCreate();
    window.x = 640;
    window.y = 512;
    e.OnMouse(SaverMsg::kMouseMove);
    e.OnShown();
    window.tick += CloseEvents::kPointerSettleMs - 1;
    window.x = 700;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 0);
    EXPECT_EQ(settings.referencePoint.x, 700);

    window.tick += 1;
    window.x = 720;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 0) << "within the threshold of where the pointer settled";
    window.x = 721;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(CloseEventsTest, FarApartCoordinatesStillCountAsMovement)
{
    OnlyMouseMove();
    CloseEvents e = Make();
    settings.referencePoint = {INT32_MIN, 0};
    window.x = INT32_MAX;
    window.y = 0;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(CloseEventsTest, EachMouseButtonFollowsItsOwnSetting)
{
    OnlyMouseMove();
    settings.mouseMove = 0;
    CloseEvents e = Make();
    settings.mouseLeftClick = 1; // read live
    e.OnMouse(SaverMsg::kMButtonUp);
    EXPECT_EQ(window.closesPosted, 1);
    e.OnMouse(SaverMsg::kRButtonDown);
    e.OnMouse(SaverMsg::kRButtonDblClk);
    EXPECT_EQ(window.closesPosted, 1);
    settings.mouseDoubleClick = 1;
    e.OnMouse(SaverMsg::kRButtonDblClk);
    EXPECT_EQ(window.closesPosted, 2);
    settings.mouseRightClick = 1;
    e.OnMouse(SaverMsg::kRButtonUp);
    EXPECT_EQ(window.closesPosted, 3);
    window.x = 500; // movement with mouseMove off
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 3);
}

TEST_F(CloseEventsTest, ReturnAndEscapeAreSwallowedInSaverWhetherOrNotTheyClose)
{
    OnlyMouseMove();
    CloseEvents e = Make();
    EXPECT_TRUE(e.OnKeyDown(SaverKey::kEscape));
    EXPECT_TRUE(e.OnKeyDown(SaverKey::kReturn));
    EXPECT_EQ(window.closesPosted, 0);
    EXPECT_FALSE(e.OnKeyDown('B'));
    settings.escKey = 1;
    EXPECT_TRUE(e.OnKeyDown(SaverKey::kEscape));
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(CloseEventsTest, SpecifiedKeyClosesByVirtualKeyAndByCharacter)
{
    OnlyMouseMove();
    settings.specifiedKey = 1;
    settings.keyValue = 'A';
    CloseEvents e = Make();
    EXPECT_FALSE(e.OnKeyDown('B'));
    e.OnChar('b');
    EXPECT_EQ(window.closesPosted, 0);
    EXPECT_TRUE(e.OnKeyDown(65));
    EXPECT_EQ(window.closesPosted, 1);
    e.OnChar('A');
    EXPECT_EQ(window.closesPosted, 2);
}

TEST_F(CloseEventsTest, AnyEventClosesOnEveryInput)
{
    CloseEvents e = Make();
    EXPECT_TRUE(e.OnKeyDown('Z'));
    e.OnChar('z');
    e.OnHelp(0);
    e.OnMouse(SaverMsg::kLButtonUp);
    EXPECT_EQ(window.closesPosted, 4);
    e.OnHelp(1); // help for a control, not the window
    EXPECT_EQ(window.closesPosted, 4);
}

TEST_F(CloseEventsTest, OutsideSaverInputNeverClosesAndKeysReachTheDialog)
{
    for (StartMode mode : {StartMode::Preview, StartMode::Program, StartMode::None}) {
        FakeWindow w;
        UserSettings s;
        CloseEvents e(w, s, mode);
        e.OnCreate();
        EXPECT_FALSE(e.OnKeyDown(SaverKey::kEscape));
        EXPECT_FALSE(e.OnKeyDown(SaverKey::kReturn));
        e.OnChar('x');
        e.OnHelp(0);
        w.x += 1000;
        e.OnMouse(SaverMsg::kMouseMove);
        e.OnMouse(SaverMsg::kLButtonDown);
        EXPECT_EQ(w.closesPosted, 0);
        // A close from elsewhere gets default processing (the dialog ends).
        EXPECT_FALSE(e.OnClose());
        EXPECT_TRUE(e.CursorVisible());
    }
}

TEST_F(CloseEventsTest, RightButtonOpensTheMenuOnlyInProgram)
{
    CloseEvents program = Make(StartMode::Program);
    EXPECT_TRUE(program.OnMouse(SaverMsg::kRButtonDown));
    EXPECT_FALSE(program.OnMouse(SaverMsg::kLButtonDown));
    CloseEvents saver = Make(StartMode::Saver);
    EXPECT_FALSE(saver.OnMouse(SaverMsg::kRButtonDown));
}

TEST_F(CloseEventsTest, CloseWithinTheGracePeriodNeedsNoPassword)
{
    CloseEvents e = Make();
    e.OnKeyDown('X');
    window.tick = 5000 + 15000; // not beyond the grace period
    EXPECT_TRUE(e.OnClose());
    EXPECT_EQ(window.passwordChecks, 0);
    EXPECT_EQ(window.destroyed, 1);
}

TEST_F(CloseEventsTest, CloseAfterTheGracePeriodAsksForThePassword)
{
    CloseEvents e = Make();
    e.OnKeyDown('X');
    window.tick = 5000 + 15001;
    EXPECT_TRUE(e.OnClose());
    EXPECT_EQ(window.passwordChecks, 1);
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(window.cursorRefreshes, 2);
}

TEST_F(CloseEventsTest, GracePeriodHoldsAcrossTheTickCountWrap)
{
    window.tick = 0xFFFFF000u;
    CloseEvents e = Make();
    e.OnKeyDown('X');
    window.tick = 0x00000100u; // 4.3 s later
    e.OnClose();
    EXPECT_EQ(window.passwordChecks, 0);
    EXPECT_EQ(window.destroyed, 1);
}

TEST_F(CloseEventsTest, GracePeriodOnceOverStaysOverWhenTheShowOutlastsTheTickCount)
{
    CloseEvents e = Make();
    window.tick += 60000;
    e.NoteTime();                                // the show's own events go on through the days
    window.tick += 0xFFFFFFFFu - 60000u + 2000u; // 49.7 days after the start, the difference is 1.999 s
    e.OnKeyDown('X');
    e.OnClose();
    EXPECT_EQ(window.passwordChecks, 1);
}

TEST_F(CloseEventsTest, NegativeMoveThresholdClosesOnlyOnRealMovement)
{
    OnlyMouseMove();
    settings.moveThreshold = -5;
    CloseEvents e = Make();
    e.OnMouse(SaverMsg::kMouseMove); // the system's own move message, the cursor still at the origin
    EXPECT_EQ(window.closesPosted, 0);
    window.x = 1;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 1);
}

TEST_F(CloseEventsTest, CloseThatNobodyRequestedIsSwallowedInSaver)
{
    CloseEvents e = Make();
    window.tick += 100000;
    EXPECT_TRUE(e.OnClose());
    EXPECT_EQ(window.destroyed, 0);
    EXPECT_EQ(window.passwordChecks, 0);
}

TEST_F(CloseEventsTest, WrongPasswordKeepsTheShowAndMeasuresMovementFromWhereTheDialogClosed)
{
    OnlyMouseMove();
    CloseEvents e = Make();
    window.x = 100;
    e.OnMouse(SaverMsg::kMouseMove);
    ASSERT_TRUE(settings.closeRequested);
    window.tick += 60000;
    window.passwordRight = false;
    window.duringPassword = [&] {
        EXPECT_TRUE(e.CursorVisible()) << "the cursor shows while the dialog is up";
        // Input while the dialog is up is ignored.
        window.x = 900;
        e.OnMouse(SaverMsg::kMouseMove);
        e.OnKeyDown(SaverKey::kEscape);
        // A close arriving meanwhile does not start a second dialog.
        e.OnClose();
    };
    e.OnClose();
    EXPECT_EQ(window.passwordChecks, 1);
    EXPECT_EQ(window.destroyed, 0);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_FALSE(settings.passwordDialogActive);
    EXPECT_TRUE(settings.closeRequested);
    EXPECT_EQ(settings.referencePoint.x, 900);
    EXPECT_FALSE(e.CursorVisible());

    // A small movement from there does not close again; the next real close asks again.
    window.duringPassword = nullptr;
    window.x = 910;
    e.OnMouse(SaverMsg::kMouseMove);
    EXPECT_EQ(window.closesPosted, 1);
    window.passwordRight = true;
    e.OnClose();
    EXPECT_EQ(window.passwordChecks, 2);
    EXPECT_EQ(window.destroyed, 1);
}

TEST(MonitorChoice, NumberedMonitorOrTheVirtualScreenFromTheOrigin)
{
    MonitorTable monitors;
    monitors.Add(0, 0, 1920, 1080);
    monitors.Add(-1280, 100, 0, 1124);
    EXPECT_EQ(ChooseMonitorArea(1, monitors, 3200, 1124), (MonitorArea{0, 0, 1920, 1080}));
    EXPECT_EQ(ChooseMonitorArea(2, monitors, 3200, 1124), (MonitorArea{-1280, 100, 1280, 1024}));
    for (int32_t n : {0, -1, 3, INT32_MAX})
        EXPECT_EQ(ChooseMonitorArea(n, monitors, 3200, 1124), (MonitorArea{0, 0, 3200, 1124})) << n;
}

TEST(MonitorChoice, OnlyTwentyMonitorsAreRecorded)
{
    MonitorTable monitors;
    for (int i = 0; i < 25; ++i)
        monitors.Add(i * 100, 0, i * 100 + 100, 100);
    EXPECT_EQ(monitors.Areas().size(), 20u);
    EXPECT_EQ(ChooseMonitorArea(20, monitors, 9, 9).left, 1900);
    EXPECT_EQ(ChooseMonitorArea(21, monitors, 9, 9), (MonitorArea{0, 0, 9, 9}));
}
