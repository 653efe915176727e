#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Picture.h"

// Where the frames of a rendered show go: numbered PNG files, or a video.
class IFrameOutput {
public:
    virtual ~IFrameOutput() = default;
    // Frame `index` shows `screen`; `repeat` says it shows exactly what the frame before showed. False
    // with a message in error when the frame cannot be written.
    virtual bool Write(int index, const Picture& screen, bool repeat, std::string& error) = 0;
};

// frame-00000.png, frame-00001.png ... in a folder. A frame that repeats the one before is a hard link to
// its file, not a second copy. Each file is written beside its name and takes it only when whole.
class PngFrameFiles final : public IFrameOutput {
public:
    explicit PngFrameFiles(std::string outDir);
    bool Write(int index, const Picture& screen, bool repeat, std::string& error) override;

private:
    std::string outDir_;
    std::string lastPath_;
    std::string lastPng_;
};

// The frames of a show rendered without a display: what the screen shows at fixed steps of virtual time,
// handed to an output, and a contact sheet of every n-th frame. Only what the show presented since the
// frame before is compared to tell a new frame from a repeat.
class RenderFrames {
public:
    // fps frames per second for at most `frameCount` frames.
    RenderFrames(IFrameOutput& output, std::string outDir, int width, int height, int fps, int frameCount);

    // Time of frame i in milliseconds since the show started.
    uint64_t FrameTime(int index) const;
    int NextFrame() const { return next_; }
    bool Done() const { return next_ >= frameCount_; }
    int FrameCount() const { return frameCount_; }
    // The show ends at `time` (ms): no frame from then on, none that was written taken back.
    void EndBefore(uint64_t time);

    // The show drew into the screen picture's rectangle (Present), or changed it all (another window).
    void Presented(const Rect& area);
    void PresentedAll() { all_ = true; }

    // Writes every frame due before `until` as showing `screen` (black where it is null or empty).
    void CaptureBefore(uint64_t until, const Picture* screen);
    // Writes the contact sheet "contact-sheet.png" of up to 36 frames spread over the show; false with the
    // reason when it cannot be written (nothing is left then).
    bool WriteContactSheet(std::string& error);

    // Frames written so far; false once one could not be written (the error says which).
    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    int DistinctFrames() const { return distinct_; }

    // Shows "rendering: N of M frames" on stderr while it runs, when stderr is a terminal; for a show whose
    // end is not known ahead (openEnded), the frames and seconds so far.
    void ShowProgress(bool show, bool openEnded = false)
    {
        progress_ = show;
        openEnded_ = openEnded;
    }
    void ClearProgress();

    static std::string FrameName(int index);

private:
    void WriteFrame(const Picture& screen);
    // Compares the presented parts with the last frame and takes them over; true when any differs.
    bool Changed(const Picture& screen);

    IFrameOutput& output_;
    std::string outDir_;
    int width_;
    int height_;
    int fps_;
    int frameCount_;
    int sheetEvery_ = 1;
    int next_ = 0;
    int distinct_ = 0;
    Picture black_;
    Picture last_; // the last frame written
    const Picture* lastScreen_ = nullptr;
    std::vector<Rect> presented_;
    bool all_ = true;
    bool progress_ = false;
    bool openEnded_ = false;
    int shownPercent_ = -1;
    std::vector<Picture> thumbnails_;
    std::string error_;
};

// Encodes a picture as PNG bytes (RGB) at a fast setting; empty on failure.
std::string EncodePng(const Picture& picture);
// Removes the frame-NNNNN.png files a render left in a folder.
void RemoveOldFrames(const std::string& outDir);
