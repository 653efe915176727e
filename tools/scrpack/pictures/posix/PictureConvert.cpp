#include "scrpack/pictures/PictureConvert.h"

#include "base/ByteOrder.h"
#include "codecs/BuiltinExpic.h"
#include "codecs/posix/PngEncoder.h"
#include "scrpack/files/WorkFolder.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/PictureCheck.h"

#include "scrpack/pictures/posix/ConvertLibraries.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 92;

// Decoded pixels, R G B A per pixel, top row first.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    bool lossless = true; // the source kept every pixel exactly, so PNG keeps it so too
    bool HasAlpha() const
    {
        for (size_t i = 3; i < pixels.size(); i += 4) {
            if (pixels[i] != 255)
                return true;
        }
        return false;
    }
};

void CheckSize(int width, int height)
{
    if (width <= 0 || height <= 0 || static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxImagePixels)
        throw ConvertError("the picture's size " + std::to_string(width) + "x" + std::to_string(height) +
                           " is empty or too large");
}

std::string g_tiffError;
void OnTiffError(const char*, const char* format, va_list args)
{
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    if (g_tiffError.empty())
        g_tiffError = text;
}

Rgba DecodeTiff(const std::string& path)
{
    const ConvertFunctions& lib = Converters();
    lib.TIFFSetWarningHandler(nullptr);
    lib.TIFFSetErrorHandler(OnTiffError);
    g_tiffError.clear();
    std::unique_ptr<TIFF, void (*)(TIFF*)> tif(lib.TIFFOpen(path.c_str(), "r"), lib.TIFFClose);
    if (!tif)
        throw ConvertError("the TIFF data does not open: " + g_tiffError);
    uint32_t width = 0, height = 0;
    uint16_t compression = COMPRESSION_NONE;
    lib.TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    lib.TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    lib.TIFFGetField(tif.get(), TIFFTAG_COMPRESSION, &compression);
    CheckSize(static_cast<int>(std::min<uint32_t>(width, INT32_MAX)),
              static_cast<int>(std::min<uint32_t>(height, INT32_MAX)));
    std::vector<uint32_t> raster(static_cast<size_t>(width) * height);
    if (!lib.TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0))
        throw ConvertError("the TIFF data does not decode: " + g_tiffError);
    Rgba image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.lossless = compression != COMPRESSION_JPEG && compression != COMPRESSION_OJPEG;
    image.pixels.resize(raster.size() * 4);
    for (size_t i = 0; i < raster.size(); ++i) {
        image.pixels[4 * i] = static_cast<uint8_t>(TIFFGetR(raster[i]));
        image.pixels[4 * i + 1] = static_cast<uint8_t>(TIFFGetG(raster[i]));
        image.pixels[4 * i + 2] = static_cast<uint8_t>(TIFFGetB(raster[i]));
        image.pixels[4 * i + 3] = static_cast<uint8_t>(TIFFGetA(raster[i]));
    }
    return image;
}

Rgba DecodeWebp(const std::vector<uint8_t>& bytes)
{
    const ConvertFunctions& lib = Converters();
    WebPBitstreamFeatures features;
    if (lib.WebPGetFeaturesInternal(bytes.data(), bytes.size(), &features, WEBP_DECODER_ABI_VERSION) != VP8_STATUS_OK)
        throw ConvertError("the WebP data does not decode");
    CheckSize(features.width, features.height);
    Rgba image;
    image.width = features.width;
    image.height = features.height;
    image.lossless = features.format == 2;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    if (!lib.WebPDecodeRGBAInto(bytes.data(), bytes.size(), image.pixels.data(), image.pixels.size(), image.width * 4))
        throw ConvertError("the WebP data does not decode (damaged or cut short)");
    return image;
}

Rgba DecodeHeif(const std::string& path)
{
    const ConvertFunctions& lib = Converters();
    std::unique_ptr<heif_context, void (*)(heif_context*)> context(lib.heif_context_alloc(), lib.heif_context_free);
    heif_error error = lib.heif_context_read_from_file(context.get(), path.c_str(), nullptr);
    if (error.code != heif_error_Ok)
        throw ConvertError(std::string("the HEIF data does not open: ") + error.message);
    heif_image_handle* rawHandle = nullptr;
    error = lib.heif_context_get_primary_image_handle(context.get(), &rawHandle);
    if (error.code != heif_error_Ok)
        throw ConvertError(std::string("the HEIF file holds no picture: ") + error.message);
    std::unique_ptr<heif_image_handle, void (*)(const heif_image_handle*)> handle(rawHandle,
                                                                                  lib.heif_image_handle_release);
    CheckSize(lib.heif_image_handle_get_width(handle.get()), lib.heif_image_handle_get_height(handle.get()));
    heif_image* rawImage = nullptr;
    // The decoder applies the file's rotation and mirroring itself.
    error = lib.heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
    if (error.code != heif_error_Ok)
        throw ConvertError(std::string("the HEIF picture does not decode: ") + error.message);
    std::unique_ptr<heif_image, void (*)(const heif_image*)> decoded(rawImage, lib.heif_image_release);
    int stride = 0;
    const uint8_t* plane = lib.heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    Rgba image;
    image.width = lib.heif_image_get_width(decoded.get(), heif_channel_interleaved);
    image.height = lib.heif_image_get_height(decoded.get(), heif_channel_interleaved);
    CheckSize(image.width, image.height);
    if (!plane || stride < image.width * 4)
        throw ConvertError("the HEIF picture does not decode");
    image.lossless = false;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(plane + static_cast<size_t>(y) * stride, static_cast<size_t>(image.width) * 4,
                    image.pixels.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * image.width * 4));
    return image;
}

// The pixel at (x, y) of the upright picture comes from this pixel of the stored one.
Rgba Orient(const Rgba& in, int orientation)
{
    const bool swap = orientation >= 5;
    Rgba out;
    out.width = swap ? in.height : in.width;
    out.height = swap ? in.width : in.height;
    out.lossless = in.lossless;
    out.pixels.resize(in.pixels.size());
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2: sx = in.width - 1 - x; break;
            case 3: sx = in.width - 1 - x, sy = in.height - 1 - y; break;
            case 4: sy = in.height - 1 - y; break;
            case 5: sx = y, sy = x; break;
            case 6: sx = y, sy = in.height - 1 - x; break;
            case 7: sx = in.width - 1 - y, sy = in.height - 1 - x; break;
            case 8: sx = in.width - 1 - y, sy = x; break;
            default: break;
            }
            std::copy_n(&in.pixels[(static_cast<size_t>(sy) * in.width + sx) * 4], 4,
                        &out.pixels[(static_cast<size_t>(y) * out.width + x) * 4]);
        }
    }
    return out;
}

std::string EncodeJpeg(const Rgba& image)
{
    const ConvertFunctions& lib = Converters();
    std::unique_ptr<void, int (*)(tjhandle)> tj(lib.tjInitCompress(), lib.tjDestroy);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (!tj ||
        lib.tjCompress2(tj.get(), image.pixels.data(), image.width, image.width * 4, image.height, TJPF_RGBA, &buffer,
                        &size, TJSAMP_420, kJpegQuality, TJFLAG_ACCURATEDCT) != 0) {
        lib.tjFree(buffer);
        throw ConvertError("the picture cannot be encoded as JPEG");
    }
    std::string out(reinterpret_cast<const char*>(buffer), size);
    lib.tjFree(buffer);
    return out;
}

std::string Encode(const Rgba& image, std::string& extension)
{
    const bool alpha = image.HasAlpha();
    if (!image.lossless && !alpha) {
        extension = ".jpg";
        return EncodeJpeg(image);
    }
    extension = ".png";
    std::string out;
    if (alpha) {
        if (!EncodePng(image.pixels.data(), image.width, image.height, static_cast<size_t>(image.width) * 4,
                       PngPixels::Rgba, 6, out))
            throw ConvertError("the picture cannot be encoded as PNG");
        return out;
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0, n = rgb.size() / 3; i < n; ++i)
        std::copy_n(&image.pixels[4 * i], 3, &rgb[3 * i]);
    if (!EncodePng(rgb.data(), image.width, image.height, static_cast<size_t>(image.width) * 3, PngPixels::Rgb, 6, out))
        throw ConvertError("the picture cannot be encoded as PNG");
    return out;
}

// A JPEG turned upright without decoding it, when its size allows; nothing otherwise.
std::optional<std::string> TransformJpeg(const std::vector<uint8_t>& bytes, int orientation)
{
    const ConvertFunctions& lib = Converters();
    static const int kOps[] = {TJXOP_NONE,      TJXOP_NONE,  TJXOP_HFLIP,      TJXOP_ROT180, TJXOP_VFLIP,
                               TJXOP_TRANSPOSE, TJXOP_ROT90, TJXOP_TRANSVERSE, TJXOP_ROT270};
    std::unique_ptr<void, int (*)(tjhandle)> tj(lib.tjInitTransform(), lib.tjDestroy);
    if (!tj)
        return std::nullopt;
    tjtransform transform{};
    transform.op = kOps[orientation];
    transform.options = TJXOPT_PERFECT;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (lib.tjTransform(tj.get(), bytes.data(), bytes.size(), 1, &buffer, &size, &transform, 0) != 0) {
        lib.tjFree(buffer);
        return std::nullopt;
    }
    std::string out(reinterpret_cast<const char*>(buffer), size);
    lib.tjFree(buffer);
    // The markers are copied: the tag must now say upright, or viewers would turn the picture again.
    const ExifInfo exif = ReadJpegExif(reinterpret_cast<const uint8_t*>(out.data()), out.size());
    if (exif.orientationOffset + 2 <= out.size() && exif.orientationOffset > 0) {
        out[exif.orientationOffset] = exif.bigEndian ? 0 : 1;
        out[exif.orientationOffset + 1] = exif.bigEndian ? 1 : 0;
    }
    return out;
}

Rgba DecodeJpegPixels(const std::vector<uint8_t>& bytes)
{
    const ConvertFunctions& lib = Converters();
    std::unique_ptr<void, int (*)(tjhandle)> tj(lib.tjInitDecompress(), lib.tjDestroy);
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (!tj ||
        lib.tjDecompressHeader3(tj.get(), bytes.data(), bytes.size(), &width, &height, &subsampling, &colourspace) != 0)
        throw ConvertError("the JPEG data does not decode");
    CheckSize(width, height);
    Rgba image;
    image.width = width;
    image.height = height;
    image.lossless = false;
    image.pixels.resize(static_cast<size_t>(width) * height * 4);
    if (lib.tjDecompress2(tj.get(), bytes.data(), bytes.size(), image.pixels.data(), width, width * 4, height,
                          TJPF_RGBA, TJFLAG_ACCURATEDCT) != 0)
        throw ConvertError("the JPEG data does not decode (damaged or cut short)");
    return image;
}

std::string WriteConverted(const std::string& source, const std::string& workFolder, const std::string& bytes,
                           const std::string& extension)
{
    const std::string path = WriteIntoFolder(workFolder, source, bytes, extension);
    if (path.empty())
        throw ConvertError("cannot write the converted picture into " + workFolder);
    return path;
}

} // namespace

bool PictureConversionAvailable()
{
    return true;
}

PreparedPicture ConvertPicture(const std::string& path, const std::string& workFolder)
{
    std::vector<uint8_t> bytes;
    if (!ReadImageFile(path, kMaxEncodedImageBytes, bytes))
        throw ConvertError("cannot be read, is empty or is too large for a picture");
    const std::string kind = PictureKind(bytes.data(), bytes.size());
    PreparedPicture prepared;
    std::string encoded;
    if (kind == "JPEG") {
        const ExifInfo exif = ReadJpegExif(bytes.data(), bytes.size());
        if (exif.orientation == 1)
            return {path, ""};
        if (auto turned = TransformJpeg(bytes, exif.orientation))
            encoded = std::move(*turned);
        else
            encoded = EncodeJpeg(Orient(DecodeJpegPixels(bytes), exif.orientation));
        // Still a JPEG: the stored name stays as it was.
        prepared.path = WriteConverted(path, workFolder, encoded, fs::path(path).extension().string());
        return prepared;
    } else if (kind == "TIFF") {
        encoded = Encode(DecodeTiff(path), prepared.extension);
    } else if (kind == "WebP") {
        encoded = Encode(DecodeWebp(bytes), prepared.extension);
    } else if (kind == "HEIF" || kind == "AVIF") {
        encoded = Encode(DecodeHeif(path), prepared.extension);
    } else {
        return {path, ""};
    }
    prepared.path = WriteConverted(path, workFolder, encoded, prepared.extension);
    return prepared;
}
