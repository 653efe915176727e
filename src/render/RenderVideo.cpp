#include "render/RenderVideo.h"

#include <algorithm>

#include "media/posix/AvLibrary.h"

#include <cstdio>

#include "platform/ReplacingFile.h"

namespace {

constexpr int kSampleRate = 44100;

std::string AvError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    Av()->av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

struct VideoFileWriter::Impl {
    std::string path;
    // Written beside the path and put there when finished: an earlier video stays whole until then.
    std::unique_ptr<ReplacingFile> file;
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* sws = nullptr;
    int width = 0;
    int height = 0;
    std::vector<float> left, right; // samples waiting for a whole sound frame
    int64_t soundPts = 0;
    bool headerWritten = false;

    ~Impl()
    {
        // Nothing of FFmpeg's is made before the output context: without it there is nothing to free.
        if (format) {
            const AvFunctions& av = *Av();
            av.sws_freeContext(sws);
            av.av_frame_free(&picture);
            av.av_frame_free(&sound);
            av.av_packet_free(&packet);
            av.avcodec_free_context(&video);
            av.avcodec_free_context(&audio);
            if (format->pb)
                av.avio_closep(&format->pb);
            av.avformat_free_context(format);
        }
        // A file not finished goes with `file`.
    }

    // Sends a frame (null: the end) and writes every packet the encoder has ready.
    bool Encode(AVCodecContext* codec, AVStream* stream, AVFrame* frame, std::string& error)
    {
        int result = Av()->avcodec_send_frame(codec, frame);
        if (result < 0) {
            error = "cannot encode " + path + ": " + AvError(result);
            return false;
        }
        while ((result = Av()->avcodec_receive_packet(codec, packet)) >= 0) {
            Av()->av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            result = Av()->av_interleaved_write_frame(format, packet);
            if (result < 0) {
                error = "cannot write " + path + ": " + AvError(result);
                return false;
            }
        }
        return result == AVERROR(EAGAIN) || result == AVERROR_EOF;
    }

    bool EncodeSoundFrames(bool all, std::string& error)
    {
        const size_t frameSize = static_cast<size_t>(audio->frame_size > 0 ? audio->frame_size : 1024);
        while (left.size() >= frameSize || (all && !left.empty())) {
            const size_t n = std::min(frameSize, left.size());
            if (Av()->av_frame_make_writable(sound) < 0) {
                error = "out of memory";
                return false;
            }
            sound->nb_samples = static_cast<int>(n);
            std::copy_n(left.begin(), n, reinterpret_cast<float*>(sound->data[0]));
            std::copy_n(right.begin(), n, reinterpret_cast<float*>(sound->data[1]));
            left.erase(left.begin(), left.begin() + static_cast<ptrdiff_t>(n));
            right.erase(right.begin(), right.begin() + static_cast<ptrdiff_t>(n));
            sound->pts = soundPts;
            soundPts += static_cast<int64_t>(n);
            if (!Encode(audio, audioStream, sound, error))
                return false;
        }
        return true;
    }
};

VideoFileWriter::VideoFileWriter() : impl_(std::make_unique<Impl>())
{
}

VideoFileWriter::~VideoFileWriter() = default;

bool VideoFileWriter::Open(const std::string& path, int width, int height, int fps, bool sound, std::string& error)
{
    Impl& d = *impl_;
    if (!Av()) {
        error = "cannot write videos without FFmpeg's libraries: " + AvLoadError();
        return false;
    }
    const AvFunctions& av = *Av();
    d.width = width & ~1;
    d.height = height & ~1;
    if (d.width < 2 || d.height < 2 || fps < 1) {
        error = "a video needs at least 2 x 2 pixels";
        return false;
    }
    if (av.avformat_alloc_output_context2(&d.format, nullptr, nullptr, path.c_str()) < 0 || !d.format) {
        if (av.avformat_alloc_output_context2(&d.format, nullptr, "mp4", path.c_str()) < 0 || !d.format) {
            error = "cannot make a video file " + path;
            return false;
        }
    }
    const AVCodec* h264 = av.avcodec_find_encoder_by_name("libx264");
    if (!h264)
        h264 = av.avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!h264) {
        error = "this system's FFmpeg has no H.264 encoder";
        return false;
    }
    d.video = av.avcodec_alloc_context3(h264);
    d.videoStream = av.avformat_new_stream(d.format, nullptr);
    d.packet = av.av_packet_alloc();
    d.picture = av.av_frame_alloc();
    if (!d.video || !d.videoStream || !d.packet || !d.picture) {
        error = "out of memory";
        return false;
    }
    d.video->width = d.width;
    d.video->height = d.height;
    d.video->time_base = AVRational{1, fps};
    d.video->framerate = AVRational{fps, 1};
    d.video->pix_fmt = AV_PIX_FMT_YUV420P;
    d.video->gop_size = fps * 10;
    d.video->thread_count = 2;
    if (d.format->oformat->flags & AVFMT_GLOBALHEADER)
        d.video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (fragmentMs_ > 0) {
        // Every fragment starts with a key frame; without look-ahead each frame leaves the encoder at once.
        d.video->gop_size = std::max(1, fps * fragmentMs_ / 1000);
        av.av_opt_set(d.video->priv_data, "tune", "zerolatency", 0);
        av.av_opt_set(d.format->priv_data, "movflags", "frag_keyframe+empty_moov+default_base_moof", 0);
        d.format->flush_packets = 1;
    }
    av.av_opt_set(d.video->priv_data, "preset", "superfast", 0);
    av.av_opt_set(d.video->priv_data, "crf", "20", 0);
    int result = av.avcodec_open2(d.video, h264, nullptr);
    if (result < 0 || av.avcodec_parameters_from_context(d.videoStream->codecpar, d.video) < 0) {
        error = "cannot start the H.264 encoder: " + AvError(result);
        return false;
    }
    d.videoStream->time_base = d.video->time_base;
    d.picture->format = AV_PIX_FMT_YUV420P;
    d.picture->width = d.width;
    d.picture->height = d.height;
    if (av.av_frame_get_buffer(d.picture, 0) < 0) {
        error = "out of memory";
        return false;
    }
    d.sws = av.sws_getContext(d.width, d.height, AV_PIX_FMT_BGR0, d.width, d.height, AV_PIX_FMT_YUV420P, SWS_POINT,
                              nullptr, nullptr, nullptr);
    if (!d.sws) {
        error = "cannot convert pictures for the video";
        return false;
    }

    if (sound) {
        const AVCodec* aac = av.avcodec_find_encoder(AV_CODEC_ID_AAC);
        d.audio = aac ? av.avcodec_alloc_context3(aac) : nullptr;
        d.audioStream = d.audio ? av.avformat_new_stream(d.format, nullptr) : nullptr;
        d.sound = av.av_frame_alloc();
        if (!d.audio || !d.audioStream || !d.sound) {
            error = "this system's FFmpeg has no AAC encoder";
            return false;
        }
        d.audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
        d.audio->sample_rate = kSampleRate;
        av.av_channel_layout_default(&d.audio->ch_layout, 2);
        d.audio->bit_rate = 160000;
        d.audio->time_base = AVRational{1, kSampleRate};
        if (d.format->oformat->flags & AVFMT_GLOBALHEADER)
            d.audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        result = av.avcodec_open2(d.audio, aac, nullptr);
        if (result < 0 || av.avcodec_parameters_from_context(d.audioStream->codecpar, d.audio) < 0) {
            error = "cannot start the AAC encoder: " + AvError(result);
            return false;
        }
        d.audioStream->time_base = d.audio->time_base;
        d.sound->format = AV_SAMPLE_FMT_FLTP;
        d.sound->sample_rate = kSampleRate;
        av.av_channel_layout_copy(&d.sound->ch_layout, &d.audio->ch_layout);
        d.sound->nb_samples = d.audio->frame_size > 0 ? d.audio->frame_size : 1024;
        if (av.av_frame_get_buffer(d.sound, 0) < 0) {
            error = "out of memory";
            return false;
        }
    }

    d.path = path;
    // A stream is read while it grows, so it is written in its own place; a finished video takes it at the end.
    if (fragmentMs_ <= 0) {
        d.file = std::make_unique<ReplacingFile>(path);
        d.file->Reserve();
    }
    result = av.avio_open(&d.format->pb, d.file ? d.file->TemporaryPath().c_str() : path.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) {
        error = "cannot write " + path + ": " + AvError(result);
        return false;
    }
    result = av.avformat_write_header(d.format, nullptr);
    if (result < 0) {
        error = "cannot write " + path + ": " + AvError(result);
        return false;
    }
    d.headerWritten = true;
    return true;
}

bool VideoFileWriter::Write(int index, const Picture& screen, bool repeat, std::string& error)
{
    Impl& d = *impl_;
    if (!d.headerWritten)
        return false;
    if (!repeat || index == 0) {
        // The encoder may still hold the frame before: the pixels go into a buffer of their own.
        if (Av()->av_frame_make_writable(d.picture) < 0) {
            error = "out of memory";
            return false;
        }
        if (screen.Width() >= d.width && screen.Height() >= d.height) {
            const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(screen.Pixels())};
            const int stride[1] = {screen.Stride() * 4};
            Av()->sws_scale(d.sws, source, stride, 0, d.height, d.picture->data, d.picture->linesize);
        }
    }
    d.picture->pts = index;
    return d.Encode(d.video, d.videoStream, d.picture, error);
}

bool VideoFileWriter::WriteSound(const std::vector<int16_t>& samples, std::string& error)
{
    Impl& d = *impl_;
    if (!d.audio)
        return true;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        d.left.push_back(samples[i] / 32768.0f);
        d.right.push_back(samples[i + 1] / 32768.0f);
    }
    return d.EncodeSoundFrames(false, error);
}

bool VideoFileWriter::Finish(std::string& error)
{
    Impl& d = *impl_;
    if (!d.headerWritten)
        return false;
    if (d.audio && (!d.EncodeSoundFrames(true, error) || !d.Encode(d.audio, d.audioStream, nullptr, error)))
        return false;
    if (!d.Encode(d.video, d.videoStream, nullptr, error))
        return false;
    const int result = Av()->av_write_trailer(d.format);
    if (result < 0) {
        error = "cannot write " + d.path + ": " + AvError(result);
        return false;
    }
    const int closed = Av()->avio_closep(&d.format->pb);
    if (closed < 0) {
        error = "cannot write " + d.path + ": " + AvError(closed);
        return false;
    }
    if (d.file && !d.file->Commit()) {
        error = d.file->Error();
        return false;
    }
    return true;
}
