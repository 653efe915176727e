#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/RenderFrames.h"

// A rendered show as a video file: H.264 pictures at the render's frame rate and, when asked, AAC sound,
// in the container the file's extension names (MP4 for .mp4). Sides of an odd number of pixels lose their
// last row or column, which H.264's colour sampling cannot hold.
class VideoFileWriter final : public IFrameOutput {
public:
    VideoFileWriter();
    ~VideoFileWriter() override;
    VideoFileWriter(const VideoFileWriter&) = delete;
    VideoFileWriter& operator=(const VideoFileWriter&) = delete;

    // Before Open: a fragmented MP4 of fragments about this long (0: an ordinary one), each written out as it
    // is complete, so that a player can play the file while it grows (so it is written in its place, not beside).
    void SetFragments(int ms) { fragmentMs_ = ms; }
    // Creates the file. False with a message when it cannot be.
    bool Open(const std::string& path, int width, int height, int fps, bool sound, std::string& error);
    bool Write(int index, const Picture& screen, bool repeat, std::string& error) override;
    // Interleaved stereo samples at 44100 Hz, following those before.
    bool WriteSound(const std::vector<int16_t>& samples, std::string& error);
    // Ends the streams and writes the file's index; false when that fails. A file not finished is removed.
    bool Finish(std::string& error);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int fragmentMs_ = 0;
};
