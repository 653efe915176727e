#include "media/posix/AvMediaFile.h"

#include "media/posix/AvLibrary.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kMaxSampleRate = 768000;
constexpr int kMaxChannels = 64;

// The containers of sounds and videos a show plays; playlists, image sequences and the like never open.
constexpr const char* kFormats = "wav,w64,mp3,aac,ac3,eac3,flac,ogg,aiff,au,caf,wv,amr,avi,mov,matroska,mpeg,mpegts,"
                                 "mpegvideo,asf,flv,m4v,h264,hevc,dv";

int64_t ToMs(int64_t value, AVRational base)
{
    return Av()->av_rescale_q(value, base, AVRational{1, 1000});
}

// Sounds whose rate or channels no sound card knows are not sound: converting them would take unbounded
// memory.
bool IsSound(const AVStream* stream)
{
    const AVCodecParameters* par = stream->codecpar;
    return par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate >= 1 && par->sample_rate <= kMaxSampleRate &&
        par->ch_layout.nb_channels >= 1 && par->ch_layout.nb_channels <= kMaxChannels;
}

bool IsPicture(const AVStream* stream)
{
    return stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC);
}

// The end of the last packet, for files whose length the container only estimates from the bit rate.
int64_t ScanLengthMs(AVFormatContext* format)
{
    AVPacket* packet = Av()->av_packet_alloc();
    if (!packet)
        return 0;
    int64_t end = 0;
    while (Av()->av_read_frame(format, packet) >= 0) {
        const AVStream* stream = format->streams[packet->stream_index];
        if (packet->pts != AV_NOPTS_VALUE) {
            const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
            end = std::max(end, ToMs(packet->pts - start + std::max<int64_t>(packet->duration, 0), stream->time_base));
        }
        Av()->av_packet_unref(packet);
    }
    Av()->av_packet_free(&packet);
    return end;
}

int64_t LengthOf(AVFormatContext* format)
{
    if (format->duration > 0)
        return Av()->av_rescale(format->duration, 1000, AV_TIME_BASE);
    int64_t longest = 0;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->duration > 0)
            longest = std::max(longest, ToMs(stream->duration, stream->time_base));
    }
    return longest;
}

} // namespace

bool AvIsPlayableSound(const AVStream* stream)
{
    return IsSound(stream);
}

std::string AvFileUrl(const std::string& path)
{
    return "file:" + path;
}

AVFormatContext* AvOpenInput(const std::string& path)
{
    if (!Av())
        return nullptr;
    AVDictionary* options = nullptr;
    Av()->av_dict_set(&options, "protocol_whitelist", "file", 0);
    Av()->av_dict_set(&options, "format_whitelist", kFormats, 0);
    AVFormatContext* format = nullptr;
    const int opened = Av()->avformat_open_input(&format, AvFileUrl(path).c_str(), nullptr, &options);
    Av()->av_dict_free(&options);
    if (opened < 0)
        return nullptr;

    // The decoders that look at the first packets obey the same picture limit as playback.
    std::vector<AVDictionary*> streamOptions(format->nb_streams, nullptr);
    for (AVDictionary*& o : streamOptions) {
        Av()->av_dict_set_int(&o, "max_pixels", AvMediaFile::kMaxPixels, 0);
        Av()->av_dict_set(&o, "threads", "1", 0);
    }
    const int found = Av()->avformat_find_stream_info(format, streamOptions.empty() ? nullptr : streamOptions.data());
    for (AVDictionary*& o : streamOptions)
        Av()->av_dict_free(&o);
    if (found < 0) {
        Av()->avformat_close_input(&format);
        return nullptr;
    }
    return format;
}

AvMediaFile::~AvMediaFile()
{
    Close();
}

void AvMediaFile::Close()
{
    // Everything else is made after the input opened: a file never opened needs no libraries to close.
    if (format_) {
        const AvFunctions& av = *Av();
        av.sws_freeContext(sws_);
        sws_ = nullptr;
        av.av_frame_free(&current_);
        av.av_frame_free(&next_);
        av.av_packet_free(&packet_);
        av.avcodec_free_context(&video_);
        av.avformat_close_input(&format_);
    }
    videoStream_ = -1;
    hasAudio_ = false;
    haveCurrent_ = haveNext_ = inputEnded_ = decoderEnded_ = false;
    lengthMs_ = 0;
    width_ = height_ = 0;
    scaledSerial_ = -1;
    advanced_ = 0;
    scaled_.Free();
}

bool AvMediaFile::Open(const std::string& path)
{
    Close();
    format_ = AvOpenInput(path);
    if (!format_)
        return false;

    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        const AVStream* stream = format_->streams[i];
        const AVCodecParameters* par = stream->codecpar;
        if (!Av()->avcodec_find_decoder(par->codec_id))
            continue;
        if (IsSound(stream))
            hasAudio_ = true;
        else if (videoStream_ < 0 && IsPicture(stream) && par->width > 0 && par->height > 0 &&
                 int64_t(par->width) * par->height <= kMaxPixels)
            videoStream_ = int(i);
    }
    if (videoStream_ >= 0) {
        const AVCodecParameters* par = format_->streams[videoStream_]->codecpar;
        video_ = Av()->avcodec_alloc_context3(Av()->avcodec_find_decoder(par->codec_id));
        if (!video_ || Av()->avcodec_parameters_to_context(video_, par) < 0) {
            Close();
            return false;
        }
        video_->max_pixels = kMaxPixels;
        video_->thread_count = 0;
        if (Av()->avcodec_open2(video_, video_->codec, nullptr) < 0) {
            // A picture that cannot be decoded leaves a file that may still have sound.
            Av()->avcodec_free_context(&video_);
            videoStream_ = -1;
        } else {
            width_ = par->width;
            height_ = par->height;
        }
    }
    if (videoStream_ < 0 && !hasAudio_) {
        Close();
        return false;
    }

    if (format_->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE || LengthOf(format_) <= 0) {
        // The bit rate only guesses (variable-rate MP3 without a header): count the packets, then start over.
        lengthMs_ = ScanLengthMs(format_);
        if (Av()->av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BACKWARD) < 0)
            Av()->av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE);
    } else {
        lengthMs_ = LengthOf(format_);
    }
    packet_ = Av()->av_packet_alloc();
    current_ = Av()->av_frame_alloc();
    next_ = Av()->av_frame_alloc();
    if (!packet_ || !current_ || !next_) {
        Close();
        return false;
    }
    return true;
}

bool AvMediaFile::DecodeNext(AVFrame* into)
{
    if (!video_ || decoderEnded_)
        return false;
    for (;;) {
        const int received = Av()->avcodec_receive_frame(video_, into);
        if (received == 0) {
            if (into->width > 0 && into->height > 0 && into->format >= 0)
                return true;
            continue; // nothing to show in it
        }
        if (received != AVERROR(EAGAIN)) {
            decoderEnded_ = true;
            return false;
        }
        if (inputEnded_) {
            decoderEnded_ = true; // drained and still asking for input
            return false;
        }
        for (;;) {
            if (Av()->av_read_frame(format_, packet_) < 0) {
                inputEnded_ = true;
                Av()->avcodec_send_packet(video_, nullptr);
                break;
            }
            const bool ours = packet_->stream_index == videoStream_;
            // A damaged packet is skipped; the decoder goes on with the next.
            const int sent = ours ? Av()->avcodec_send_packet(video_, packet_) : -1;
            Av()->av_packet_unref(packet_);
            if (sent == 0)
                break;
        }
    }
}

bool AvMediaFile::Rewind()
{
    const AVStream* stream = format_->streams[videoStream_];
    const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    if (Av()->av_seek_frame(format_, videoStream_, start, AVSEEK_FLAG_BACKWARD) < 0 &&
        Av()->av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE) < 0)
        return false;
    Av()->avcodec_flush_buffers(video_);
    advanced_ = 0;
    haveCurrent_ = haveNext_ = inputEnded_ = decoderEnded_ = false;
    return true;
}

int64_t AvMediaFile::FrameTimeMs(const AVFrame* frame) const
{
    const AVStream* stream = format_->streams[videoStream_];
    int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = frame->pts;
    if (ts == AV_NOPTS_VALUE)
        return 0;
    const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    return ToMs(ts - start, stream->time_base);
}

const Picture* AvMediaFile::ScaledFrame(int64_t positionMs, int width, int height)
{
    if (!video_ || width <= 0 || height <= 0)
        return nullptr;
    // Played again from the start: back to the first frame.
    if (haveCurrent_ && positionMs < FrameTimeMs(current_) && advanced_ > 0 && !Rewind())
        return nullptr;
    if (!haveCurrent_) {
        haveCurrent_ = DecodeNext(current_);
        if (!haveCurrent_)
            return nullptr;
        ++currentSerial_;
        haveNext_ = false;
    }
    if (!haveNext_)
        haveNext_ = DecodeNext(next_);
    while (haveNext_ && FrameTimeMs(next_) <= positionMs) {
        std::swap(current_, next_);
        ++currentSerial_;
        ++advanced_;
        haveNext_ = DecodeNext(next_);
    }
    if (scaledSerial_ != currentSerial_ || scaled_.Width() != width || scaled_.Height() != height) {
        if (!Scale(current_, width, height))
            return nullptr;
        scaledSerial_ = currentSerial_;
    }
    return &scaled_;
}

bool AvMediaFile::Scale(const AVFrame* frame, int width, int height)
{
    if ((scaled_.Width() != width || scaled_.Height() != height) && !scaled_.CreateBlank(width, height, 0))
        return false;
    sws_ = Av()->sws_getCachedContext(sws_, frame->width, frame->height, AVPixelFormat(frame->format), width, height,
                                      AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!sws_)
        return false;
    uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(scaled_.Pixels()), nullptr, nullptr, nullptr};
    const int strides[4] = {scaled_.Stride() * 4, 0, 0, 0};
    return Av()->sws_scale(sws_, frame->data, frame->linesize, 0, frame->height, planes, strides) > 0;
}

bool AvMediaFile::DrawFrame(int64_t positionMs, Picture& target, const Rect& dest, const Rect& clip)
{
    const Picture* frame = ScaledFrame(positionMs, dest.Width(), dest.Height());
    if (!frame)
        return false;
    const Rect visible = dest.Intersect(clip).Intersect(target.GetRect());
    if (!visible.IsEmpty())
        target.BitBlt(visible.left, visible.top, visible.Width(), visible.Height(), *frame, visible.left - dest.left,
                      visible.top - dest.top);
    return true;
}
