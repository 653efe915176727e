#include "media/posix/AvAudioSource.h"

#include "media/posix/AvMediaFile.h"

#include "media/posix/AvLibrary.h"

#include <algorithm>
#include <cstring>

AvAudioSource::~AvAudioSource()
{
    Close();
}

void AvAudioSource::Close()
{
    // Everything else is made after the input opened: a source never opened needs no libraries to close.
    if (format_) {
        const AvFunctions& av = *Av();
        av.swr_free(&swr_);
        av.av_frame_free(&frame_);
        av.av_packet_free(&packet_);
        av.avcodec_free_context(&audio_);
        av.avformat_close_input(&format_);
    }
    stream_ = -1;
    pending_.clear();
    pendingPos_ = 0;
    inputEnded_ = ended_ = false;
}

bool AvAudioSource::Open(const std::string& path)
{
    Close();
    format_ = AvOpenInput(path);
    if (!format_)
        return false;
    const AVCodec* codec = nullptr;
    stream_ = Av()->av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec || !AvIsPlayableSound(format_->streams[stream_]))
        return Close(), false;
    audio_ = Av()->avcodec_alloc_context3(codec);
    if (!audio_ || Av()->avcodec_parameters_to_context(audio_, format_->streams[stream_]->codecpar) < 0 ||
        Av()->avcodec_open2(audio_, codec, nullptr) < 0)
        return Close(), false;

    AVChannelLayout in{};
    if (audio_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || Av()->av_channel_layout_copy(&in, &audio_->ch_layout) < 0)
        Av()->av_channel_layout_default(&in, std::max(1, audio_->ch_layout.nb_channels));
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    const int made = Av()->swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_S16, kRate, &in, audio_->sample_fmt,
                                               audio_->sample_rate, 0, nullptr);
    channels_ = in.nb_channels;
    Av()->av_channel_layout_uninit(&in);
    if (made < 0 || Av()->swr_init(swr_) < 0)
        return Close(), false;
    packet_ = Av()->av_packet_alloc();
    frame_ = Av()->av_frame_alloc();
    if (!packet_ || !frame_)
        return Close(), false;
    return true;
}

bool AvAudioSource::Rewind()
{
    if (!format_)
        return false;
    if (Av()->av_seek_frame(format_, stream_, 0, AVSEEK_FLAG_BACKWARD) < 0 &&
        Av()->av_seek_frame(format_, -1, 0, AVSEEK_FLAG_BYTE) < 0)
        return false;
    Av()->avcodec_flush_buffers(audio_);
    Av()->swr_init(swr_); // drops what the resampler held back
    pending_.clear();
    pendingPos_ = 0;
    inputEnded_ = ended_ = false;
    return true;
}

bool AvAudioSource::Convert(const AVFrame* frame)
{
    // The resampler was set up for the stream's first format: a frame in another one is dropped.
    if (frame &&
        (frame->sample_rate != audio_->sample_rate || frame->format != audio_->sample_fmt ||
         frame->ch_layout.nb_channels != channels_))
        return false;
    const int inSamples = frame ? frame->nb_samples : 0;
    const int room = Av()->swr_get_out_samples(swr_, inSamples);
    if (room <= 0)
        return false;
    pending_.resize(size_t(room) * kChannels);
    uint8_t* outPlanes[1] = {reinterpret_cast<uint8_t*>(pending_.data())};
    const int got = Av()->swr_convert(swr_, outPlanes, room,
                                      frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, inSamples);
    pending_.resize(size_t(std::max(got, 0)) * kChannels);
    pendingPos_ = 0;
    return got > 0;
}

bool AvAudioSource::DecodeMore()
{
    for (;;) {
        const int received = Av()->avcodec_receive_frame(audio_, frame_);
        if (received == 0) {
            if (Convert(frame_))
                return true;
            continue;
        }
        if (received != AVERROR(EAGAIN))
            return Convert(nullptr); // the resampler's last samples
        if (inputEnded_)
            return Convert(nullptr);
        for (;;) {
            if (Av()->av_read_frame(format_, packet_) < 0) {
                inputEnded_ = true;
                Av()->avcodec_send_packet(audio_, nullptr);
                break;
            }
            const int sent = packet_->stream_index == stream_ ? Av()->avcodec_send_packet(audio_, packet_) : -1;
            Av()->av_packet_unref(packet_);
            if (sent == 0)
                break;
        }
    }
}

size_t AvAudioSource::Read(int16_t* out, size_t frames)
{
    size_t done = 0;
    while (done < frames && format_) {
        if (pendingPos_ < pending_.size()) {
            const size_t n = std::min(frames - done, (pending_.size() - pendingPos_) / kChannels);
            std::memcpy(out + done * kChannels, pending_.data() + pendingPos_, n * kChannels * sizeof(int16_t));
            pendingPos_ += n * kChannels;
            done += n;
            continue;
        }
        if (ended_ || !DecodeMore())
            ended_ = true;
        if (ended_ && pendingPos_ >= pending_.size())
            break;
    }
    return done;
}
