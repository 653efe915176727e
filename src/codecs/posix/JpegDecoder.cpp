#include "codecs/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <functional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "codecs/DecodeCommon.h"
#include "codecs/ScaledJpeg.h"

namespace {

// Hostile progressive files can hold thousands of scans that each cost a full pass.
constexpr int kMaxScans = 1000;

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    bool truncated;
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        err->truncated = true;
}

void OnOutput(j_common_ptr)
{
}

void OnProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > kMaxScans)
            OnError(cinfo);
    }
}

uint32_t CmykToRgb(const JSAMPLE* p, bool inverted)
{
    uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted)
        c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    return PackRgb(c * k / 255, m * k / 255, y * k / 255);
}

// Where decoded rows go: `allocate` makes room for width x height pixels (false when it cannot), `row`
// gives row y of it.
struct RowTarget {
    std::function<bool(int64_t width, int64_t height)> allocate;
    std::function<uint32_t*(int y)> row;
};

bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const uint8_t* data, size_t size, const RowTarget& target,
            uint64_t maxPixels, int eighths)
{
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!ImageSizeAllowed(cinfo.image_width, cinfo.image_height, maxPixels))
        return false;
    if (eighths > 0 && eighths < 8) {
        cinfo.scale_num = static_cast<unsigned>(eighths);
        cinfo.scale_denom = 8;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    if (!ImageSizeAllowed(cinfo.output_width, cinfo.output_height, maxPixels) ||
        !target.allocate(cinfo.output_width, cinfo.output_height))
        return false;
    const int width = static_cast<int>(cinfo.output_width);
    std::vector<JSAMPLE> cmykRow(cmyk ? size_t(cinfo.output_width) * 4 : 0);
    while (cinfo.output_scanline < cinfo.output_height) {
        uint32_t* dst = target.row(static_cast<int>(cinfo.output_scanline));
        JSAMPROW row = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(dst);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return false;
        if (cmyk) {
            for (int x = 0; x < width; ++x)
                dst[x] = CmykToRgb(cmykRow.data() + 4 * x, cinfo.saw_Adobe_marker);
        } else {
            for (int x = 0; x < width; ++x)
                dst[x] &= 0x00FFFFFF;
        }
    }
    jpeg_finish_decompress(&cinfo);
    return !err.truncated;
}

bool DecodeScaled(const uint8_t* data, size_t size, const RowTarget& target, uint64_t maxPixels, int eighths)
{
    if (!data || size < 4)
        return false;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutput;
    err.truncated = false;
    progress.progress_monitor = OnProgress;
    bool ok = false;
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        cinfo.progress = &progress;
        ok = Decode(cinfo, err, data, size, target, maxPixels, eighths);
    }
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

} // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    const RowTarget target{
        [&](int64_t width, int64_t height) { return AllocateImage(image, width, height, maxPixels); },
        [&](int y) { return image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width); }};
    if (DecodeScaled(data, size, target, maxPixels, 8))
        return true;
    image = DecodedImage{};
    return false;
}

bool DecodeJpegAtScale(const uint8_t* data, size_t size, int eighths, CComPicture& picture)
{
    // A new picture's pixels are written once, by the decoder: no pass clears them first or after.
    picture.Free();
    const RowTarget target{[&](int64_t width, int64_t height) {
                               return picture.CreateBlank(static_cast<int>(width), static_cast<int>(height), 0) != 0;
                           },
                           [&](int y) { return picture.Row(y); }};
    if (DecodeScaled(data, size, target, kMaxImagePixels, eighths))
        return true;
    picture.Free();
    return false;
}

bool ReadScalableJpegSize(const uint8_t* data, size_t size, int& width, int& height)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = OnOutput;
    bool ok = false;
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK) {
            width = static_cast<int>(cinfo.image_width);
            height = static_cast<int>(cinfo.image_height);
            ok = width > 0 && height > 0;
        }
    }
    jpeg_destroy_decompress(&cinfo);
    return ok;
}
