#include "scrpack/pictures/PictureConvert.h"

#include "codecs/BuiltinExpic.h"
#include "codecs/DecodeCommon.h"
#include "codecs/ScaledJpeg.h"
#include "scrpack/files/WorkFolder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace {

struct Errors {
    jpeg_error_mgr pub;
    jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    longjmp(reinterpret_cast<Errors*>(cinfo->err)->jump, 1);
}

void Quiet(j_common_ptr)
{
}

// Collects the compressed bytes in a string; a string that cannot grow drops the rest and says so afterwards.
struct StringDestination {
    jpeg_destination_mgr pub;
    std::string* out;
    bool full;
    JOCTET buffer[1 << 16];
};

void Append(StringDestination& dest, size_t count)
{
    try {
        if (!dest.full)
            dest.out->append(reinterpret_cast<const char*>(dest.buffer), count);
    } catch (const std::bad_alloc&) {
        dest.full = true;
    }
    dest.pub.next_output_byte = dest.buffer;
    dest.pub.free_in_buffer = sizeof dest.buffer;
}

void StartDestination(j_compress_ptr cinfo)
{
    Append(*reinterpret_cast<StringDestination*>(cinfo->dest), 0);
}

boolean EmptyDestination(j_compress_ptr cinfo)
{
    Append(*reinterpret_cast<StringDestination*>(cinfo->dest), sizeof StringDestination::buffer);
    return TRUE;
}

void EndDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    Append(*dest, sizeof dest->buffer - dest->pub.free_in_buffer);
}

// The JFIF and Adobe markers the compressor writes itself from the colour space: copied, they would be there
// twice.
bool WrittenByCompressor(const jpeg_marker_struct& marker, const jpeg_compress_struct& dst)
{
    // Five bytes each: "JFIF" with its terminating zero, "Adobe" without one.
    const auto starts = [&]<std::size_t N>(const char(&tag)[N]) {
        static_assert(N >= 5);
        return marker.data_length >= 5 && std::memcmp(marker.data, tag, 5) == 0;
    };
    return (dst.write_JFIF_header && marker.marker == JPEG_APP0 && starts("JFIF")) ||
        (dst.write_Adobe_marker && marker.marker == JPEG_APP0 + 14 && starts("Adobe"));
}

// Whether every coefficient of a progressive picture arrived to its last bit. Decoders smooth the blocks of a
// picture that lacks some (a preview's scans only): written out sequential, it would show without that.
bool AllCoefficientsComplete(const jpeg_decompress_struct& src)
{
    if (!src.progressive_mode)
        return true;
    for (int component = 0; component < src.num_components; ++component) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (src.coef_bits[component][k] != 0)
                return false;
        }
    }
    return true;
}

// Reads the coefficients and writes them again, sequential with a restart marker after every row of MCUs.
// False when the picture is small or marked already, when reading it gave any warning (damaged data, which
// the copy would hide), or when its progressive scans leave coefficients incomplete.
bool Rewrite(jpeg_decompress_struct& src, jpeg_compress_struct& dst, const std::vector<uint8_t>& bytes,
             StringDestination& dest)
{
    jpeg_mem_src(&src, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_save_markers(&src, JPEG_COM, 0xFFFF);
    for (int app = 0; app < 16; ++app)
        jpeg_save_markers(&src, JPEG_APP0 + app, 0xFFFF);
    if (jpeg_read_header(&src, TRUE) != JPEG_HEADER_OK ||
        !ImageSizeAllowed(src.image_width, src.image_height, kMaxImagePixels) ||
        uint64_t{src.image_width} * src.image_height < kJpegBandsFrom ||
        (src.restart_interval != 0 && !src.progressive_mode && !src.arith_code))
        return false;
    jvirt_barray_ptr* coefficients = jpeg_read_coefficients(&src);
    if (!coefficients || src.err->num_warnings != 0 || !AllCoefficientsComplete(src))
        return false;
    jpeg_copy_critical_parameters(&src, &dst);
    // The JFIF and Adobe markers tell decoders how to read the colours (an Adobe marker on CMYK means inverted
    // inks): the copy has them only where the original had them.
    dst.write_JFIF_header = dst.write_JFIF_header && src.saw_JFIF_marker;
    dst.write_Adobe_marker = dst.write_Adobe_marker && src.saw_Adobe_marker;
    dst.restart_in_rows = 1;
    dst.optimize_coding = TRUE;
    dst.dest = &dest.pub;
    jpeg_write_coefficients(&dst, coefficients);
    for (jpeg_saved_marker_ptr marker = src.marker_list; marker; marker = marker->next) {
        if (!WrittenByCompressor(*marker, dst))
            jpeg_write_marker(&dst, marker->marker, marker->data, marker->data_length);
    }
    jpeg_finish_compress(&dst);
    jpeg_finish_decompress(&src);
    return !dest.full && src.err->num_warnings == 0;
}

// Makes the coder pair and runs Rewrite with libjpeg's errors coming back as false. Destroying them afterwards
// is safe whatever was made: a part not made is still zero.
bool Guarded(jpeg_decompress_struct& src, jpeg_compress_struct& dst, Errors& errors, const std::vector<uint8_t>& bytes,
             StringDestination& dest)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&src);
    jpeg_create_compress(&dst);
    return Rewrite(src, dst, bytes, dest);
}

} // namespace

std::optional<std::string> RestartMarkedCopy(const std::string& path, const std::string& workFolder)
{
    // Only a JPEG is read whole.
    std::vector<uint8_t> bytes;
    if (workFolder.empty() || !ReadImageFile(path, 2, bytes) || bytes.size() < 2 || bytes[0] != 0xFF ||
        bytes[1] != 0xD8 || !ReadImageFile(path, kMaxEncodedImageBytes, bytes) || bytes.size() < 4)
        return std::nullopt;
    std::string out;
    auto dest = std::make_unique<StringDestination>();
    dest->pub.init_destination = StartDestination;
    dest->pub.empty_output_buffer = EmptyDestination;
    dest->pub.term_destination = EndDestination;
    dest->out = &out;
    dest->full = false;

    jpeg_decompress_struct src{};
    jpeg_compress_struct dst{};
    Errors errors{};
    src.err = dst.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnError;
    errors.pub.output_message = Quiet;
    const bool rewritten = Guarded(src, dst, errors, bytes, *dest);
    jpeg_destroy_compress(&dst);
    jpeg_destroy_decompress(&src);
    if (!rewritten)
        return std::nullopt;
    const std::string copy = WriteIntoFolder(workFolder, path, out, std::filesystem::path(path).extension().string());
    return copy.empty() ? std::nullopt : std::optional<std::string>(copy);
}
