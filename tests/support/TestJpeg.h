#pragma once
// JPEG files made in memory with libjpeg for tests and benchmarks, from rows a caller fills.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>

namespace testjpeg {

struct Format {
    int components = 3; // 1 grey, 3 RGB (stored as YCbCr), 4 CMYK
    int quality = 75;
    int lumaH = 2, lumaV = 2; // sampling of the luma against the colour components: 2 x 2 is 4:2:0
    int restartRows = 0;      // a restart marker after every so many rows of MCUs
    int restartMcus = 0;      // or after every so many MCUs
    bool adobeMarker = true;  // CMYK: the Adobe marker that says the inks are stored inverted
    int progressiveScans = 0; // progressive, with only the first so many scans of libjpeg's usual sequence
};

// fill(y, row) writes row y: width x components samples.
inline std::vector<uint8_t> Encode(int width, int height, const Format& format,
                                   const std::function<void(int, JSAMPLE*)>& fill)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = format.components;
    cinfo.in_color_space = format.components == 1 ? JCS_GRAYSCALE : format.components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, format.quality, TRUE);
    if (format.components == 3) {
        cinfo.comp_info[0].h_samp_factor = format.lumaH;
        cinfo.comp_info[0].v_samp_factor = format.lumaV;
    }
    if (format.components == 4)
        cinfo.write_Adobe_marker = format.adobeMarker;
    if (format.progressiveScans > 0) {
        jpeg_simple_progression(&cinfo);
        cinfo.num_scans = std::min(cinfo.num_scans, format.progressiveScans);
    }
    cinfo.restart_in_rows = format.restartRows;
    cinfo.restart_interval = static_cast<unsigned>(format.restartMcus);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * static_cast<size_t>(format.components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

} // namespace testjpeg
