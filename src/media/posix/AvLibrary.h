#pragma once
// FFmpeg's libraries, opened on first use instead of linked: they pull in some hundred further libraries
// (every codec's own), whose loading would otherwise cost every start of the programs, also the many that
// never play a sound or a video. Their functions are called through one table, typed from FFmpeg's own
// declarations.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>
#include <vector>

#define QM_AV_FUNCTIONS(X)                                                                                             \
    X(av_channel_layout_copy)                                                                                          \
    X(av_channel_layout_default)                                                                                       \
    X(av_channel_layout_uninit)                                                                                        \
    X(av_dict_free)                                                                                                    \
    X(av_dict_set)                                                                                                     \
    X(av_dict_set_int)                                                                                                 \
    X(av_frame_alloc)                                                                                                  \
    X(av_frame_free)                                                                                                   \
    X(av_frame_get_buffer)                                                                                             \
    X(av_frame_make_writable)                                                                                          \
    X(av_log_set_level)                                                                                                \
    X(av_opt_set)                                                                                                      \
    X(av_rescale)                                                                                                      \
    X(av_rescale_q)                                                                                                    \
    X(av_strerror)                                                                                                     \
    X(swr_alloc_set_opts2)                                                                                             \
    X(swr_convert)                                                                                                     \
    X(swr_free)                                                                                                        \
    X(swr_get_out_samples)                                                                                             \
    X(swr_init)                                                                                                        \
    X(sws_freeContext)                                                                                                 \
    X(sws_getCachedContext)                                                                                            \
    X(sws_getContext)                                                                                                  \
    X(sws_scale)                                                                                                       \
    X(av_packet_alloc)                                                                                                 \
    X(av_packet_free)                                                                                                  \
    X(av_packet_rescale_ts)                                                                                            \
    X(av_packet_unref)                                                                                                 \
    X(avcodec_alloc_context3)                                                                                          \
    X(avcodec_find_decoder)                                                                                            \
    X(avcodec_find_encoder)                                                                                            \
    X(avcodec_find_encoder_by_name)                                                                                    \
    X(avcodec_flush_buffers)                                                                                           \
    X(avcodec_free_context)                                                                                            \
    X(avcodec_open2)                                                                                                   \
    X(avcodec_parameters_from_context)                                                                                 \
    X(avcodec_parameters_to_context)                                                                                   \
    X(avcodec_receive_frame)                                                                                           \
    X(avcodec_receive_packet)                                                                                          \
    X(avcodec_send_frame)                                                                                              \
    X(avcodec_send_packet)                                                                                             \
    X(av_find_best_stream)                                                                                             \
    X(av_interleaved_write_frame)                                                                                      \
    X(av_read_frame)                                                                                                   \
    X(av_seek_frame)                                                                                                   \
    X(av_write_trailer)                                                                                                \
    X(avformat_alloc_output_context2)                                                                                  \
    X(avformat_close_input)                                                                                            \
    X(avformat_find_stream_info)                                                                                       \
    X(avformat_free_context)                                                                                           \
    X(avformat_new_stream)                                                                                             \
    X(avformat_open_input)                                                                                             \
    X(avformat_write_header)                                                                                           \
    X(avio_closep)                                                                                                     \
    X(avio_open)

// Every FFmpeg function the programs call, under its own name.
struct AvFunctions {
// The name is a declaration's name here, which parentheses would break.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define QM_AV_MEMBER(name) decltype(&::name) name = nullptr;
    QM_AV_FUNCTIONS(QM_AV_MEMBER)
#undef QM_AV_MEMBER
};

// The libraries of the FFmpeg the programs were built against, by their major versions: libavutil,
// libswresample, libswscale, libavcodec, libavformat.
std::vector<std::string> AvSonames();

// Opens the libraries and looks up every function; null with the reason (naming the library or function
// that is missing) when that fails.
std::unique_ptr<const AvFunctions> LoadAvFunctions(const std::vector<std::string>& sonames, std::string& error);

// The process's FFmpeg, loaded once on first use from whichever thread asks first, quiet (the libraries'
// own reports would only clutter the output; failures are results). Null when it cannot be loaded: the
// reason is then in AvLoadError() and in the diagnostic log, once.
const AvFunctions* Av();
const std::string& AvLoadError();
