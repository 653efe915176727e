#include "gfx/Region.h"
#include "live/AudioPacer.h"
#include "live/FrontBuffer.h"
#include "live/LiveInput.h"
#include "media/posix/AudioMixer.h"
#include "saver/SaverMessages.h"

#include <SDL_keycode.h>
#include <SDL_mouse.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

Picture Filled(int w, int h, uint32_t pixel)
{
    Picture p;
    p.CreateBlank(w, h, 0);
    for (int y = 0; y < h; ++y)
        std::fill(p.Row(y), p.Row(y) + w, pixel);
    return p;
}

// Takes what changed; the rectangle, or an empty one when nothing was taken.
Rect Taken(FrontBuffer& buffer, bool all = false, uint32_t* pixel = nullptr)
{
    Rect taken;
    buffer.Take(all, [&](const Picture& picture, const Rect& r) {
        taken = r;
        if (pixel)
            *pixel = picture.Row(r.top)[r.left];
    });
    return taken;
}

// A sound of constant samples, `left` frames long.
class Constant final : public IAudioSource {
public:
    Constant(int16_t value, size_t frames) : value_(value), left_(frames) { }
    size_t Read(int16_t* out, size_t frames) override
    {
        const size_t n = std::min(frames, left_);
        std::fill(out, out + n * kChannels, value_);
        left_ -= n;
        return n;
    }

private:
    int16_t value_;
    size_t left_;
};

} // namespace

TEST(FrontBuffer, ChangesAddUpUntilTakenAndTheFirstChangeIsAnnouncedOnce)
{
    FrontBuffer buffer;
    int announced = 0;
    buffer.onChange = [&] { ++announced; };
    EXPECT_TRUE(Taken(buffer, true).IsEmpty()) << "nothing to take before the first picture";

    const Picture canvas = Filled(40, 30, 0x123456);
    buffer.Write(canvas, Rect{5, 5, 10, 10});
    EXPECT_EQ(Taken(buffer), (Rect{0, 0, 40, 30})) << "a new size takes the whole picture";

    buffer.Write(canvas, Rect{5, 5, 10, 10});
    buffer.Write(canvas, Rect{20, 2, 25, 8});
    buffer.Write(canvas, Rect{-10, 28, 3, 50}); // cut to the picture
    EXPECT_EQ(announced, 2);
    uint32_t pixel = 0;
    EXPECT_EQ(Taken(buffer, false, &pixel), (Rect{0, 2, 25, 30}));
    EXPECT_EQ(pixel & 0xFFFFFF, 0x123456u);
    EXPECT_FALSE(buffer.Changed());
    EXPECT_TRUE(Taken(buffer).IsEmpty());
    EXPECT_EQ(Taken(buffer, true), (Rect{0, 0, 40, 30})) << "a new screen takes all of it";

    buffer.Write(Filled(20, 10, 0xABCDEF), Rect{1, 1, 2, 2});
    EXPECT_EQ(buffer.PictureSize(), (Size{20, 10}));
    EXPECT_EQ(Taken(buffer, false, &pixel), (Rect{0, 0, 20, 10}));
    EXPECT_EQ(pixel & 0xFFFFFF, 0xABCDEFu);

    // Through a clip only the clip's pixels change; the changed rectangle is its bounds.
    const Region ring = Region::Combine(Region::FromRect(2, 2, 12, 8), Region::FromRect(4, 4, 10, 6), RegionOp::Diff);
    buffer.Write(Filled(20, 10, 0x010203), {}, {ring});
    buffer.Take(false, [&](const Picture& picture, const Rect& r) {
        EXPECT_EQ(r, (Rect{2, 2, 12, 8}));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                EXPECT_EQ(picture.Row(y)[x] & 0xFFFFFF, ring.Contains(x, y) ? 0x010203u : 0xABCDEFu) << x << "," << y;
    });
}

TEST(AudioMixer, SoundsAddUpClippedAndEndedSoundsAreSilent)
{
    AudioMixer mixer;
    int16_t out[8 * 2];
    std::fill(std::begin(out), std::end(out), int16_t(99));
    mixer.Mix(out, 8);
    EXPECT_TRUE(std::all_of(std::begin(out), std::end(out), [](int16_t s) { return s == 0; })) << "silence";

    Constant a(1000, 8), b(2000, 4), c(-100, 2);
    mixer.Add(&a);
    mixer.Add(&a); // once only
    mixer.Mix(out, 1);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 1000);
    mixer.Add(&b);
    mixer.Add(&c);
    mixer.Mix(out, 7);
    EXPECT_EQ(out[0], 2900);
    EXPECT_EQ(out[2 * 2 + 1], 3000) << "the shortest sound has ended";
    EXPECT_EQ(out[2 * 4], 1000) << "and the next";
    EXPECT_EQ(out[2 * 6 + 1], 1000);
    mixer.Mix(out, 2);
    EXPECT_EQ(out[0], 0) << "all have ended";
    EXPECT_EQ(out[3], 0);

    mixer.Remove(&a);
    mixer.Remove(&b);
    mixer.Remove(&c);
    EXPECT_TRUE(mixer.Empty());
    Constant up1(30000, 2), up2(20000, 2), down1(-30000, 2), down2(-20000, 2);
    mixer.Add(&up1);
    mixer.Add(&up2);
    mixer.Mix(out, 1);
    EXPECT_EQ(out[0], INT16_MAX);
    mixer.Remove(&up1);
    mixer.Remove(&up2);
    mixer.Add(&down1);
    mixer.Add(&down2);
    mixer.Mix(out, 1);
    EXPECT_EQ(out[1], INT16_MIN);
}

TEST(AudioPacer, AnOutputThatTakesSoundAtOnceWaitsForTheClockOneInTimeNever)
{
    struct Step {
        uint64_t now;
        size_t frames;
        uint32_t wait;
    };
    // 1000 frames a second, 100 ms ahead allowed.
    const Step steps[] = {
        {1000, 50, 0},   {1000, 50, 0},  // 100 ms handed out at once: still within what may be ahead
        {1000, 50, 50},  {1050, 50, 50}, // a device that takes everything waits for the clock
        {1100, 50, 50},  {1150, 0, 0},   // caught up
        {2000, 20, 0},                   // it fell behind: counting anew, no credit for a burst
        {2000, 100, 20}, {2050, 30, 0},  // a device that keeps time and one that does not
    };
    AudioPacer pacer(1000, 100);
    pacer.Restart(1000);
    for (const Step& step : steps)
        EXPECT_EQ(pacer.Delivered(step.now, step.frames), step.wait) << step.now << " +" << step.frames;
    pacer.Restart(500); // a restart forgets what was handed out
    EXPECT_EQ(pacer.Delivered(500, 100), 0u);
}

TEST(LiveInput, KeysAndButtonsAsTheCloseEventsKnowThem)
{
    EXPECT_EQ(VirtualKeyOf(SDLK_a), uint32_t('A'));
    EXPECT_EQ(VirtualKeyOf(SDLK_q), uint32_t('Q'));
    EXPECT_EQ(VirtualKeyOf(SDLK_z), uint32_t('Z'));
    EXPECT_EQ(VirtualKeyOf(SDLK_0), uint32_t('0'));
    EXPECT_EQ(VirtualKeyOf(SDLK_9), uint32_t('9'));
    EXPECT_EQ(VirtualKeyOf(SDLK_RETURN), SaverKey::kReturn);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER), SaverKey::kReturn);
    EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), SaverKey::kEscape);
    EXPECT_EQ(VirtualKeyOf(SDLK_F1), 0x70u);
    EXPECT_EQ(VirtualKeyOf(SDLK_F12), 0x7Bu);
    EXPECT_EQ(VirtualKeyOf(SDLK_VOLUMEUP), 0xFFu) << "no letter or digit for a key without a code";

    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_LEFT, true, 1), SaverMsg::kLButtonDown);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_LEFT, true, 2), SaverMsg::kLButtonDblClk);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_LEFT, false, 2), SaverMsg::kLButtonUp);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_RIGHT, true, 2), SaverMsg::kRButtonDblClk);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_RIGHT, false, 1), SaverMsg::kRButtonUp);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_MIDDLE, true, 2), SaverMsg::kMButtonDown);
    EXPECT_EQ(MouseMessageOf(SDL_BUTTON_X1, true, 1), 0u);
}
