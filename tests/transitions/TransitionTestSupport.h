#pragma once
#include <atomic>
#include <mutex>
#include <vector>

#include "base/AutoResetEvent.h"
#include "gfx/Picture.h"
#include "transitions/TransitionRequest.h"

// A window that records what a transition shows and posts.
class RecordingWindow : public ITransitionWindow {
public:
    void Present(const Picture&, int x, int y, int width, int height) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        presented.push_back(Rect::FromSize(x, y, width, height));
    }
    void Post(uint32_t message, uint32_t) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        posted.push_back(message);
    }
    std::mutex mutex;
    std::vector<Rect> presented;
    std::vector<uint32_t> posted;
};

// Pictures and request of one transition: background, slide and canvas with distinct colours.
struct TransitionFixture {
    static constexpr Colorref kBackground = 0x00204060;
    static constexpr Colorref kSlide = 0x0000C000;
    static constexpr Colorref kOld = 0x00FFFFFF;

    TransitionFixture(int canvasW, int canvasH, int slideW, int slideH, int left, int top)
    {
        background.CreateBlank(canvasW, canvasH, kBackground);
        canvas.CreateBlank(canvasW, canvasH, kOld);
        slide.CreateBlank(slideW, slideH, kSlide);
        request.window = &window;
        request.background = &background;
        request.slide = &slide;
        request.canvas = &canvas;
        request.slideLeft = left;
        request.slideTop = top;
        request.stopFlag = &stop;
        request.completion = &completion;
    }

    // Counts canvas pixels of a colour inside r.
    int Count(Colorref colour, Rect r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += canvas.GetPixel(x, y) == colour ? 1 : 0;
        return n;
    }

    Picture background, slide, canvas;
    RecordingWindow window;
    std::atomic<int> stop{0};
    AutoResetEvent completion;
    TransitionRequest request;
};
