#pragma once
#include "gfx/Picture.h"

#include <cstdint>
#include <string>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

// One media file opened with FFmpeg's libraries: its length, the size of its pictures, and its video frames
// decoded on demand for any playing position, moving forward frame by frame and back by seeking.
class AvMediaFile {
public:
    // Pictures larger than this are refused at open.
    static constexpr int64_t kMaxPixels = 8192 * 8192;

    AvMediaFile() = default;
    ~AvMediaFile();
    AvMediaFile(const AvMediaFile&) = delete;
    AvMediaFile& operator=(const AvMediaFile&) = delete;

    // False for anything that is not a sound or video FFmpeg can decode.
    bool Open(const std::string& path);
    void Close();

    int64_t LengthMs() const { return lengthMs_; }
    bool HasVideo() const { return videoStream_ >= 0; }
    bool HasAudio() const { return hasAudio_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draws the frame on screen at the position, scaled to dest (clipped to clip and the target). False when
    // there is no picture to show.
    bool DrawFrame(int64_t positionMs, Picture& target, const Rect& dest, const Rect& clip);
    // The frame on screen at the position, scaled to width x height (kept until the next call).
    const Picture* ScaledFrame(int64_t positionMs, int width, int height);

private:
    bool DecodeNext(AVFrame* into);
    bool Rewind();
    int64_t FrameTimeMs(const AVFrame* frame) const;
    bool Scale(const AVFrame* frame, int width, int height);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* current_ = nullptr; // on screen
    AVFrame* next_ = nullptr;    // decoded ahead
    SwsContext* sws_ = nullptr;
    int videoStream_ = -1;
    bool hasAudio_ = false;
    bool haveCurrent_ = false;
    bool haveNext_ = false;
    bool inputEnded_ = false;
    bool decoderEnded_ = false;
    int64_t lengthMs_ = 0;
    int width_ = 0;
    int height_ = 0;
    int64_t currentSerial_ = 0; // counts frames put on screen, so a scaled copy is made once per frame
    int64_t scaledSerial_ = -1;
    int64_t advanced_ = 0; // frames moved on since the start
    Picture scaled_;
};

// "file:" and the path, so that no part of a name is ever taken for another protocol.
std::string AvFileUrl(const std::string& path);
// Opens a file for demuxing with only the file protocol and the sound and video containers a show plays.
// Null on failure.
AVFormatContext* AvOpenInput(const std::string& path);
// A sound stream a device plays: a decoder's rate and channels within what sound cards know.
bool AvIsPlayableSound(const AVStream* stream);
