#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ComPicture.h"

// The frames of a show rendered without a display: what the screen shows at fixed steps of virtual time,
// written as numbered PNG files, and a contact sheet of every n-th frame.
class CRenderFrames {
public:
    // fps frames per second for `frameCount` frames; every `sheetEvery`-th frame goes on the contact sheet.
    CRenderFrames(std::string outDir, int width, int height, int fps, int frameCount);

    // Time of frame i in milliseconds since the show started.
    uint64_t FrameTime(int index) const;
    int NextFrame() const { return next_; }
    bool Done() const { return next_ >= frameCount_; }
    int FrameCount() const { return frameCount_; }
    int SheetEvery() const { return sheetEvery_; }

    // Writes every frame due before `until` as showing `screen` (black where it is null or empty).
    void CaptureBefore(uint64_t until, const CComPicture* screen);
    // Writes the contact sheet "contact-sheet.png"; false when it cannot be written.
    bool WriteContactSheet();

    // Frames written so far; false once a file could not be written (the error says which).
    bool Ok() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    int DistinctFrames() const { return distinct_; }

    static std::string FrameName(int index);

private:
    void WriteFrame(const CComPicture& screen);

    std::string outDir_;
    int width_;
    int height_;
    int fps_;
    int frameCount_;
    int sheetEvery_;
    int next_ = 0;
    int distinct_ = 0;
    uint64_t lastHash_ = 0;
    std::string lastPng_;
    CComPicture black_;
    std::vector<CComPicture> thumbnails_;
    std::string error_;
};

// Encodes a picture as PNG bytes (RGB); empty on failure.
std::string EncodePng(const CComPicture& picture);
