#pragma once
#include <climits>
#include <string>
#include <vector>

#include "gfx/Picture.h"
#include "gfx/Region.h"
#include "transitions/EffectRun.h"
#include "transitions/EffectTable.h"
#include "transitions/TransitionRequest.h"

// Runs one effect through the real engine in virtual time and keeps what every frame presented (and, when
// asked, the canvas at every frame end). Slide and background pixels never share a colour: slide pixels have
// the top bit of red set, background pixels never do, and every pixel of each encodes its own position, so
// a piece copied from the wrong place shows.
struct EffectTrace {
    // What a window shows: the presented pieces copied from the canvas, regions through their clip.
    struct MirrorWindow final : ITransitionWindow {
        void Present(const Picture& from, int x, int y, int width, int height) override
        {
            screen.BitBlt(x, y, width, height, from, x, y);
        }
        void PresentRegion(const Picture& from, const Region& region) override { screen.CopyThrough(from, region); }
        void Post(uint32_t, uint32_t) override { }
        Picture screen;
    };
    static bool SamePixels(const Picture& a, const Picture& b)
    {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Row(y)[x] != b.Row(y)[x])
                    return false;
        return true;
    }

    // Unique in pictures up to 4096 pixels wide and 2048 high.
    static uint32_t SlidePixel(int x, int y) { return 0x00800000u | (uint32_t(y) << 12 | uint32_t(x)); }
    static uint32_t BackgroundPixel(int x, int y) { return (uint32_t(y) << 12 | uint32_t(x)) & 0x7FFFFFu; }

    EffectTrace(Size window, Size slideSize, Point at) : at(at)
    {
        background.CreateBlank(window.cx, window.cy);
        canvas.CreateBlank(window.cx, window.cy, 0x00FFFFFF);
        slide.CreateBlank(slideSize.cx, slideSize.cy);
        for (int y = 0; y < window.cy; ++y)
            for (int x = 0; x < window.cx; ++x)
                background.Row(y)[x] = BackgroundPixel(x, y);
        for (int y = 0; y < slideSize.cy; ++y)
            for (int x = 0; x < slideSize.cx; ++x)
                slide.Row(y)[x] = SlidePixel(x, y);
    }

    // Runs the effect; stopAfter -1 runs to the end. A run longer than maxFrames is stopped there (and
    // counts as hanging).
    void Run(int index, int step = 10, int stopAfter = -1, bool keepCanvases = false, int maxFrames = 200000,
             const EffectEntry* effect = nullptr)
    {
        EffectRunOptions options;
        options.index = index;
        options.at = at;
        options.step = step;
        options.effect = effect;
        options.stopAfter = stopAfter >= 0 ? stopAfter : maxFrames;
        options.window = &mirror;
        mirror.screen.CreateBlank(canvas.Width(), canvas.Height());
        mirror.screen.BitBlt(0, 0, canvas.Width(), canvas.Height(), canvas, 0, 0);
        result = RunEffect(canvas, background, slide, options, [&](const Picture& shown, const EffectFrame& f) {
            frames.push_back(f);
            if (keepCanvases)
                canvases.push_back(shown.ToDecoded());
            if (!SamePixels(shown, mirror.screen))
                ++framesNotShown;
        });
        hung = stopAfter < 0 && result.frames > maxFrames;
    }

    // Slide pixels on the canvas inside slide rectangle r (slide coordinates), in place.
    int SlidePixelsInPlace(const Rect& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += canvas.Row(at.y + y)[at.x + x] == SlidePixel(x, y);
        return n;
    }
    bool SlideWhole() const
    {
        return SlidePixelsInPlace(Rect{0, 0, slide.Width(), slide.Height()}) == slide.Width() * slide.Height();
    }
    // True when every canvas pixel outside the slide rectangle is the background.
    bool BackgroundOutsideUntouched() const
    {
        const Rect inside = Rect::FromSize(at.x, at.y, slide.Width(), slide.Height());
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (!inside.Contains(x, y) && canvas.Row(y)[x] != BackgroundPixel(x, y))
                    return false;
        return true;
    }
    // The canvas rows (slide coordinates) as text, for small frame-by-frame expectations: '#' slide pixel in
    // place, '.' background in place, '?' anything else.
    std::string Mask(const DecodedImage& shot) const
    {
        std::string text;
        for (int y = 0; y < slide.Height(); ++y) {
            for (int x = 0; x < slide.Width(); ++x) {
                const uint32_t p = shot.pixels[size_t(at.y + y) * shot.width + at.x + x];
                text += p == SlidePixel(x, y) ? '#' : p == BackgroundPixel(at.x + x, at.y + y) ? '.' : '?';
            }
            text += '\n';
        }
        return text;
    }

    Point at;
    Picture background, slide, canvas;
    std::vector<EffectFrame> frames;
    std::vector<DecodedImage> canvases;
    EffectRunResult result;
    bool hung = false;
    int framesNotShown = 0; // frames that ended with canvas pixels the window was never given
    MirrorWindow mirror;
};
