#include "scrpack/pictures/PictureConvert.h"

#include "base/ByteOrder.h"
#include "codecs/BuiltinExpic.h"
#include "codecs/posix/PngEncoder.h"
#include "scrpack/files/WorkFolder.h"
#include "scrpack/pictures/Exif.h"
#include "scrpack/pictures/Orientation.h"
#include "scrpack/pictures/PictureCheck.h"
#include "scrpack/pictures/PictureMarkers.h"

#include "scrpack/pictures/posix/ConvertLibraries.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace {

// High enough that a photo re-encoded once (turned, or its colours converted) keeps its detail.
constexpr int kJpegQuality = 95;

// Decoded pixels, R G B A per pixel, top row first.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    bool lossless = true;     // the source kept every pixel exactly, so PNG keeps it so too
    std::vector<uint8_t> icc; // the colour profile the pixels are in; empty for sRGB
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
    uint32_t iccSize = 0;
    void* icc = nullptr;
    if (lib.TIFFGetField(tif.get(), TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc && iccSize > 0)
        image.icc.assign(static_cast<const uint8_t*>(icc), static_cast<const uint8_t*>(icc) + iccSize);
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
    image.icc = WebpIccProfile(bytes.data(), bytes.size());
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
    image.icc.resize(lib.heif_image_handle_get_raw_color_profile_size(handle.get()));
    if (!image.icc.empty() &&
        lib.heif_image_handle_get_raw_color_profile(handle.get(), image.icc.data()).code != heif_error_Ok)
        image.icc.clear();
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(plane + static_cast<size_t>(y) * stride, static_cast<size_t>(image.width) * 4,
                    image.pixels.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(y) * image.width * 4));
    return image;
}

// The picture turned upright.
Rgba Orient(const Rgba& in, int orientation)
{
    Rgba out;
    out.width = SwapsSides(orientation) ? in.height : in.width;
    out.height = SwapsSides(orientation) ? in.width : in.height;
    out.lossless = in.lossless;
    out.icc = in.icc;
    out.pixels.resize(in.pixels.size());
    ForEachUprightPixel(orientation, in.width, in.height, [&](int x, int y, int sx, int sy) {
        std::copy_n(&in.pixels[(static_cast<size_t>(sy) * in.width + sx) * 4], 4,
                    &out.pixels[(static_cast<size_t>(y) * out.width + x) * 4]);
    });
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
    MarkUpright(out);
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

constexpr char kIccTag[] = "ICC_PROFILE";
constexpr char kIccpTag[] = "iCCP";

// Colour profiles are at most a few hundred kilobytes; a stream that inflates past this is no profile.
constexpr int kMaxProfileBytes = 4 << 20;

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& compressed)
{
    std::vector<uint8_t> out(kMaxProfileBytes);
    const int size = stbi_zlib_decode_buffer(reinterpret_cast<char*>(out.data()), kMaxProfileBytes,
                                             reinterpret_cast<const char*>(compressed.data()),
                                             static_cast<int>(std::min<size_t>(compressed.size(), INT32_MAX)));
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return out;
}

Rgba DecodePng(const std::vector<uint8_t>& bytes)
{
    int width = 0, height = 0, channels = 0;
    if (bytes.size() > INT32_MAX ||
        !stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels))
        throw ConvertError("the PNG data does not decode");
    CheckSize(width, height);
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4),
        stbi_image_free);
    if (!pixels)
        throw ConvertError("the PNG data does not decode (damaged or cut short)");
    Rgba image;
    image.width = width;
    image.height = height;
    image.pixels.assign(pixels.get(), pixels.get() + static_cast<size_t>(width) * height * 4);
    return image;
}

struct ProfileCloser {
    void operator()(void* profile) const { ColourLibrary().cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

void QuietColourErrors(cmsContext, cmsUInt32Number, const char*)
{
}

Profile OpenProfile(const std::vector<uint8_t>& icc)
{
    const ColourFunctions& lib = ColourLibrary();
    lib.cmsSetLogErrorHandler(QuietColourErrors);
    return Profile(icc.size() > UINT32_MAX
                       ? nullptr
                       : lib.cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size())));
}

// The name of an RGB profile whose colours differ from sRGB's (its primaries are elsewhere), for the message;
// "" for sRGB itself, for a profile that does not read, and for one of grey or print colours, which the pixels
// as decoded do not follow.
std::string ProfileToConvert(const std::vector<uint8_t>& icc)
{
    const ColourFunctions& lib = ColourLibrary();
    Profile profile = OpenProfile(icc);
    if (!profile || lib.cmsGetColorSpace(profile.get()) != cmsSigRgbData)
        return "";
    Profile srgb(lib.cmsCreate_sRGBProfile());
    bool same = lib.cmsIsMatrixShaper(profile.get());
    for (cmsTagSignature tag : {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag}) {
        const auto* a = static_cast<const cmsCIEXYZ*>(lib.cmsReadTag(profile.get(), tag));
        const auto* b = static_cast<const cmsCIEXYZ*>(lib.cmsReadTag(srgb.get(), tag));
        same = same && a && b && std::abs(a->X - b->X) < 0.003 && std::abs(a->Y - b->Y) < 0.003 &&
            std::abs(a->Z - b->Z) < 0.003;
    }
    if (same)
        return "";
    char name[128] = {};
    lib.cmsGetProfileInfoASCII(profile.get(), cmsInfoDescription, "en", "US", name, sizeof name - 1);
    return name[0] ? std::string("\"") + name + "\"" : "its colour profile";
}

void ToSrgb(Rgba& image, const std::vector<uint8_t>& icc)
{
    const ColourFunctions& lib = ColourLibrary();
    Profile profile = OpenProfile(icc);
    Profile srgb(lib.cmsCreate_sRGBProfile());
    if (!profile || !srgb)
        throw ConvertError("its colour profile does not read");
    void* transform = lib.cmsCreateTransform(profile.get(), TYPE_RGBA_8, srgb.get(), TYPE_RGBA_8, INTENT_PERCEPTUAL,
                                             cmsFLAGS_COPY_ALPHA);
    if (!transform)
        throw ConvertError("its colour profile cannot be converted to sRGB");
    const size_t row = static_cast<size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        uint8_t* line = image.pixels.data() + row * static_cast<size_t>(y);
        lib.cmsDoTransform(transform, line, line, static_cast<cmsUInt32Number>(image.width));
    }
    lib.cmsDeleteTransform(transform);
    image.icc.clear();
}

// The size an SVG is drawn at when it names none in pixels: the longer side of a full HD screen.
constexpr double kSvgDefaultSide = 1920;

Rgba DrawSvg(const std::vector<uint8_t>& bytes)
{
    const SvgFunctions& lib = SvgLibrary();
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, void (*)(void*)> svg(lib.rsvg_handle_new_from_data(bytes.data(), bytes.size(), &error),
                                                     lib.g_object_unref);
    if (!svg) {
        const std::string reason = error && error->message ? error->message : "not an SVG drawing";
        if (error)
            lib.g_error_free(error);
        throw ConvertError("the SVG drawing does not read: " + reason);
    }
    lib.rsvg_handle_set_dpi(svg.get(), 96);
    double width = 0, height = 0;
    if (!lib.rsvg_handle_get_intrinsic_size_in_pixels(svg.get(), &width, &height) || width <= 0 || height <= 0) {
        // Only a view box (or percentages): its shape at a screen's size.
        gboolean hasViewBox = FALSE;
        RsvgRectangle viewBox{};
        lib.rsvg_handle_get_intrinsic_dimensions(svg.get(), nullptr, nullptr, nullptr, nullptr, &hasViewBox, &viewBox);
        const double scale = hasViewBox && viewBox.width > 0 && viewBox.height > 0
            ? kSvgDefaultSide / std::max(viewBox.width, viewBox.height)
            : 0;
        width = viewBox.width * scale;
        height = viewBox.height * scale;
        if (scale == 0)
            width = height = kSvgDefaultSide;
    }
    if (!(width < 20000 && height < 20000))
        throw ConvertError("the SVG drawing's size is too large");
    const int w = std::max(1, static_cast<int>(std::lround(width))),
              h = std::max(1, static_cast<int>(std::lround(height)));
    CheckSize(w, h);
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
        lib.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), lib.cairo_surface_destroy);
    if (lib.cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw ConvertError("no memory to draw the SVG drawing");
    std::unique_ptr<cairo_t, void (*)(cairo_t*)> cairo(lib.cairo_create(surface.get()), lib.cairo_destroy);
    const RsvgRectangle viewport{0, 0, static_cast<double>(w), static_cast<double>(h)};
    if (!lib.rsvg_handle_render_document(svg.get(), cairo.get(), &viewport, &error)) {
        const std::string reason = error && error->message ? error->message : "";
        if (error)
            lib.g_error_free(error);
        throw ConvertError("the SVG drawing does not draw: " + reason);
    }
    lib.cairo_surface_flush(surface.get());
    // Cairo's pixels are native-endian ARGB with the colour multiplied by the opacity.
    Rgba image;
    image.width = w;
    image.height = h;
    image.pixels.resize(static_cast<size_t>(w) * h * 4);
    const uint8_t* data = lib.cairo_image_surface_get_data(surface.get());
    const int stride = lib.cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            uint8_t* out = &image.pixels[(static_cast<size_t>(y) * w + x) * 4];
            for (int c = 0; c < 3; ++c) {
                const uint32_t v = p >> (16 - 8 * c) & 0xFF;
                out[c] = static_cast<uint8_t>(a ? std::min<uint32_t>(255, (v * 255 + a / 2) / a) : 0);
            }
            out[3] = static_cast<uint8_t>(a);
        }
    }
    return image;
}

} // namespace

bool CanConvertPicture(const std::string&, const std::string&)
{
    // The libraries are a dependency of the package: where one is missing, the conversion says which.
    return true;
}

PreparedPicture ConvertPicture(const std::string& path, const std::string& workFolder)
{
    PreparedPicture prepared{path, "", {}};
    // Most pictures need nothing, which their first bytes tell: only the others are read whole. One that cannot
    // be read at all is left to the picture check, which says why.
    constexpr uint64_t kHead = 1u << 20;
    std::vector<uint8_t> bytes;
    if (!ReadImageFile(path, kHead, bytes))
        return prepared;
    const std::string kind = PictureKind(bytes.data(), bytes.size());
    if (kind == "JPEG") {
        if (ReadJpegExif(bytes.data(), bytes.size()).orientation == 1 &&
            JpegIccProfile(bytes.data(), bytes.size()).empty() &&
            std::search(bytes.begin(), bytes.end(), kIccTag, kIccTag + 12) == bytes.end())
            return prepared;
    } else if (kind == "PNG") {
        if (std::search(bytes.begin(), bytes.end(), kIccpTag, kIccpTag + 4) == bytes.end() && bytes.size() < kHead)
            return prepared;
    } else if (!NeedsConversion(kind)) {
        return prepared;
    }
    if (bytes.size() == kHead && !ReadImageFile(path, kMaxEncodedImageBytes, bytes))
        throw ConvertError("cannot be read, is empty or is too large for a picture");
    std::string encoded;
    if (kind == "JPEG") {
        const ExifInfo exif = ReadJpegExif(bytes.data(), bytes.size());
        const std::vector<uint8_t> icc = JpegIccProfile(bytes.data(), bytes.size());
        const std::string profile = icc.empty() ? "" : ProfileToConvert(icc);
        if (exif.orientation == 1 && profile.empty())
            return prepared;
        std::optional<std::string> turned = profile.empty() ? TransformJpeg(bytes, exif.orientation) : std::nullopt;
        if (turned) {
            encoded = std::move(*turned);
            prepared.changes.push_back("stood upright without re-encoding");
        } else {
            Rgba image = Orient(DecodeJpegPixels(bytes), exif.orientation);
            if (!profile.empty()) {
                ToSrgb(image, icc);
                prepared.changes.push_back("colours converted from " + profile + " to sRGB");
            }
            if (exif.orientation != 1)
                prepared.changes.push_back("stood upright");
            encoded = WithMarkersOf(std::string(bytes.begin(), bytes.end()), EncodeJpeg(image));
            prepared.changes.push_back("re-encoded as JPEG of quality " + std::to_string(kJpegQuality));
        }
        // Still a JPEG: the stored name stays as it was.
        prepared.path = WriteConverted(path, workFolder, encoded, fs::path(path).extension().string());
        return prepared;
    }
    if (kind == "PNG") {
        const std::vector<uint8_t> compressed = PngCompressedIccProfile(bytes.data(), bytes.size());
        const std::vector<uint8_t> icc = compressed.empty() ? compressed : Inflate(compressed);
        const std::string profile = icc.empty() ? "" : ProfileToConvert(icc);
        if (profile.empty())
            return prepared;
        Rgba image = DecodePng(bytes);
        ToSrgb(image, icc);
        prepared.changes.push_back("colours converted from " + profile + " to sRGB");
        encoded = Encode(image, prepared.extension);
        prepared.extension.clear(); // a PNG still
        prepared.path = WriteConverted(path, workFolder, encoded, fs::path(path).extension().string());
        return prepared;
    }
    Rgba image;
    if (kind == "TIFF")
        image = DecodeTiff(path);
    else if (kind == "WebP")
        image = DecodeWebp(bytes);
    else if (kind == "HEIF" || kind == "AVIF")
        image = DecodeHeif(path);
    else if (kind == "SVG")
        image = DrawSvg(bytes);
    else
        return prepared;
    std::string converted = "converted from " + kind;
    if (!image.icc.empty()) {
        if (const std::string profile = ProfileToConvert(image.icc); !profile.empty()) {
            ToSrgb(image, image.icc);
            converted += ", its colours from " + profile + " to sRGB";
        }
    }
    encoded = Encode(image, prepared.extension);
    prepared.changes.push_back(converted + " to " + (prepared.extension == ".png" ? "PNG" : "JPEG"));
    prepared.path = WriteConverted(path, workFolder, encoded, prepared.extension);
    return prepared;
}
