// Speed of the Linux media back end:
//   decoding one frame of a 1080p video and scaling it into the panel (goal: 8 ms or less, so that a live
//   window keeps 60 frames a second with room to spare), H.264 where the encoder is there, else MPEG-4;
//   opening a stored video of 100 MB, next to copying it from the project to the video cache (goal: the
//   open costs no more than the copy).
// Files go to $TMPDIR (or /tmp).
#include "db/DatabaseWriter.h"
#include "db/FileBase.h"
#include "db/ProjectDatabase.h"
#include "media/posix/AvMediaFile.h"
#include "media/posix/AvMediaSystem.h"
#include "model/MediaPlaylist.h"
#include "model/MediaTable.h"
#include "platform/Clock.h"
#include "saver/ProjectMediaList.h"
#include "saver/SaverFiles.h"
#include "support/TestMedia.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFrames = 48;
constexpr int kFps = 24;

std::string TempFile(const std::string& name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/qm_bench_media_" + std::to_string(getpid()) + "_" + name;
}

// A moving 1080p picture, encoded with the first of the codecs that is there; the codec's name, or "".
std::string Write1080p(const std::string& path)
{
    av_log_set_level(AV_LOG_QUIET);
    for (const char* name : {"libx264", "mpeg4"}) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name);
        AVFormatContext* format = nullptr;
        if (!codec || avformat_alloc_output_context2(&format, nullptr, "matroska", path.c_str()) < 0)
            continue;
        AVCodecContext* c = avcodec_alloc_context3(codec);
        AVStream* stream = avformat_new_stream(format, nullptr);
        c->width = 1920;
        c->height = 1080;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->time_base = AVRational{1, kFps};
        c->gop_size = 12;
        c->bit_rate = 8000000;
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVFrame* frame = av_frame_alloc();
        AVPacket* packet = av_packet_alloc();
        bool ok = avcodec_open2(c, codec, nullptr) >= 0 && avcodec_parameters_from_context(stream->codecpar, c) >= 0 &&
            avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 && avformat_write_header(format, nullptr) >= 0;
        auto drain = [&] {
            while (avcodec_receive_packet(c, packet) == 0) {
                av_packet_rescale_ts(packet, c->time_base, stream->time_base);
                packet->stream_index = stream->index;
                av_interleaved_write_frame(format, packet);
            }
        };
        frame->format = c->pix_fmt;
        frame->width = c->width;
        frame->height = c->height;
        ok = ok && av_frame_get_buffer(frame, 0) >= 0;
        for (int f = 0; ok && f < kFrames; ++f) {
            ok = av_frame_make_writable(frame) >= 0;
            for (int y = 0; y < c->height; ++y)
                for (int x = 0; x < c->width; ++x)
                    frame->data[0][y * frame->linesize[0] + x] = uint8_t(x + y + 3 * f);
            for (int y = 0; y < c->height / 2; ++y)
                for (int x = 0; x < c->width / 2; ++x) {
                    frame->data[1][y * frame->linesize[1] + x] = uint8_t(128 + y + f * 2);
                    frame->data[2][y * frame->linesize[2] + x] = uint8_t(64 + x + f * 5);
                }
            frame->pts = f;
            ok = avcodec_send_frame(c, frame) >= 0;
            drain();
        }
        avcodec_send_frame(c, nullptr);
        drain();
        ok = ok && av_write_trailer(format) >= 0;
        avio_closep(&format->pb);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&c);
        avformat_free_context(format);
        if (ok)
            return name;
    }
    return {};
}

void DecodeAndScale(benchmark::State& state)
{
    static const std::string path = TempFile("1080p.mkv");
    static const std::string codec = Write1080p(path);
    if (codec.empty()) {
        state.SkipWithError("no video encoder");
        return;
    }
    const int width = int(state.range(0)), height = int(state.range(1));
    AvMediaFile file;
    if (!file.Open(path)) {
        state.SkipWithError("cannot open the video");
        return;
    }
    int64_t frame = 0;
    for (auto _ : state) {
        if (frame == kFrames) {
            // Played again from the start: the seek back is no part of a frame's cost.
            state.PauseTiming();
            file.ScaledFrame(0, width, height);
            frame = 1;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(file.ScaledFrame(frame++ * 1000 / kFps, width, height));
    }
    state.SetLabel(codec);
}
BENCHMARK(DecodeAndScale)->Args({1920, 1080})->Args({1280, 720})->Unit(benchmark::kMillisecond)->UseRealTime();

// A stored uncompressed video of about 100 MB.
struct StoredVideo {
    std::string db = TempFile("video.db");
    std::string cache = TempFile("cache.avi");
    StoredVideo()
    {
        const std::string avi = testmedia::Avi(640, 480, 114, 25, [](int f, int x, int y) {
            return uint32_t((x * 3 + f) & 0xFF) << 16 | uint32_t((y + f) & 0xFF) << 8 | uint32_t(x ^ y);
        });
        TableContent media("media", {"name", "media"}, {false, true});
        media.AddRecord({"movie.avi", avi});
        if (!WriteDatabaseFile(db, {media}))
            std::abort();
    }
    ~StoredVideo()
    {
        std::remove(db.c_str());
        std::remove(cache.c_str());
    }
};

StoredVideo& Video()
{
    static StoredVideo video;
    return video;
}

void CopyToCache(benchmark::State& state)
{
    ProjectDatabase db;
    if (!db.Open(Video().db, 0))
        return state.SkipWithError("cannot open the project");
    MediaTable media;
    media.SetDatabase(&db);
    media.Open();
    MediaPlaylist setting;
    ProjectMediaList list(setting, media);
    SaverFiles files;
    for (auto _ : state) {
        // What the sequencer does for a stored video that is not cached yet: database file to copy, in pieces.
        uint64_t copied = 0;
        files.WriteFile(Video().cache, [&](FileBase& out) {
            const bool read = list.ReadMediaData("C:\\movies\\movie.avi", out);
            copied = out.GetLength();
            return read;
        });
        state.SetBytesProcessed(state.bytes_processed() + int64_t(copied));
    }
}
BENCHMARK(CopyToCache)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenCached(benchmark::State& state)
{
    {
        ProjectDatabase db;
        MediaTable media;
        MediaPlaylist setting;
        if (!db.Open(Video().db, 0))
            return state.SkipWithError("cannot open the project");
        media.SetDatabase(&db);
        media.Open();
        ProjectMediaList list(setting, media);
        SaverFiles().WriteFile(Video().cache, [&](FileBase& out) { return list.ReadMediaData("movie.avi", out); });
    }
    VirtualClock clock;
    AvMediaSystem mci(clock);
    for (auto _ : state) {
        // What the video player does: open, ask the size and length, play.
        uint32_t device = 0, length = 0;
        if (mci.Open(Video().cache.c_str(), device) != 0)
            return state.SkipWithError("cannot open the cached video");
        MciRect rect;
        mci.Where(device, true, rect);
        mci.Status(device, Mci::kStatusLength, length);
        mci.Play(device, nullptr);
        mci.Close(device, nullptr);
    }
}
BENCHMARK(OpenCached)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
