#include "slides/SlidePrefetch.h"

#include "base/SecondThread.h"
#include "gfx/AlphaStretch.h"
#include "slides/SlideGeometry.h"
#include "slides/SlideImage.h"

struct SlidePrefetch::Work {
    MediaFileSource source;
    Item item;
    Size frame;
    int scaleMode = 0;
    Prepared result;
    bool loaded = false;

    void Run()
    {
        const auto useFor = [this](int w, int h) { return ZoomedSlideUse(scaleMode, w, h, frame, item.zoomPercent); };
        Picture& image = result.image;
        if (!DecodeSlideImage(image, source, item.fileName, useFor, result.fullWidth, result.fullHeight) ||
            !image.IsLoaded())
            return;
        loaded = true;
        source = MediaFileSource{}; // the file's bytes are not needed any more
        const SlideScale s = ScaleSlide(scaleMode, result.fullWidth, result.fullHeight, frame.cx, frame.cy);
        // A slide larger than the frame (a picture shown at its own size) is stretched only where it shows.
        if (s.destW < 1 || s.destH < 1 || s.destW > frame.cx || s.destH > frame.cy ||
            !result.scaled.CreateBlank(s.destW, s.destH, 0))
            return;
        if (item.colourKey) {
            result.scaled.SetStretchBltMode(kHalftone);
            result.scaled.StretchBlt(0, 0, s.destW, s.destH, image, 0, 0, image.Width(), image.Height());
            result.scaled.SetStretchBltMode(kBlackOnWhite);
        } else if (!image.HasAlpha()) {
            int srcW = s.srcW, srcH = s.srcH;
            LoadedSource(image, result.fullWidth, result.fullHeight, srcW, srcH);
            StretchOver(result.scaled, 0, 0, s.destW, s.destH, image, srcW, srcH);
        } else {
            // Laid over what the slide shows beneath it: only when the slide is composed.
            result.scaled.Free();
        }
    }
};

SlidePrefetch::SlidePrefetch() = default;

SlidePrefetch::~SlidePrefetch()
{
    thread_.reset();
}

void SlidePrefetch::Start(MediaFileSource source, const Item& item, Size frame, int scaleMode)
{
    thread_.reset();
    work_ = std::make_unique<Work>();
    work_->source = std::move(source);
    work_->item = item;
    work_->frame = frame;
    work_->scaleMode = scaleMode;
    if (!work_->source.found) {
        work_.reset(); // nothing to decode: the slide finds that out again itself
        return;
    }
    thread_ = std::make_unique<SecondThread>([work = work_.get()] { work->Run(); });
}

void SlidePrefetch::Wait()
{
    if (thread_ && !thread_->JoinSucceeded())
        work_.reset(); // out of memory on the way: the slide loads its picture itself
}

bool SlidePrefetch::Take(const Item& item, Size frame, int scaleMode, Prepared& out)
{
    Wait();
    thread_.reset();
    const std::unique_ptr<Work> work = std::move(work_);
    if (!work || !work->loaded || work->item != item || work->frame != frame || work->scaleMode != scaleMode)
        return false;
    out = std::move(work->result);
    return true;
}
