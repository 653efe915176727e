#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <atomic>
#include <thread>

#include "model/MediaSettingsRecord.h"
#include "model/PanZoomSetting.h"
#include "slides/SlidePlayer.h"
#include "slides/SlideText.h"
#include "support/SecondThreadHook.h"
#include "support/SequenceRandom.h"
#include "support/SlideTestProject.h"
#include "transitions/ShowMessages.h"

namespace {

using Off = MediaSettingsRecord::Offset;

constexpr uint32_t kGreenPx = 0x00FF00, kRedPx = 0xFF0000, kBluePx = 0x0000FF;
constexpr Colorref kGreen = 0x00FF00, kRed = 0x0000FF, kBlue = 0xFF0000, kGrey = 0x808080;

class TestSlideHost : public ISlideWindowHost {
public:
    explicit TestSlideHost(Size size) : size_(size) { }
    void Present(const Picture&, int, int, int, int) override { ++presents; }
    void Post(uint32_t message, uint32_t serial) override
    {
        posted.push_back(message);
        serials.push_back(serial);
    }
    Size ParentSize() override { return size_; }
    Size WindowSize() override { return size_; }
    void ShowWindow(bool show) override { visible = show; }
    void PostToParent(uint32_t message) override { toParent.push_back(message); }
    IClock& WindowClock() override { return windowClock; }
    IClock* TransitionClock() override { return &transitionClock; }
    bool DrivesMotion() override { return true; }

    Size size_;
    int presents = 0;
    bool visible = false;
    std::vector<uint32_t> posted, serials, toParent;
    VirtualClock windowClock, transitionClock;
};

// Measures every character 10 wide and 20 high and records what is drawn.
class FakeText : public TextRenderer {
public:
    bool SelectFont(const FontSpec& font) override
    {
        fonts.push_back(font);
        return true;
    }
    std::string FaceName() const override { return fonts.empty() ? "" : fonts.back().face; }
    Size MeasureString(const std::string& text) override { return {10 * static_cast<int>(text.size()), 20}; }
    int LineHeight() override { return 20; }
    void DrawString(Picture& target, int x, int y, const std::string& text, Colorref colour) override
    {
        lines.push_back({x, y, text, colour});
        if (paint)
            target.FillRect(Rect::FromSize(x, y, 10 * static_cast<int>(text.size()), 20), colour);
    }
    int DrawStringInRect(Picture&, Rect& rect, const std::string& text, Colorref, unsigned format) override
    {
        boxes.push_back({rect, text, format});
        return rect.Height();
    }
    struct Line {
        int x, y;
        std::string text;
        Colorref colour;
    };
    struct Box {
        Rect rect;
        std::string text;
        unsigned format;
    };
    bool paint = false; // fill each string's box with its colour
    std::vector<FontSpec> fonts;
    std::vector<Line> lines;
    std::vector<Box> boxes;
};

class SlidePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        project.items.emplace_back();
        Item().fileName = "pic.bmp";
        Item().SetI32(Off::kBackgroundColour, kGrey);
        project.SetProjectI32(ProjectOptions::kMediaInDatabase, 1);
        previousText = SetSlideTextRenderer(&text);
    }
    void TearDown() override { SetSlideTextRenderer(previousText); }
    SlideTestItem& Item() { return project.items.front(); }

    // Opens the project, shows its first item and lets the transition run to its end.
    void Show(Size frame, StartMode startMode = StartMode::Saver, std::vector<int> randomValues = {0})
    {
        random = std::make_unique<SequenceRandom>(std::move(randomValues));
        ASSERT_TRUE(project.Open(*random));
        host = std::make_unique<TestSlideHost>(frame);
        player = MakePlayer(*host, startMode);
        player->ShowSlide(project.settings.get());
        player->WaitForTransition();
    }
    std::unique_ptr<SlidePlayer> MakePlayer(TestSlideHost& window, StartMode startMode = StartMode::Saver)
    {
        auto made = std::make_unique<SlidePlayer>(window);
        made->OnInitDialog();
        made->SetMode(startMode);
        made->SetSettings(nullptr, &project.info);
        made->SetMedia(&project.Media());
        made->SetDatabase(&project.db);
        return made;
    }
    const Picture& Canvas() { return player->Canvas(); }
    int Count(Colorref c, Rect r)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += Canvas().GetPixel(x, y) == c ? 1 : 0;
        return n;
    }

    SlideTestProject project;
    std::unique_ptr<SequenceRandom> random;
    std::unique_ptr<TestSlideHost> host;
    std::unique_ptr<SlidePlayer> player;
    FakeText text;
    TextRenderer* previousText = nullptr;
};

TEST_F(SlidePlayerTest, SmallImageIsCentredOverThePaintedBackground)
{
    project.media.push_back({"pic.bmp", SolidBmp(4, 2, kRedPx)});
    Show({16, 12});
    EXPECT_EQ(Count(kRed, Rect{6, 5, 10, 7}), 8);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 16, 12}), 16 * 12 - 8);
    EXPECT_EQ(player->Request().slideLeft, 6);
    EXPECT_EQ(player->Request().slideTop, 5);
    EXPECT_TRUE(host->visible);
    ASSERT_EQ(host->posted.size(), 1u);
    EXPECT_EQ(host->posted[0], ShowMsg::kTransitionDone);
    EXPECT_FALSE(player->Finished());
    player->OnTransitionDone(player->TransitionSerial());
    EXPECT_TRUE(player->Finished());
    EXPECT_EQ(host->windowClock.TickCount(), 30u);
    ASSERT_EQ(host->toParent.size(), 1u);
    EXPECT_EQ(host->toParent[0], ShowMsg::kItemFinished);
}

TEST_F(SlidePlayerTest, TransitionStoppedWithItsDoneMessageQueuedTellsTheOwnerNothing)
{
    project.media.push_back({"pic.bmp", SolidBmp(4, 2, kRedPx)});
    Show({16, 12});
    ASSERT_EQ(host->posted.size(), 1u); // the worker ran to its end; its message is not handled yet
    player->StopTransition();
    EXPECT_TRUE(player->Finished());
    player->OnTransitionDone(player->TransitionSerial());
    EXPECT_TRUE(host->toParent.empty());
    EXPECT_EQ(host->windowClock.TickCount(), 100u);
}

// The stopped slide's message arrives only after the next slide's transition has begun: it must not end
// the new slide early.
TEST_F(SlidePlayerTest, LateDoneMessageOfAnEarlierTransitionIsIgnored)
{
    project.media.push_back({"pic.bmp", SolidBmp(4, 2, kRedPx)});
    Show({16, 12});
    ASSERT_EQ(host->serials.size(), 1u);
    const uint32_t first = host->serials[0];
    player->ShowSlide(project.settings.get());
    player->WaitForTransition();
    ASSERT_EQ(host->serials.size(), 2u);
    EXPECT_NE(host->serials[1], first);
    player->OnTransitionDone(first);
    EXPECT_FALSE(player->Finished());
    EXPECT_TRUE(host->toParent.empty());
    player->OnTransitionDone(host->serials[1]);
    EXPECT_TRUE(player->Finished());
    EXPECT_EQ(host->toParent.size(), 1u);
}

TEST_F(SlidePlayerTest, ScaleModeOneEnlargesToTheFrameHeight)
{
    project.SetProjectI32(ProjectOptions::kScaleMode, 1);
    project.media.push_back({"pic.bmp", SolidBmp(2, 2, kRedPx)});
    Show({8, 6});
    EXPECT_EQ(player->SlidePicture().Width(), 6);
    EXPECT_EQ(player->SlidePicture().Height(), 6);
    EXPECT_EQ(player->Request().slideLeft, 1);
    EXPECT_EQ(Count(kRed, Rect{1, 0, 7, 6}), 36);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 8, 6}), 12);
}

TEST_F(SlidePlayerTest, ScaleModeTwoShowsOnlyTheTopLeftCropStretchedOverTheFrame)
{
    project.SetProjectI32(ProjectOptions::kScaleMode, 2);
    // 8 x 6 in a 10 x 8 frame: the source is (0, 0, 7, 6); the red last column is cut off.
    project.media.push_back({"pic.bmp", MakeBmp(8, 6, [](int x, int) { return x == 7 ? kRedPx : kGreenPx; })});
    Show({10, 8});
    EXPECT_EQ(Count(kGreen, Rect{0, 0, 10, 8}), 80);
}

TEST_F(SlidePlayerTest, ScaleModeThreeFillsTheFrame)
{
    project.SetProjectI32(ProjectOptions::kScaleMode, 3);
    project.media.push_back({"pic.bmp", SolidBmp(3, 1, kBluePx)});
    Show({12, 9});
    EXPECT_EQ(player->Request().slideLeft, 0);
    EXPECT_EQ(player->Request().slideTop, 0);
    EXPECT_EQ(Count(kBlue, Rect{0, 0, 12, 9}), 108);
}

TEST_F(SlidePlayerTest, RandomPositionWithFullWidthImageGivesXZero)
{
    project.SetProjectI32(ProjectOptions::kRandomPosition, 1);
    project.media.push_back({"pic.bmp", SolidBmp(10, 2, kRedPx)});
    Show({10, 8}, StartMode::Saver, {0, 7, 5});
    EXPECT_EQ(player->Request().slideLeft, 0);
    EXPECT_EQ(player->Request().slideTop, 5 % 6);
}

TEST_F(SlidePlayerTest, ImageThatDoesNotLoadShowsTheBackgroundAlone)
{
    project.media.push_back({"pic.bmp", "not an image at all"});
    Show({8, 6});
    EXPECT_FALSE(player->SlidePicture().IsLoaded());
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 8, 6}), 48);
    EXPECT_EQ(host->posted.size(), 1u); // the show goes on
}

TEST_F(SlidePlayerTest, MissingImageInWholeWindowModeGivesBackgroundWithTexts)
{
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, 1);
    Item().SetFlag(Off::kShowTitle, true);
    Item().title = "Hi";
    Show({8, 6});
    EXPECT_EQ(player->SlidePicture().Width(), 8);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 8, 6}), 48);
    EXPECT_EQ(text.lines.size(), 1u);
}

TEST_F(SlidePlayerTest, WholeWindowModeKeepsTheOldScreenAsTransitionBackground)
{
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, 1);
    project.media.push_back({"pic.bmp", SolidBmp(2, 2, kRedPx)});
    Show({8, 6});
    // The canvas was black before the slide: that is what the transition started from.
    EXPECT_EQ(player->BackgroundPicture().GetPixel(0, 0), 0u);
    EXPECT_EQ(Count(kRed, Rect{3, 2, 5, 4}), 4);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 8, 6}), 44);
    EXPECT_EQ(player->Request().slideLeft, 0);
}

TEST_F(SlidePlayerTest, TransparentImageLetsTheBackgroundThroughWherePixelOneOneIsFound)
{
    Item().SetFlag(Off::kColourKey, true);
    project.media.push_back(
        {"pic.bmp", MakeBmp(4, 4, [](int x, int y) { return (x == 3 && y == 3) ? kRedPx : kGreenPx; })});
    Show({8, 8});
    EXPECT_EQ(Count(kRed, Rect{2, 2, 6, 6}), 1);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 8, 8}), 63);
}

TEST_F(SlidePlayerTest, TitleFontAndRightPositionKeepTheMargin)
{
    Item().SetFlag(Off::kShowTitle, true);
    Item().title = "0123456789"; // 100 wide with the fake renderer
    Item().titleStyle = "12;";
    Item().titleFont = "A very long face name that goes past thirty-one characters";
    Item().SetI32(Off::kTitleSize, 24);
    Item().SetI32(Off::kTitlePosition, 2);
    Item().SetI32(Off::kTitleColour, 0x0000FF);
    Item().data[Off::kTitleCharset] = static_cast<char>(134);
    Show({1024, 40});
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0].x, 904);
    EXPECT_EQ(text.lines[0].y, 0);
    EXPECT_EQ(text.lines[0].colour, 0x0000FFu);
    ASSERT_FALSE(text.fonts.empty());
    const FontSpec& f = text.fonts[0];
    EXPECT_EQ(f.weight, 700);
    EXPECT_TRUE(f.italic);
    EXPECT_FALSE(f.underline);
    EXPECT_EQ(f.height, -32);
    EXPECT_EQ(f.face.size(), 31u);
    EXPECT_EQ(f.charSet, 134);
}

TEST_F(SlidePlayerTest, DescriptionLinesMakeTheBlockAndTheRectangle)
{
    Item().SetFlag(Off::kShowDesc, true);
    Item().desc = "abc\r\nlonger line";
    Item().SetI32(Off::kDescPosition, 3); // bottom centre
    Show({200, 100});
    ASSERT_EQ(text.boxes.size(), 1u);
    // w = 110 (widest line), h = 2 lines x 20.
    EXPECT_EQ(text.boxes[0].rect, (Rect{45, 60 - 8, 155, 100}));
    EXPECT_EQ(text.boxes[0].text, "abc\r\nlonger line\r\n");
    EXPECT_EQ(text.boxes[0].format, kDtWordBreak);
}

TEST_F(SlidePlayerTest, DescriptionStartingWithALineBreakDrawsNothing)
{
    Item().SetFlag(Off::kShowDesc, true);
    Item().desc = "\r\nhidden";
    Show({200, 100});
    EXPECT_TRUE(text.boxes.empty());
}

TEST_F(SlidePlayerTest, StoredTextPositionsAtTheIntLimitsDrawNothingWithThePlatformRenderer)
{
    SetSlideTextRenderer(previousText);
    for (int i = 0; i < 2; ++i) {
        Item().SetFlag(i ? Off::kShowDesc : Off::kShowTitle, true);
        Item().SetI32(i ? Off::kDescPosition : Off::kTitlePosition, 9);
        Item().SetI32(i ? Off::kDescX : Off::kTitleX, 2147483647);
        Item().SetI32(i ? Off::kDescY : Off::kTitleY, -2147483647 - 1);
    }
    Item().title = "Title text";
    Item().desc = "some words here\r\nand more";
    Show({64, 48});
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 64, 48}), 64 * 48);
}

TEST_F(SlidePlayerTest, PreviewNeverShowsTitleOrDescription)
{
    Item().SetFlag(Off::kShowTitle, true);
    Item().title = "T";
    Item().SetFlag(Off::kShowDesc, true);
    Item().desc = "D";
    Show({50, 50}, StartMode::Preview);
    EXPECT_TRUE(text.lines.empty());
    EXPECT_TRUE(text.boxes.empty());
}

TEST(SlideTextRules, StyleMarkersAreFoundAnywhere)
{
    EXPECT_EQ(MakeSlideFont("F", "1;2;", 10, 0, 96).weight, 700);
    EXPECT_TRUE(MakeSlideFont("F", "1;2;", 10, 0, 96).italic);
    const FontSpec odd = MakeSlideFont("F", "34;", 10, 0, 96);
    EXPECT_EQ(odd.weight, 400);
    EXPECT_TRUE(odd.underline);
    EXPECT_TRUE(odd.strikeOut);
    EXPECT_EQ(MakeSlideFont("F", "", 9, 0, 96).height, -12);
    EXPECT_EQ(MakeSlideFont("F", "", 11, 0, 96).height, -15); // 14.67 rounds to 15
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

TEST(SlideTextRules, StoredSizesBeyondTheIntRangeGiveMulDivsOverflowValue)
{
    EXPECT_EQ(MulDivRound(1610612736, 96, 72), -1); // exactly 2^31
    EXPECT_EQ(MulDivRound(-1610612737, 96, 72), -1);
    EXPECT_EQ(MulDivRound(2147483647, 72, 96), 1610612735);
    EXPECT_EQ(MakeSlideFont("F", "", 1610612736, 0, 96).height, 1);
}

TEST(SlideTextRules, DescriptionLineSplitting)
{
    EXPECT_EQ(SplitDescriptionLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitDescriptionLines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitDescriptionLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitDescriptionLines("\r\na").empty());
    EXPECT_EQ(SplitDescriptionLines("one\ntwo"), (std::vector<std::string>{"one\ntwo"}));
}

TEST(SlidePlayerStop, StopBeforeAnySlideAndAfterTheEndReturnsAtOnce)
{
    TestSlideHost host({4, 4});
    SlidePlayer player(host);
    player.OnInitDialog();
    player.StopTransition();
    EXPECT_EQ(host.windowClock.TickCount(), 0u);
    EXPECT_EQ(player.Canvas().Width(), 4);
    EXPECT_EQ(player.Canvas().GetPixel(3, 3), 0u);
}

TEST(SlidePlayerWindow, PlayerOwnsItsWindowAndLetsGoOfItBeforeItGoes)
{
    // A window the system refused gives no player.
    EXPECT_EQ(SlidePlayer::Create(nullptr, nullptr), nullptr);

    struct OwnedHost : TestSlideHost {
        OwnedHost(std::vector<std::string>& events) : TestSlideHost({6, 4}), events_(events) { }
        ~OwnedHost() override { events_.push_back("window gone"); }
        void AttachPlayer(SlidePlayer* player) override { events_.push_back(player ? "attached" : "let go"); }
        std::vector<std::string>& events_;
    };
    std::vector<std::string> events;
    auto window = std::make_unique<OwnedHost>(events);
    OwnedHost* host = window.get();
    std::unique_ptr<SlidePlayer> player = SlidePlayer::Create(std::move(window), nullptr);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(&player->Host(), host);
    // Ready for its first slide: black and as large as the parent.
    EXPECT_TRUE(player->Finished());
    EXPECT_EQ(player->Canvas().Width(), 6);
    EXPECT_EQ(player->BackgroundPicture().Height(), 4);
    EXPECT_EQ(player->Canvas().GetPixel(5, 3), 0u);
    player.reset();
    EXPECT_EQ(events, (std::vector<std::string>{"attached", "let go", "window gone"}));
}

} // namespace

namespace {

// PNG or JPEG bytes of a w x h picture of pixels fn(x, y) = 0xAARRGGBB.
template <class F> std::string Encoded(bool png, int w, int h, F fn)
{
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = fn(x, y);
            unsigned char* at = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            at[0] = static_cast<unsigned char>(p >> 16);
            at[1] = static_cast<unsigned char>(p >> 8);
            at[2] = static_cast<unsigned char>(p);
            at[3] = static_cast<unsigned char>(p >> 24);
        }
    }
    std::string out;
    auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
    };
    if (png)
        stbi_write_png_to_func(append, &out, w, h, 4, rgba.data(), w * 4);
    else
        stbi_write_jpg_to_func(append, &out, w, h, 4, rgba.data(), 95);
    return out;
}

bool Near(Colorref a, Colorref b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 2)
            return false;
    }
    return true;
}

} // namespace

// In both slide background modes; one project a test, as an open project's file cannot be rewritten on
// Windows.
class SlidePlayerBackgroundMode : public SlidePlayerTest, public ::testing::WithParamInterface<int> { };

TEST_P(SlidePlayerBackgroundMode, TransparentPartsOfAPictureShowTheSlideBackground)
{
    // Opaque red, half-transparent green and fully transparent pixels over the grey background.
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, GetParam());
    project.media = {{"pic.png", Encoded(true, 3, 1, [](int x, int) {
                          return x == 0 ? 0xFFFF0000u : x == 1 ? 0x8000FF00u : 0x000000FFu;
                      })}};
    Item().fileName = "pic.png";
    Show({9, 3});
    ASSERT_TRUE(player);
    EXPECT_EQ(Canvas().GetPixel(3, 1), kRed);
    // 128/255 of green over grey (0x80): green 128 + 64, red and blue 64.
    EXPECT_TRUE(Near(Canvas().GetPixel(4, 1), 0x40C040)) << std::hex << Canvas().GetPixel(4, 1);
    EXPECT_EQ(Canvas().GetPixel(5, 1), kGrey);
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 9, 3}), 9 * 3 - 2);
}

INSTANTIATE_TEST_SUITE_P(Modes, SlidePlayerBackgroundMode, ::testing::Values(0, 1));

TEST_F(SlidePlayerTest, LargeJpegGoesByItsFullSizeWhateverScaleItIsDecodedAt)
{
    // 512 x 256, left half red, right half blue, fitted into 64 x 48: 64 x 32 at y = 8.
    project.SetProjectI32(ProjectOptions::kScaleMode, 1);
    project.media.push_back(
        {"pic.jpg", Encoded(false, 512, 256, [](int x, int) { return x < 256 ? 0xFFFF0000u : 0xFF0000FFu; })});
    Item().fileName = "pic.jpg";
    Show({64, 48});
    EXPECT_EQ(player->Request().slideTop, 8);
    EXPECT_EQ(player->SlidePicture().Width(), 64);
    EXPECT_EQ(player->SlidePicture().Height(), 32);
    EXPECT_TRUE(Near(Canvas().GetPixel(10, 20), kRed));
    EXPECT_TRUE(Near(Canvas().GetPixel(54, 20), kBlue));
    EXPECT_EQ(Canvas().GetPixel(30, 4), kGrey);
}

TEST_F(SlidePlayerTest, ResizedWindowLaysTheShownSlideOutAgainWithoutTellingTheOwnerTwice)
{
    project.media.push_back({"pic.bmp", SolidBmp(4, 2, kRedPx)});
    Show({16, 12});
    player->OnTransitionDone(player->TransitionSerial());
    ASSERT_EQ(host->toParent.size(), 1u);
    const size_t workers = host->posted.size();

    player->Relayout(); // the same size: nothing to do
    EXPECT_EQ(host->posted.size(), workers);

    host->size_ = {20, 10};
    player->Relayout();
    player->WaitForTransition();
    player->OnTransitionDone(player->TransitionSerial());
    EXPECT_EQ(Canvas().Width(), 20);
    EXPECT_EQ(Canvas().Height(), 10);
    EXPECT_EQ(Count(kRed, Rect{8, 4, 12, 6}), 8) << "centred in the new frame";
    EXPECT_EQ(Count(kGrey, Rect{0, 0, 20, 10}), 20 * 10 - 8);
    EXPECT_EQ(player->Request().effectIndex, -1) << "shown at once";
    EXPECT_EQ(host->toParent.size(), 1u) << "the item was shown already";
}

TEST_F(SlidePlayerTest, ResizeDuringTheTransitionStillTellsTheOwnerOnce)
{
    project.media.push_back({"pic.bmp", SolidBmp(4, 2, kRedPx)});
    Show({16, 12});
    host->size_ = {24, 12};
    const uint32_t first = player->TransitionSerial();
    player->Relayout(); // the first transition's end is still on its way
    player->WaitForTransition();
    player->OnTransitionDone(first);
    player->OnTransitionDone(player->TransitionSerial());
    EXPECT_EQ(host->toParent, (std::vector<uint32_t>{ShowMsg::kItemFinished}));
    EXPECT_EQ(Count(kRed, Rect{10, 5, 14, 7}), 8);
}

namespace {

// Holds the work of every second thread until opened.
struct HeldWork {
    static inline std::atomic<int> held{0};
    static inline std::atomic<bool> open{false};
    static std::function<void()> Hold(const std::function<void()>& work)
    {
        ++held;
        return [work] {
            while (!open)
                std::this_thread::yield();
            work();
        };
    }
};

struct PreparedCase {
    const char* name;
    int scaleMode;
    bool colourKey;
    int backgroundMode;
    int zoom = 100; // where a pan and zoom ends; 100: none
};

class PreparedSlide : public SlidePlayerTest, public ::testing::WithParamInterface<PreparedCase> { };

// A picture prepared while the slide before is shown is decoded beside the window's thread (the window's
// thread goes on while it is still being decoded) and gives the very slide composing it at once would, and
// the same pan and zoom.
TEST_P(PreparedSlide, IsDecodedBesideTheWindowAndGivesTheSameSlide)
{
    const PreparedCase& c = GetParam();
    project.SetProjectI32(ProjectOptions::kScaleMode, c.scaleMode);
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, c.backgroundMode);
    Item().fileName = c.name;
    Item().SetFlag(Off::kColourKey, c.colourKey);
    if (c.zoom != 100) {
        MediaSettingsRecord record;
        record.Assign(Item().data);
        WritePanZoom(record, {.enabled = true, .zoomPercent = c.zoom, .pointsChosen = true, .toX = 100, .toY = 100});
        Item().data = record.ToString();
    }
    project.media = {
        {"pic.bmp", MakeBmp(6, 4, [](int x, int y) { return x == 1 && y == 1 ? kBluePx
                                                         : x < 3             ? kRedPx
                                                                             : kGreenPx; })},
        {"pic.png", Encoded(true, 3, 2, [](int x, int) { return x == 0 ? 0xFFFF0000u : 0x8000FF00u; })},
        {"pic.jpg", Encoded(false, 512, 256, [](int x, int y) {
             return 0xFF000000u | uint32_t(x * 7 % 256) << 16 | uint32_t(y);
         })}};
    Show({64, 48});
    const DecodedImage slide = player->SlidePicture().ToDecoded(), canvas = Canvas().ToDecoded();
    // The last frame of the pan and zoom (the slide itself without one).
    auto lastFrame = [](SlidePlayer& shown) {
        shown.OnTransitionDone(shown.TransitionSerial());
        shown.DrawMotionAt(1u << 30);
        return shown.Canvas().ToDecoded().pixels;
    };
    const auto last = lastFrame(*player);

    TestSlideHost window({64, 48});
    std::unique_ptr<SlidePlayer> next = MakePlayer(window);
    {
        HeldWork::held = 0;
        HeldWork::open = false;
        SecondThreadHook hook(&HeldWork::Hold);
        next->PrepareSlide(c.name, c.colourKey, c.zoom);
        EXPECT_EQ(HeldWork::held, 1) << "decoded on a second thread";
        HeldWork::open = true;
        next->ShowSlide(project.settings.get());
        next->WaitForTransition();
    }
    EXPECT_TRUE(next->PreparedBeforehand());
    EXPECT_EQ(next->SlidePicture().ToDecoded().pixels, slide.pixels);
    EXPECT_EQ(next->Canvas().ToDecoded().pixels, canvas.pixels);
    EXPECT_EQ(lastFrame(*next), last);

    // Prepared for another picture, or for another zoom: composed as always.
    for (const auto& [name, zoom] : {std::pair{std::string(c.name) == "pic.png" ? "pic.bmp" : "pic.png", c.zoom},
                                     std::pair{c.name, c.zoom == 100 ? 200 : 100}}) {
        next->PrepareSlide(name, c.colourKey, zoom);
        next->ShowSlide(project.settings.get());
        next->WaitForTransition();
        EXPECT_FALSE(next->PreparedBeforehand());
        EXPECT_EQ(next->Canvas().ToDecoded().pixels, canvas.pixels);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PreparedSlide,
                         ::testing::Values(PreparedCase{"pic.bmp", 1, false, 0}, PreparedCase{"pic.bmp", 1, true, 1},
                                           PreparedCase{"pic.bmp", 0, true, 0}, PreparedCase{"pic.png", 3, false, 0},
                                           PreparedCase{"pic.png", 1, false, 1}, PreparedCase{"pic.jpg", 1, false, 1},
                                           PreparedCase{"pic.jpg", 2, false, 0},
                                           PreparedCase{"pic.jpg", 1, false, 1, 400},
                                           PreparedCase{"pic.bmp", 3, false, 0, 150}));

} // namespace
// A whole-window slide that zooms to 200 % from its top-left towards its bottom-right over its 4 s: its first
// frame is the slide as composed, its last the bottom-right quarter stretched over the window, every frame is
// computed from the time since the transition ended, and the title stays where it is throughout.
TEST_F(SlidePlayerTest, PanAndZoomRunsFromTheSlideToItsEndWithTheTitleStill)
{
    project.SetProjectI32(ProjectOptions::kSlideBackgroundMode, 1);
    project.SetProjectI32(ProjectOptions::kScaleMode, 3);
    project.SetProjectI32(ProjectOptions::kDisplayTime, 4);
    auto pixel = [](int x, int y) { return uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | 0x80; };
    project.media.push_back({"pic.bmp", MakeBmp(40, 30, pixel)});
    MediaSettingsRecord record;
    record.Assign(Item().data);
    WritePanZoom(
        record,
        {.enabled = true, .zoomPercent = 200, .pointsChosen = true, .fromX = 0, .fromY = 0, .toX = 100, .toY = 100});
    Item().data = record.ToString();
    Item().SetFlag(Off::kShowTitle, true);
    Item().SetI32(Off::kTitlePosition, 1);
    Item().SetI32(Off::kTitleColour, kBlue);
    Item().title = "Hi";
    text.paint = true;
    Show({40, 30});
    const DecodedImage slide = player->SlidePicture().ToDecoded();
    player->OnTransitionDone(player->TransitionSerial());
    const uint32_t start = host->windowClock.TickCount() - 30; // the item is announced 30 ms after the start

    auto titleStill = [&] { return Count(kBlue, Rect{0, 0, 20, 20}) == 400; };
    player->DrawMotionAt(start);
    EXPECT_EQ(Canvas().ToDecoded().pixels, slide.pixels) << "the first frame is the slide";
    player->DrawMotionAt(start + 2000);
    EXPECT_NE(Canvas().ToDecoded().pixels, slide.pixels);
    EXPECT_TRUE(titleStill());

    Picture source, last;
    source.CreateBlank(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            source.Row(y)[x] = pixel(x, y);
    last.CreateBlank(40, 30);
    last.SetStretchBltMode(kHalftone);
    last.StretchBlt(0, 0, 40, 30, source, 20, 15, 20, 15);
    last.FillRect(Rect{0, 0, 20, 20}, kBlue);
    player->DrawMotionAt(start + 4000);
    EXPECT_EQ(Canvas().ToDecoded().pixels, last.ToDecoded().pixels) << "the last frame";
    const int presents = host->presents;
    player->DrawMotionAt(start + 9000);
    EXPECT_EQ(host->presents, presents) << "nothing moves after the display time";

    // Leaving the item draws the frame of that moment: the next transition starts from it.
    player->DrawMotionAt(start + 1000);
    host->windowClock.Sleep(4000 - 30);
    player->StopTransition();
    EXPECT_EQ(Canvas().ToDecoded().pixels, last.ToDecoded().pixels);
}

// Only a picture that moves draws its direction from the show's random numbers: items without the option
// pick their positions from the same numbers as before it existed.
TEST_F(SlidePlayerTest, StillPicturesLeaveTheRandomNumbersToTheOtherPicks)
{
    project.SetProjectI32(ProjectOptions::kRandomPosition, 1);
    project.media.push_back({"pic.bmp", SolidBmp(10, 2, kRedPx)});
    // Each slide takes three: the background's pick, then x and y.
    Show({10, 8}, StartMode::Saver, {0, 7, 5, 3, 1, 4});
    EXPECT_EQ(player->Request().slideTop, 5);
    player->ShowSlide(project.settings.get());
    player->WaitForTransition();
    EXPECT_EQ(player->Request().slideTop, 4);
}
