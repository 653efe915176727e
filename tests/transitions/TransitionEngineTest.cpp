#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <thread>

#include "TransitionTestSupport.h"
#include "platform/Clock.h"
#include "platform/DiagnosticLog.h"
#include "support/TempDir.h"
#include "transitions/ChangedTiles.h"
#include "transitions/EffectNames.h"
#include "transitions/ShowMessages.h"
#include "transitions/TimerResolution.h"
#include "transitions/TransitionEngine.h"

#if defined(__linux__)
#include <sys/prctl.h>
#endif

// The engine's copies in window coordinates, which effects reach only through the slide-coordinate helpers.
class TransitionEngineProbe {
public:
    static void CopyPictureRect(TransitionEngine& engine, int x, int y, int width, int height, const Picture& picture,
                                int sourceX, int sourceY)
    {
        engine.CopyPictureRect(x, y, width, height, picture, sourceX, sourceY);
    }
};

namespace {

// Runs the worker body on its own thread, as the slide window does, and waits for the completion.
void RunOnWorker(TransitionFixture& f)
{
    f.completion.Reset();
    std::thread worker(TransitionThreadProc, &f.request);
    ASSERT_TRUE(f.completion.WaitFor(std::chrono::seconds(10)));
    worker.join();
}

class TransitionEngineTest : public ::testing::Test {
protected:
    VirtualClock clock;
    TransitionFixture f{20, 10, 6, 4, 3, 2};
    void SetUp() override { f.request.clock = &clock; }
};

TEST_F(TransitionEngineTest, PlainCopyShowsSlideOverFreshBackground)
{
    f.request.effectIndex = -1;
    RunOnWorker(f);
    const Rect slideRect = Rect::FromSize(3, 2, 6, 4);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, slideRect), 24);
    EXPECT_EQ(f.Count(TransitionFixture::kBackground, Rect{0, 0, 20, 10}), 200 - 24);
    EXPECT_EQ(f.Count(TransitionFixture::kOld, Rect{0, 0, 20, 10}), 0);
    // Background and slide reach the window together: the slide lies inside the background's rectangle.
    ASSERT_EQ(f.window.presented.size(), 1u);
    EXPECT_EQ(f.window.presented[0], (Rect{0, 0, 20, 10}));
    ASSERT_EQ(f.window.posted.size(), 1u);
    EXPECT_EQ(f.window.posted[0], ShowMsg::kTransitionDone);
}

TEST_F(TransitionEngineTest, DisabledTransitionIsOnePlainCopyWhateverTheIndex)
{
    f.request.effectIndex = 42;
    f.request.transitionEnabled = false;
    static int s_calls = 0;
    const EffectEntry counting{[](TransitionEngine&, const EffectParams&) { ++s_calls; }, {}};
    f.request.effect = &counting;
    RunOnWorker(f);
    EXPECT_EQ(s_calls, 0);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect::FromSize(3, 2, 6, 4)), 24);
    EXPECT_EQ(f.window.presented.size(), 1u);
    EXPECT_EQ(f.window.posted.size(), 1u);
}

TEST_F(TransitionEngineTest, IndicesOutsideTheTableShowTheBackgroundOnlyAndStillComplete)
{
    for (int index : {kEffectCount, -2, 100000, -100000}) {
        TransitionFixture g(20, 10, 6, 4, 3, 2);
        g.request.clock = &clock;
        g.request.effectIndex = index;
        RunOnWorker(g);
        EXPECT_EQ(g.Count(TransitionFixture::kBackground, Rect{0, 0, 20, 10}), 200) << index;
        EXPECT_EQ(g.window.presented.size(), 1u) << index;
        ASSERT_EQ(g.window.posted.size(), 1u) << index;
        EXPECT_EQ(g.window.posted[0], ShowMsg::kTransitionDone);
    }
}

TEST_F(TransitionEngineTest, AnEffectThatDrawsNothingStillEndsWithTheSlide)
{
    static const EffectEntry kEmpty{};
    f.request.effectIndex = 160;
    f.request.effect = &kEmpty;
    RunOnWorker(f);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect::FromSize(3, 2, 6, 4)), 24);
}

// Every run, whatever its index, writes one begin line naming the index and one end line, in that order.
TEST_F(TransitionEngineTest, EachRunLogsItsBeginAndEndLines)
{
    TempDir dir;
    dir.Write("kado.log", "");
    VirtualClock logClock(4242);
    {
        DiagnosticLog log(dir.File("show.scr"));
        log.SetClock(&logClock);
        for (int index : {7, -1, 163}) {
            TransitionFixture g(20, 10, 6, 4, 3, 2);
            g.request.clock = &clock;
            g.request.log = &log;
            g.request.effectIndex = index;
            RunOnWorker(g);
        }
    }
    std::string text;
    for (char c : TempDir::Read(dir.File("kado.log")))
        if (c != '\r')
            text += c;
    std::string want;
    for (const char* index : {"7", "-1", "163"}) {
        want += std::string("(4242)[TransitionEffects,(126)] : begin a transition show , transition effect index = ") +
            index + " \n";
        want += "(4242)[TransitionEffects,(617)] : end a transition show\n";
    }
    EXPECT_NE(text.find(want), std::string::npos) << text;
}

// A column-by-column reveal that raises the stop flag itself after two frames, through the clock.
class StoppingClock : public IClock {
public:
    std::atomic<int>* stop = nullptr;
    int sleeps = 0;
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override
    {
        if (++sleeps == 2)
            stop->store(1);
    }
};

TEST_F(TransitionEngineTest, StopKeepsPartlyDrawnFrameSetsCompletionAndPostsNothing)
{
    StoppingClock stopping;
    stopping.stop = &f.stop;
    f.request.clock = &stopping;
    f.request.effectIndex = 7;
    f.request.step = 9;
    static int s_stepInside = 0;
    static int s_stepAfter = 0;
    const EffectEntry columns{[](TransitionEngine& e, const EffectParams&) {
                                  {
                                      TransitionEngine::StepOverride fixed(e, 1);
                                      s_stepInside = e.Step();
                                      for (int x = 0; x < e.SlideWidth(); x += e.Step()) {
                                          e.CopySlide(Rect{x, 0, x + 1, e.SlideHeight()});
                                          if (!e.EndFrame(5))
                                              break;
                                      }
                                  }
                                  s_stepAfter = e.Step();
                              },
                              {}};
    f.request.effect = &columns;
    RunOnWorker(f);

    EXPECT_EQ(s_stepInside, 1);
    EXPECT_EQ(s_stepAfter, 9);
    // Frames 1 and 2 slept; the flag was seen after frame 3: three columns of the slide, the rest background.
    EXPECT_EQ(stopping.sleeps, 2);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect::FromSize(3, 2, 6, 4)), 12);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect::FromSize(3, 2, 3, 4)), 12);
    EXPECT_TRUE(f.window.posted.empty());
}

TEST_F(TransitionEngineTest, StopBeforeTheFirstFrameStillEndsWithTheCompletionEvent)
{
    f.stop = 1;
    f.request.effectIndex = -1;
    RunOnWorker(f);
    EXPECT_TRUE(f.window.posted.empty());
    EXPECT_FALSE(f.completion.IsSet()); // consumed by the wait, auto-reset
}

TEST_F(TransitionEngineTest, StepBelowOneIsClampedBeforeTheEffectRuns)
{
    for (int stored : {0, -5}) {
        f.request.step = stored;
        TransitionEngine engine(f.request);
        EXPECT_EQ(engine.Step(), 1);
    }
    f.request.step = 25;
    EXPECT_EQ(TransitionEngine(f.request).Step(), 25);
}

TEST_F(TransitionEngineTest, FrameDelaysGoThroughTheClock)
{
    TransitionEngine engine(f.request);
    EXPECT_TRUE(engine.EndFrame(20));
    engine.Pause(800);
    EXPECT_EQ(clock.TickCount(), 820u);
    f.stop = 1;
    EXPECT_FALSE(engine.EndFrame(20));
    EXPECT_EQ(clock.TickCount(), 820u); // no delay once stopped
}

TEST_F(TransitionEngineTest, HelpersDrawIntoCanvasAndPresentTheSameRectangleAtTheFrameEnd)
{
    TransitionEngine engine(f.request);
    engine.CopySlide(Rect{1, 1, 3, 2}); // slide coords -> window (4, 3) 2 x 1
    EXPECT_TRUE(f.window.presented.empty());
    engine.EndFrame(0);
    ASSERT_EQ(f.window.presented.size(), 1u);
    EXPECT_EQ(f.window.presented[0], Rect::FromSize(4, 3, 2, 1));
    EXPECT_EQ(f.canvas.GetPixel(4, 3), TransitionFixture::kSlide);
    EXPECT_EQ(f.canvas.GetPixel(6, 3), TransitionFixture::kOld);

    // A rectangle partly outside the window presents only its visible part.
    TransitionEngineProbe::CopyPictureRect(engine, 18, 8, 10, 10, f.background, 0, 0);
    engine.EndFrame(0);
    EXPECT_EQ(f.window.presented.back(), (Rect{18, 8, 20, 10}));

    // Clipped copy: only the region's pixels change (slide coordinates: window (3, 2) and (8, 5)).
    Region diagonal = Region::FromRect(0, 0, 1, 1);
    diagonal.Combine(Region::FromRect(5, 3, 6, 4), RegionOp::Or);
    f.canvas.CreateBlank(20, 10, TransitionFixture::kOld);
    engine.CopySlideThrough(diagonal);
    engine.EndFrame(0);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect{0, 0, 20, 10}), 2);
    EXPECT_EQ(f.canvas.GetPixel(8, 5), TransitionFixture::kSlide);
    EXPECT_EQ(f.window.presented.back(), (Rect{3, 2, 9, 6}));
    EXPECT_EQ(f.canvas.GetClipRgn(), nullptr);
}

// Hundreds of pieces changed along the edges of a large canvas: shown as the tiles they touch, joined into
// few rectangles, not as the box around them all.
TEST(ChangedTiles, ManyPiecesAreShownAsTheTilesTheyTouch)
{
    constexpr int T = ChangedTiles::kTile;
    ChangedTiles tiles;
    tiles.Reset(Size{10 * T + 5, 8 * T});
    EXPECT_TRUE(tiles.Empty());
    for (int x = 0; x < 10 * T + 5; x += 7)
        tiles.Mark(Rect{x, 3, x + 2, 5}); // along the top edge, in the first tile row
    for (int y = 0; y < 8 * T; y += 3)
        tiles.Mark(Rect{10 * T + 1, y, 10 * T + 3, y + 1}); // down the last, narrow tile column
    tiles.Mark(Rect{T + 1, 5 * T - 1, T + 2, 5 * T + 1});   // one pixel across a tile border
    std::vector<Rect> rects;
    tiles.TakeRects(rects);
    EXPECT_EQ(rects,
              (std::vector<Rect>{{0, 0, 10 * T + 5, T}, {10 * T, T, 10 * T + 5, 8 * T}, {T, 4 * T, 2 * T, 6 * T}}));
    EXPECT_TRUE(tiles.Empty());
    rects.clear();
    tiles.TakeRects(rects);
    EXPECT_TRUE(rects.empty());
}

// The bounding box of the canvas pixels that differ from `before`.
Rect ChangedBounds(const DecodedImage& before, const Picture& after)
{
    Rect box{after.Width(), after.Height(), 0, 0};
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            if (after.Row(y)[x] != before.pixels[static_cast<size_t>(y) * before.width + x]) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

// Copies given with negative extents draw on the other side of the origin; the window must be shown exactly
// the pixels the canvas got, or a repaint and the screen disagree.
TEST_F(TransitionEngineTest, NegativeExtentsPresentThePixelsTheyDraw)
{
    TransitionEngine engine(f.request);
    DecodedImage before = f.canvas.ToDecoded();
    TransitionEngineProbe::CopyPictureRect(engine, 10, 6, -3, -2, f.slide, 2, 1);
    engine.EndFrame(0);
    const Rect drawn = ChangedBounds(before, f.canvas);
    EXPECT_EQ(drawn, (Rect{8, 5, 11, 7}));
    ASSERT_EQ(f.window.presented.size(), 1u);
    EXPECT_EQ(f.window.presented[0], drawn);

    Picture two;
    two.CreateBlank(2, 1, 0x000000FF);
    two.SetPixel(1, 0, 0x00FF0000);
    engine.SetStretchModeBoth(kColorOnColor);
    before = f.canvas.ToDecoded();
    engine.StretchSlideRect(4, 2, 0, 3, two, 0, 0, 2, 1); // mirrored into slide columns 1..4 of row 2
    engine.EndFrame(0);
    ASSERT_EQ(f.window.presented.size(), 2u);
    EXPECT_EQ(f.window.presented[1], ChangedBounds(before, f.canvas));
    EXPECT_EQ(f.window.presented[1], Rect::FromSize(4, 4, 4, 1));
}

// An effect that fails (out of memory) must not take the process down or leave the slide window waiting:
// the slide appears whole, the done message is posted and the completion is set.
TEST_F(TransitionEngineTest, FailingEffectEndsWithTheWholeSlideAndCompletes)
{
    f.request.effectIndex = 12;
    const EffectEntry failing{[](TransitionEngine& e, const EffectParams&) {
                                  e.CopySlide(Rect{0, 0, 1, 1});
                                  throw std::bad_alloc();
                              },
                              {}};
    f.request.effect = &failing;
    RunOnWorker(f);
    EXPECT_EQ(f.Count(TransitionFixture::kSlide, Rect::FromSize(3, 2, 6, 4)), 24);
    ASSERT_EQ(f.window.posted.size(), 1u);
    EXPECT_EQ(f.window.posted[0], ShowMsg::kTransitionDone);
}

TEST_F(TransitionEngineTest, StretchSlideRectScalesIntoSlideCoordinates)
{
    Picture two;
    two.CreateBlank(2, 1, 0x000000FF);
    two.SetPixel(1, 0, 0x00FF0000);
    TransitionEngine engine(f.request);
    engine.SetStretchModeBoth(kColorOnColor);
    engine.StretchSlideRect(0, 0, 4, 1, two, 0, 0, 2, 1);
    engine.EndFrame(0);
    EXPECT_EQ(f.canvas.GetPixel(3, 2), 0x000000FFu);
    EXPECT_EQ(f.canvas.GetPixel(4, 2), 0x000000FFu);
    EXPECT_EQ(f.canvas.GetPixel(5, 2), 0x00FF0000u);
    EXPECT_EQ(f.canvas.GetPixel(6, 2), 0x00FF0000u);
    EXPECT_EQ(f.window.presented.back(), Rect::FromSize(3, 2, 4, 1));
}

} // namespace

#if defined(__linux__)
// Each sleep of a 1 or 2 ms frame may end up to the thread's timer slack late: the transition thread runs
// without it and gives the old slack back.
TEST(TimerResolution, TakesAwayTheThreadsTimerSlackForItsLifetime)
{
    const int before = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    ASSERT_GT(before, 1);
    {
        TimerResolutionScope fineSleeps;
        EXPECT_EQ(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0), 1);
    }
    EXPECT_EQ(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0), before);
}
#endif
