#pragma once
#include <memory>
#include <string>

#include "gfx/Picture.h"
#include "model/MediaFile.h"

class SecondThread;

// The picture of an image item that comes later, decoded and scaled for its slide on a second thread while
// the current slide is shown, so that the item's slide is composed at once when it comes. What is prepared
// is exactly what composing the slide would make of the picture.
class SlidePrefetch {
public:
    struct Prepared {
        Picture image;      // as decoded (a large JPEG possibly at a reduced scale)
        int fullWidth = -1; // the picture's own size, by which the slide goes
        int fullHeight = -1;
        // Scaled to the slide (HALFTONE) where the slide is no larger than the frame: of an opaque picture
        // the slide's image itself, of a colour-keyed one the stretched copy the key is taken from.
        Picture scaled;
    };

    // Which item's picture: its file, its colour key, and the zoom its pan and zoom ends at (100 without).
    struct Item {
        std::string fileName;
        bool colourKey = false;
        int zoomPercent = 100;
        bool operator==(const Item&) const = default;
    };

    SlidePrefetch();
    ~SlidePrefetch();
    SlidePrefetch(const SlidePrefetch&) = delete;
    SlidePrefetch& operator=(const SlidePrefetch&) = delete;

    // Starts preparing the file found for the item for a frame of that size and the scale mode; what was
    // being prepared before is waited for and dropped.
    void Start(MediaFileSource source, const Item& item, Size frame, int scaleMode);
    // Waits for the work under way (nothing else may decode pictures meanwhile).
    void Wait();
    // What was prepared for exactly this item, frame and scale mode, waited for; false, with nothing taken,
    // for anything else or when the picture did not load. Either way nothing stays prepared.
    bool Take(const Item& item, Size frame, int scaleMode, Prepared& out);

private:
    struct Work;
    std::unique_ptr<Work> work_;
    std::unique_ptr<SecondThread> thread_; // goes first: its work uses work_
};
