#pragma once
#include "media/posix/AudioSink.h"

#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

// The sound of a media file decoded and converted for an audio sink, with a demuxer of its own so that it
// never disturbs the device's video frames.
class AvAudioSource final : public IAudioSource {
public:
    AvAudioSource() = default;
    ~AvAudioSource() override;
    AvAudioSource(const AvAudioSource&) = delete;
    AvAudioSource& operator=(const AvAudioSource&) = delete;

    // False when the file has no sound that decodes.
    bool Open(const std::string& path);
    // Back to the first sample; only while no sink reads the source.
    bool Rewind();
    size_t Read(int16_t* out, size_t frames) override;

private:
    void Close();
    bool DecodeMore();
    bool Convert(const AVFrame* frame);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    SwrContext* swr_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    int channels_ = 0;
    std::vector<int16_t> pending_;
    size_t pendingPos_ = 0;
    bool inputEnded_ = false;
    bool ended_ = false;
};
