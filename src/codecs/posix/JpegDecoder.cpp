#include "codecs/JpegDecoder.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "base/SecondThread.h"
#include "codecs/DecodeCommon.h"
#include "codecs/ScaledJpeg.h"
#include "codecs/posix/JpegResume.h"
#include "codecs/posix/JpegTwoPartSource.h"

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

// Output rows [from, to) of a decode; to < 0 runs to the last row. A band that ends before the last row
// stops there, leaving the rest of the data unread: another band reads it.
struct Band {
    int from = 0;
    int to = -1;
};

// What a decoder reads: the file, or a resume point's header followed by the file's data from that point on.
struct Input {
    const uint8_t* data = nullptr;
    size_t size = 0;
    const std::vector<uint8_t>* header = nullptr;
};

void SetSource(jpeg_decompress_struct& cinfo, const Input& input)
{
    if (input.header)
        UseTwoPartSource(cinfo, input.header->data(), input.header->size(), input.data, input.size);
    else
        jpeg_mem_src(&cinfo, input.data, static_cast<unsigned long>(input.size));
}

// Reads the header and sets the scale and output colours: what decoding and measuring share.
bool Prepare(jpeg_decompress_struct& cinfo, const Input& input, uint64_t maxPixels, int eighths)
{
    SetSource(cinfo, input);
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
    return true;
}

bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const Input& input, const RowTarget& target,
            uint64_t maxPixels, int eighths, Band band)
{
    if (!Prepare(cinfo, input, maxPixels, eighths))
        return false;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    jpeg_start_decompress(&cinfo);
    if (!ImageSizeAllowed(cinfo.output_width, cinfo.output_height, maxPixels) ||
        !target.allocate(cinfo.output_width, cinfo.output_height))
        return false;
    const int width = static_cast<int>(cinfo.output_width), height = static_cast<int>(cinfo.output_height);
    const int end = band.to < 0 ? height : std::min(band.to, height);
    if (band.from > 0 && static_cast<int>(jpeg_skip_scanlines(&cinfo, static_cast<JDIMENSION>(band.from))) != band.from)
        return false;
    // From the decoder's own pool, so that an error's jump out of here leaves nothing behind.
    JSAMPARRAY cmykRow = cmyk
        ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1)
        : nullptr;
    while (static_cast<int>(cinfo.output_scanline) < end) {
        uint32_t* dst = target.row(static_cast<int>(cinfo.output_scanline));
        JSAMPROW row = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(dst);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return false;
        if (cmyk) {
            for (int x = 0; x < width; ++x)
                dst[x] = CmykToRgb(cmykRow[0] + 4 * x, cinfo.saw_Adobe_marker);
        } else {
            for (int x = 0; x < width; ++x)
                dst[x] &= 0x00FFFFFF;
        }
    }
    if (end < height) {
        jpeg_abort_decompress(&cinfo);
        return true;
    }
    jpeg_finish_decompress(&cinfo);
    return !err.truncated;
}

// Runs use(cinfo, err) on a fresh decompressor; an error inside comes back as false.
template <typename Use> bool WithDecompressor(const uint8_t* data, size_t size, Use&& use)
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
        ok = use(cinfo, err);
    }
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

bool DecodeScaled(const Input& input, const RowTarget& target, uint64_t maxPixels, int eighths, Band band = {})
{
    return WithDecompressor(input.data, input.size, [&](jpeg_decompress_struct& cinfo, ErrorManager& err) {
        return Decode(cinfo, err, input, target, maxPixels, eighths, band);
    });
}

// Source pixels from which a decode is shared between two threads; see SplitJpegDecodesFrom.
std::atomic<uint64_t> g_splitFrom{kJpegBandsFrom};

// What deciding on two bands needs: the output size, the output rows one row of MCUs makes, whether the rows
// can be reached without decoding every scan, and how the scan is cut into MCUs (no MCUs when it is cut in a
// way a resumed decoder would not follow).
struct OutputLayout {
    int width = 0, height = 0, blockRows = 0;
    uint64_t sourcePixels = 0;
    bool sequential = false;
    JpegScanShape scan;
};

JpegScanShape ScanShape(const jpeg_decompress_struct& cinfo)
{
    JpegScanShape shape;
    const bool interleaved = cinfo.comps_in_scan > 1 && cinfo.comps_in_scan == cinfo.num_components;
    const bool single = cinfo.comps_in_scan == 1 && cinfo.num_components == 1 && cinfo.max_h_samp_factor == 1 &&
        cinfo.max_v_samp_factor == 1;
    if (cinfo.arith_code || cinfo.restart_interval == 0 || (!interleaved && !single))
        return shape;
    const int mcuWidth = cinfo.max_h_samp_factor * DCTSIZE;
    shape.mcuHeight = cinfo.max_v_samp_factor * DCTSIZE;
    shape.imageHeight = static_cast<int>(cinfo.image_height);
    shape.mcusPerRow = static_cast<int>((cinfo.image_width + mcuWidth - 1) / mcuWidth);
    shape.mcuRows = static_cast<int>((cinfo.image_height + shape.mcuHeight - 1) / shape.mcuHeight);
    shape.restartInterval = static_cast<int>(cinfo.restart_interval);
    return shape;
}

bool ReadOutputLayout(const uint8_t* data, size_t size, int eighths, uint64_t maxPixels, OutputLayout& layout)
{
    return WithDecompressor(data, size, [&](jpeg_decompress_struct& cinfo, ErrorManager&) {
        if (!Prepare(cinfo, {data, size}, maxPixels, eighths))
            return false;
        jpeg_calc_output_dimensions(&cinfo);
        layout.width = static_cast<int>(cinfo.output_width);
        layout.height = static_cast<int>(cinfo.output_height);
        layout.blockRows = cinfo.max_v_samp_factor * cinfo.min_DCT_scaled_size;
        layout.sourcePixels = uint64_t(cinfo.image_width) * cinfo.image_height;
        layout.sequential = !cinfo.progressive_mode;
        layout.scan = ScanShape(cinfo);
        return layout.blockRows > 0;
    });
}

// The first row of the lower band when its decoder reads the whole data up to there without making pixels
// (reading is most of a decode): the upper band is made larger to end at about the same time.
int SplitRow(const OutputLayout& layout)
{
    constexpr int kUpperPercent = 75;
    const int rows = (layout.height * kUpperPercent / 100) / layout.blockRows * layout.blockRows;
    return rows > 0 && rows < layout.height ? rows : 0;
}

// The lower band: decoded from the top of the picture, skipping the rows above it, or resumed midway in the
// data. A resumed decoder makes the first row of MCUs without the colour of the row above, which blends into
// its top rows: that row is left to the upper band and skipped here.
struct LowerBand {
    int firstRow = 0;
    Input input;
    int rowsSkipped = 0;
};

// Runs the upper band here and the lower band beside it; each decoder writes its own rows into the room
// allocated here first.
bool DecodeTwoBands(const Input& whole, const OutputLayout& layout, const LowerBand& lowerBand, const RowTarget& target,
                    uint64_t maxPixels, int eighths)
{
    if (!ImageSizeAllowed(layout.width, layout.height, maxPixels) || !target.allocate(layout.width, layout.height))
        return false;
    const int lowerOrigin = lowerBand.firstRow - lowerBand.rowsSkipped;
    const RowTarget upper{
        [&](int64_t width, int64_t height) { return width == layout.width && height == layout.height; }, target.row};
    const RowTarget lower{
        [&](int64_t width, int64_t height) { return width == layout.width && height == layout.height - lowerOrigin; },
        [&](int y) { return target.row(lowerOrigin + y); }};
    bool lowerOk = false;
    SecondThread lowerBandThread([&] {
        lowerOk = DecodeScaled(lowerBand.input, lower, maxPixels, eighths, {lowerBand.rowsSkipped, -1});
    });
    if (!DecodeScaled(whole, upper, maxPixels, eighths, {0, lowerBand.firstRow}))
        return false; // a running lower band is waited for; one without a thread of its own is not decoded
    // A lower band out of memory leaves no picture.
    return lowerBandThread.JoinSucceeded() && lowerOk;
}

// Decodes into `target`; a large sequential picture in two bands at once: split in the middle where its data
// can be resumed there, three quarters down otherwise.
bool DecodeInBands(const uint8_t* data, size_t size, const RowTarget& target, uint64_t maxPixels, int eighths)
{
    const Input whole{data, size};
    OutputLayout layout;
    if (!ReadOutputLayout(data, size, eighths, maxPixels, layout) || !layout.sequential ||
        layout.sourcePixels < g_splitFrom || !SecondThread::Worthwhile())
        return DecodeScaled(whole, target, maxPixels, eighths);
    if (const std::optional<JpegResumePoint> resume = FindJpegResumePoint(data, size, layout.scan)) {
        const Input rest{data + resume->dataOffset, size - resume->dataOffset, &resume->header};
        const int firstRow = (resume->mcuRow + 1) * layout.blockRows;
        return DecodeTwoBands(whole, layout, {firstRow, rest, layout.blockRows}, target, maxPixels, eighths);
    }
    const int split = SplitRow(layout);
    if (split == 0)
        return DecodeScaled(whole, target, maxPixels, eighths);
    return DecodeTwoBands(whole, layout, {split, whole, split}, target, maxPixels, eighths);
}

} // namespace

uint64_t SplitJpegDecodesFrom(uint64_t sourcePixels)
{
    return g_splitFrom.exchange(sourcePixels);
}

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& image, uint64_t maxPixels)
{
    image = DecodedImage{};
    const RowTarget target{
        [&](int64_t width, int64_t height) { return AllocateImage(image, width, height, maxPixels); },
        [&](int y) { return image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width); }};
    if (DecodeInBands(data, size, target, maxPixels, 8))
        return true;
    image = DecodedImage{};
    return false;
}

bool DecodeJpegAtScale(const uint8_t* data, size_t size, int eighths, Picture& picture)
{
    // A new picture's pixels are written once, by the decoder: no pass clears them first or after.
    picture.Free();
    const RowTarget target{[&](int64_t width, int64_t height) {
                               return picture.CreateBlank(static_cast<int>(width), static_cast<int>(height), 0) != 0;
                           },
                           [&](int y) { return picture.Row(y); }};
    if (DecodeInBands(data, size, target, kMaxImagePixels, eighths))
        return true;
    picture.Free();
    return false;
}

bool ReadScalableJpegSize(const uint8_t* data, size_t size, int& width, int& height)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    return WithDecompressor(data, size, [&](jpeg_decompress_struct& cinfo, ErrorManager&) {
        SetSource(cinfo, {data, size});
        if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
            return false;
        width = static_cast<int>(cinfo.image_width);
        height = static_cast<int>(cinfo.image_height);
        return width > 0 && height > 0;
    });
}
