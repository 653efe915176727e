#pragma once
// Encodes a tone as an MP3 file with FFmpeg's libraries, for tests that need a compressed sound whose
// length is known. False where the encoder is not available.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <string>

inline bool WriteMp3(const std::string& path, int ms, int rate = 44100)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP3);
    AVFormatContext* format = nullptr;
    if (!codec || avformat_alloc_output_context2(&format, nullptr, "mp3", path.c_str()) < 0)
        return false;
    AVCodecContext* c = avcodec_alloc_context3(codec);
    AVStream* stream = avformat_new_stream(format, nullptr);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    bool ok = c && stream && frame && packet;
    if (ok) {
        c->sample_rate = rate;
        c->bit_rate = 128000;
        c->sample_fmt = AV_SAMPLE_FMT_S16P;
        av_channel_layout_default(&c->ch_layout, 1);
        c->time_base = AVRational{1, rate};
        ok = avcodec_open2(c, codec, nullptr) >= 0 && avcodec_parameters_from_context(stream->codecpar, c) >= 0 &&
            avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 && avformat_write_header(format, nullptr) >= 0;
    }
    auto drain = [&] {
        while (avcodec_receive_packet(c, packet) == 0) {
            av_packet_rescale_ts(packet, c->time_base, stream->time_base);
            packet->stream_index = stream->index;
            av_interleaved_write_frame(format, packet);
        }
    };
    const int64_t total = int64_t(rate) * ms / 1000;
    for (int64_t done = 0; ok && done < total;) {
        frame->nb_samples = int(std::min<int64_t>(c->frame_size, total - done));
        frame->format = c->sample_fmt;
        frame->sample_rate = rate;
        av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
        ok = av_frame_get_buffer(frame, 0) >= 0;
        if (!ok)
            break;
        auto* samples = reinterpret_cast<int16_t*>(frame->data[0]);
        for (int i = 0; i < frame->nb_samples; ++i)
            samples[i] = int16_t(8000 * std::sin(2 * 3.141592653589793 * 440 * double(done + i) / rate));
        frame->pts = done;
        done += frame->nb_samples;
        ok = avcodec_send_frame(c, frame) >= 0;
        av_frame_unref(frame);
        drain();
    }
    if (ok) {
        avcodec_send_frame(c, nullptr);
        drain();
        ok = av_write_trailer(format) >= 0;
    }
    if (format && format->pb)
        avio_closep(&format->pb);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&c);
    avformat_free_context(format);
    return ok;
}
